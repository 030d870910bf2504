#pragma once

#include <cstddef>
#include <cstdint>

#include "bitmap/pixel_rows.h"

namespace tilecut {

// The pixel values that become colour slots 0 to 3. Values outside 0 to 255
// match no pixel.
struct colour_indices {
  std::int32_t index[4] = {0, 0, 0, 0};
};

// The region the tiles are cut from, in pixels. Tiles are taken whole: a last
// column or row of tiles reaches past a width or height that is not a
// multiple of 8.
struct tile_region {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

inline constexpr int tile_size = 8;

// Tiles of the walk across and down; 0 when the width or height is not positive.
std::int64_t tiles_across(const tile_region& region);
std::int64_t tiles_down(const tile_region& region);

// The slot of one pixel: the first k whose colour index equals the value, else 0.
std::uint8_t colour_slot(std::uint8_t value, const colour_indices& colours);

// Two-plane encoding of eight pixels, left to right: pixel j's slot bit 0 in
// bit 7 - j, its bit 1 in bit 15 - j.
std::uint16_t tile_row_word(const std::uint8_t* pixels, const colour_indices& colours);

// Receives the encoder's words one row of tiles at a time: eight words a tile,
// tiles left to right, each tile's rows top to bottom.
class tile_sink {
 public:
  virtual void put_tiles(const std::uint16_t* words, std::size_t tile_count) = 0;

 protected:
  ~tile_sink() = default;
};

// Walks the region's tiles, rows of tiles top to bottom, each left to right.
// Every tile of the walk must lie inside the rows.
void encode_tiles(const pixel_rows& image, const tile_region& region, const colour_indices& colours,
                  tile_sink& sink);

}  // namespace tilecut
