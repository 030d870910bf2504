#include "tiles/tile_encoder.h"

#include <vector>

namespace tilecut {
namespace {

std::int64_t tiles_over(std::int32_t length) {
  return length > 0 ? (std::int64_t{length} + tile_size - 1) / tile_size : 0;
}

}  // namespace

std::int64_t tiles_across(const tile_region& region) {
  return region.height > 0 ? tiles_over(region.width) : 0;
}

std::int64_t tiles_down(const tile_region& region) {
  return region.width > 0 ? tiles_over(region.height) : 0;
}

std::uint8_t colour_slot(std::uint8_t value, const colour_indices& colours) {
  for (std::uint8_t slot = 0; slot < 4; ++slot) {
    if (colours.index[slot] == value) return slot;
  }
  return 0;
}

std::uint16_t tile_row_word(const std::uint8_t* pixels, const colour_indices& colours) {
  unsigned word = 0;
  for (int j = 0; j < tile_size; ++j) {
    const unsigned slot = colour_slot(pixels[j], colours);
    word = (word << 1) | (slot & 1u) | ((slot & 2u) << 7);
  }
  return static_cast<std::uint16_t>(word);
}

void encode_tiles(const pixel_rows& image, const tile_region& region, const colour_indices& colours,
                  tile_sink& sink) {
  const std::int64_t across = tiles_across(region);
  const std::int64_t down = tiles_down(region);
  if (across == 0 || down == 0) return;
  std::vector<std::uint16_t> words(static_cast<std::size_t>(across) * tile_size);
  for (std::int64_t tile_y = 0; tile_y < down; ++tile_y) {
    for (int r = 0; r < tile_size; ++r) {
      const auto y = static_cast<std::int32_t>(region.y + tile_y * tile_size + r);
      const std::uint8_t* pixels = image.row(y) + region.x;
      for (std::int64_t t = 0; t < across; ++t) {
        words[static_cast<std::size_t>(t * tile_size + r)] =
            tile_row_word(pixels + t * tile_size, colours);
      }
    }
    sink.put_tiles(words.data(), static_cast<std::size_t>(across));
  }
}

}  // namespace tilecut
