#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tilecut_test {

// Describes a BMP file for a test to write; defaults give the common
// uncompressed 8-bit bitmap with a 40-byte header and 256 colours.
struct bmp_layout {
  std::int32_t width = 8;
  std::int32_t height = 8;  // always positive here; top_down stores it negated
  std::uint16_t bit_count = 8;
  bool top_down = false;
  std::uint32_t info_size = 40;
  std::uint32_t compression = 0;
  std::uint32_t palette_entries = 256;
  std::uint32_t gap = 0;             // bytes between the colour table and the pixels
  std::vector<std::uint8_t> pixels;  // width * height values, top row first
  // Blue byte of colour-table entry n; the default is 255 - n.
  std::function<std::uint8_t(std::uint32_t)> blue = [](std::uint32_t n) {
    return static_cast<std::uint8_t>(255 - n);
  };
  // When set, stored as the pixel data instead of rows made from `pixels`.
  std::vector<std::uint8_t> raw_pixel_data;
};

std::string build_bmp(const bmp_layout& layout);

// width * height pixel values, top row first, value_at(x, y) each.
std::vector<std::uint8_t> make_pixels(int width, int height,
                                      const std::function<std::uint8_t(int, int)>& value_at);

// A reference encoding of one tile row as 16-bit words, written for the tests:
// pixel values become slots by their first match among the four indices.
std::uint16_t reference_word(const std::uint8_t* pixels, const int (&indices)[4]);

// Words of the tile walk over a top-row-first pixel array.
std::vector<std::uint16_t> reference_walk(const std::vector<std::uint8_t>& pixels, int image_width,
                                          int x, int y, int width, int height,
                                          const int (&indices)[4]);

// The listing text of one array holding `words`, eight a line.
std::string reference_array(const std::string& name, const std::vector<std::uint16_t>& words);

}  // namespace tilecut_test
