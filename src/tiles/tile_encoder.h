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

// The reference encoding: colour_slot for each pixel in turn, as tile_row_word.
std::uint16_t encode_tile_row_scalar(const std::uint8_t* pixels, const colour_indices& colours);

// The encoding of a strip of tile_count tiles side by side, giving the words
// of encode_tile_row_scalar while comparing many pixels at once. Pixel row r
// of the strip starts at top_left + r * step and is read for 8 * tile_count
// bytes, no further. Tile t's eight words go to out + 16 * t, low byte first.
void encode_tile_strip_fast(const std::uint8_t* top_left, std::ptrdiff_t step,
                            std::size_t tile_count, const colour_indices& colours,
                            std::uint8_t* out);

// Receives the encoder's words one row of tiles at a time: eight words a tile,
// tiles left to right, each tile's rows top to bottom.
class tile_sink {
 public:
  virtual void put_tiles(const std::uint16_t* words, std::size_t tile_count) = 0;

  // Room for the next row of tiles, tile_count * 16 bytes, to be filled in
  // place with the words low byte first instead of passed to put_tiles; null
  // (the default) when the sink has no such room.
  virtual std::uint8_t* place_tiles(std::size_t tile_count);

 protected:
  ~tile_sink() = default;
};

// Walks the region's tiles, rows of tiles top to bottom, each left to right.
// Every tile of the walk must lie inside the rows.
void encode_tiles(const pixel_rows& image, const tile_region& region, const colour_indices& colours,
                  tile_sink& sink);

}  // namespace tilecut
