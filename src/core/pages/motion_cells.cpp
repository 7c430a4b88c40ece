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

// Where the grid line before column or row `index` starts, in device
// pixels from the picture's corner: every line is a gap wide, and a cell
// fills what lies between two lines.
int LineStart(int index, int cellLength, const skin::Scale& scale) {
  return scale.Px(index * (cellLength + kGap));
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
  const CellRect corner = PictureRect(picture);
  const int x = scale.Px(corner.left), y = scale.Px(corner.top), gap = scale.Px(kGap);
  const int column = cell % kColumns, row = cell / kColumns;
  return {x + LineStart(column, kCellWidth, scale) + gap,
          y + LineStart(row, kCellHeight, scale) + gap,
          x + LineStart(column + 1, kCellWidth, scale), y + LineStart(row + 1, kCellHeight, scale)};
}

std::vector<CellRect> GridLines(Picture picture, const skin::Scale& scale) {
  const CellRect corner = PictureRect(picture);
  const int x = scale.Px(corner.left), y = scale.Px(corner.top), gap = scale.Px(kGap);
  const int right = x + LineStart(kColumns, kCellWidth, scale) + gap;
  const int bottom = y + LineStart(kRows, kCellHeight, scale) + gap;
  std::vector<CellRect> lines;
  for (int column = 0; column <= kColumns; ++column) {
    const int left = x + LineStart(column, kCellWidth, scale);
    lines.push_back({left, y, left + gap, bottom});
  }
  for (int row = 0; row <= kRows; ++row) {
    const int top = y + LineStart(row, kCellHeight, scale);
    lines.push_back({x, top, right, top + gap});
  }
  return lines;
}

std::optional<int> CellAt(Picture picture, int x, int y, const skin::Scale& scale) {
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (CellRectOf(picture, cell, scale).Contains(x, y)) return cell;
  }
  return std::nullopt;
}

}  // namespace pages::motion
