#include "tiles/tile_encoder.h"

#include <bit>
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

std::uint16_t encode_tile_row_scalar(const std::uint8_t* pixels, const colour_indices& colours) {
  unsigned word = 0;
  for (int j = 0; j < tile_size; ++j) {
    const unsigned slot = colour_slot(pixels[j], colours);
    word = (word << 1) | (slot & 1u) | ((slot & 2u) << 7);
  }
  return static_cast<std::uint16_t>(word);
}

std::uint16_t tile_row_word(const std::uint8_t* pixels, const colour_indices& colours) {
  return encode_tile_row_scalar(pixels, colours);
}

std::uint8_t* tile_sink::place_tiles(std::size_t /*tile_count*/) { return nullptr; }

void encode_tiles(const pixel_rows& image, const tile_region& region, const colour_indices& colours,
                  tile_sink& sink) {
  const std::int64_t across_64 = tiles_across(region);
  const std::int64_t down = tiles_down(region);
  if (across_64 == 0 || down == 0) return;
  const auto across = static_cast<std::size_t>(across_64);
  // Only for a sink that takes its words through put_tiles.
  std::vector<std::uint16_t> words;
  for (std::int64_t tile_y = 0; tile_y < down; ++tile_y) {
    std::uint8_t* out = sink.place_tiles(across);
    const bool in_place = out != nullptr;
    if (!in_place) {
      words.resize(across * tile_size);
      // Low byte first is the word itself on a little-endian machine; the
      // loop below turns it round on any other.
      out = reinterpret_cast<std::uint8_t*>(words.data());
    }
    const auto y = static_cast<std::int32_t>(region.y + tile_y * tile_size);
    encode_tile_strip_fast(image.row(y) + region.x, image.step, across, colours, out);
    if (!in_place) {
      if constexpr (std::endian::native != std::endian::little) {
        for (std::uint16_t& w : words) w = static_cast<std::uint16_t>((w >> 8) | (w << 8));
      }
      sink.put_tiles(words.data(), across);
    }
  }
}

}  // namespace tilecut
