#include "core/pages/motion_cells.h"

namespace pages::motion {
namespace {

constexpr int kCellWidth = 48;
constexpr int kCellHeight = 30;
constexpr int kGap = 1;
constexpr int kFrontPictureLeft = 25;
constexpr int kRearPictureLeft = 240;
constexpr int kPictureTop = 135;

// The bit of `cell`: rows count down from bit 8, columns up within a row.
constexpr int BitOf(int cell) {
  int row = cell / kColumns;
  int column = cell % kColumns;
  return 8 - 4 * row + column;
}

}  // namespace

std::int32_t PackCells(const Cells& cells) {
  std::int32_t mask = 0;
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (cells[cell] != 0) mask |= 1 << BitOf(cell);
  }
  return mask;
}

Cells UnpackCells(std::int32_t mask) {
  Cells cells{};
  for (int cell = 0; cell < kCellCount; ++cell) cells[cell] = (mask >> BitOf(cell)) & 1;
  return cells;
}

CellRect PictureRect(Picture picture) {
  const int left = picture == Picture::kFront ? kFrontPictureLeft : kRearPictureLeft;
  return {left, kPictureTop, left + kPictureWidth, kPictureTop + kPictureHeight};
}

CellRect CellRectOf(Picture picture, int cell, const skin::Scale& scale) {
  // Inside the picture: past the grid line before it.
  const int left = kGap + (cell % kColumns) * (kCellWidth + kGap);
  const int top = kGap + (cell / kColumns) * (kCellHeight + kGap);
  const CellRect corner = PictureRect(picture);
  const int x = scale.Px(corner.left), y = scale.Px(corner.top);
  return {x + scale.Px(left), y + scale.Px(top), x + scale.Px(left + kCellWidth),
          y + scale.Px(top + kCellHeight)};
}

std::optional<int> CellAt(Picture picture, int x, int y, const skin::Scale& scale) {
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (CellRectOf(picture, cell, scale).Contains(x, y)) return cell;
  }
  return std::nullopt;
}

}  // namespace pages::motion
