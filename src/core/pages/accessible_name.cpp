#include "core/pages/accessible_name.h"

namespace pages {

std::u16string AccessibleName(std::u16string_view section, std::u16string_view own) {
  if (section.empty()) return std::u16string(own);
  if (own.empty()) return std::u16string(section);
  return std::u16string(section) + u": " + std::u16string(own);
}

}  // namespace pages
