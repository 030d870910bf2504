#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/listing_reader.h"
#include "view/tile_sheet.h"

namespace tilecut {

// An indexed picture: one slot (0 to 3) a pixel, top row first, and the grey
// of each slot.
struct picture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;
  slot_greys greys = grey_ramp;

  std::uint8_t at(std::int32_t x, std::int32_t y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

struct draw_options {
  int scale = 1;      // each tile pixel becomes scale x scale picture pixels
  bool grid = false;  // one-pixel lines between tiles
};

// No picture larger than this many pixels is drawn.
inline constexpr std::int64_t max_picture_pixels = std::int64_t{1} << 30;

// An array laid out `columns` tiles wide (fewer when it has fewer tiles).
tile_sheet sheet_of_array(const tile_array& array, std::int64_t columns);

// The slot grid lines are drawn in: the one whose grey is farthest from
// slot 0's, so the lines show against blank tiles.
std::uint8_t grid_slot(const slot_greys& greys);

// Draws the sheet, which holds at least one tile. Prints the message and
// returns -1 when the picture would be larger than max_picture_pixels.
int draw_sheet(const tile_sheet& sheet, const draw_options& options, picture& out);

}  // namespace tilecut
