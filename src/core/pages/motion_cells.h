#pragma once
// The motion-detection areas: each camera picture is covered by 4 columns x
// 3 rows of cells that the user selects or not. Cell k = row * 4 + column,
// rows top to bottom, columns left to right.
//
// The record keeps one 32-bit mask per camera: the top row in bits 8-11,
// the middle row in bits 4-7, the bottom row in bits 0-3, the leftmost cell
// of a row in the lowest bit of its group. Bits 12-31 carry nothing: they
// are written as 0 and ignored when read.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/skin/scale.h"

namespace pages::motion {

inline constexpr int kColumns = 4;
inline constexpr int kRows = 3;
inline constexpr int kCellCount = kColumns * kRows;

// One entry per cell: 1 selected, 0 not (any non-zero value counts as
// selected when packed).
using Cells = std::array<std::int32_t, kCellCount>;

std::int32_t PackCells(const Cells& cells);
Cells UnpackCells(std::int32_t mask);

// Where the cells of the two pictures lie in the editor's client area.
// Right and bottom edges are exclusive; in design pixels every cell is
// 48 x 30, and neighbouring cells leave a one-pixel gap for a grid line,
// which also frames each grid. At another display scale the lines start
// where they scale to from their picture's corner and are all as thick as
// one pixel scaled; the cells fill exactly what lies between them.
enum class Picture { kFront, kRear };

struct CellRect {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// The top-left corner of a camera picture, in design pixels; the pictures
// are 197 x 94.
inline constexpr int kPictureWidth = 197;
inline constexpr int kPictureHeight = 94;
CellRect PictureRect(Picture picture);

// In device pixels at `scale`.
CellRect CellRectOf(Picture picture, int cell, const skin::Scale& scale = {});

// The grid lines of `picture`, in device pixels at `scale`: between the
// cells and around them.
std::vector<CellRect> GridLines(Picture picture, const skin::Scale& scale = {});

// The cell of `picture` under client point (x, y) (device pixels at
// `scale`); nullopt in a gap or outside the grid.
std::optional<int> CellAt(Picture picture, int x, int y, const skin::Scale& scale = {});

}  // namespace pages::motion
