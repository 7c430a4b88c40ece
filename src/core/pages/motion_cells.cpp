#include "core/pages/motion_cells.h"

namespace pages::motion {
namespace {

constexpr int kCellWidth = 48;
constexpr int kCellHeight = 30;
constexpr int kGap = 1;
constexpr int kFrontLeft = 26;
constexpr int kRearLeft = 241;
constexpr int kGridTop = 136;

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

CellRect CellRectOf(Picture picture, int cell) {
  int left = (picture == Picture::kFront ? kFrontLeft : kRearLeft) +
             (cell % kColumns) * (kCellWidth + kGap);
  int top = kGridTop + (cell / kColumns) * (kCellHeight + kGap);
  return {left, top, left + kCellWidth, top + kCellHeight};
}

std::optional<int> CellAt(Picture picture, int x, int y) {
  for (int cell = 0; cell < kCellCount; ++cell) {
    if (CellRectOf(picture, cell).Contains(x, y)) return cell;
  }
  return std::nullopt;
}

}  // namespace pages::motion
