#pragma once
// The caption of a skinned control, and the skin's font.

#include <windows.h>

#include <string>

#include "win/framework/handle.h"

enum class TextAlign : int { kLeft = 0, kCenter = 1 };

struct SkinTextStyle {
  std::u16string text;
  COLORREF colorNormal = 0;  // also the disabled state
  COLORREF colorHover = 0;
  COLORREF colorPressed = 0;  // also the selected state
  int fontHeight = 0;         // LOGFONT height
  TextAlign alignment = TextAlign::kLeft;
};

// Tahoma of LOGFONT height `height`, anti-aliased, in the default
// character set; bold unless another weight is asked for.
inline UniqueFont CreateSkinFont(int height, int weight = FW_BOLD) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&font));
}
