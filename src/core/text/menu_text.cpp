#include "core/text/menu_text.h"

namespace text {

std::u16string MenuItemName(std::u16string_view item) {
  item = item.substr(0, item.find(u'\t'));
  std::u16string name;
  for (size_t at = 0; at < item.size(); ++at) {
    // Languages whose letters are not on the keyboard put the mnemonic in
    // brackets after the word, "(&C)": the whole group goes.
    if (item.compare(at, 2, u"(&") == 0 && at + 3 < item.size() && item[at + 3] == u')') {
      at += 3;
      continue;
    }
    // The marker goes and the letter after it stays, so "&&" leaves "&".
    if (item[at] == u'&') ++at;
    if (at < item.size()) name += item[at];
  }
  while (!name.empty() && name.back() == u' ') name.pop_back();
  return name;
}

}  // namespace text
