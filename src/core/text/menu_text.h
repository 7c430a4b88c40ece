#pragma once
// The text of a menu item as a name to be read aloud.

#include <string>
#include <string_view>

namespace text {

// `item` without its keyboard mnemonic and shortcut: "Mi&nimize" gives
// "Minimize", "&Close\tAlt+F4" gives "Close", "閉じる(&C)" gives "閉じる";
// "&&" stands for one "&".
std::u16string MenuItemName(std::u16string_view item);

}  // namespace text
