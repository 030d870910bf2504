#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace view_test {

// A picture as the test reads it back: one palette index a pixel, top row
// first, and the palette as RGB triples.
struct decoded_picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;
  std::vector<std::array<std::uint8_t, 3>> palette;
  int bit_depth = 0;  // PNG only
};

// Decodes a PNG with libpng's low-level reader; false unless it is a valid
// palette PNG.
bool decode_png(const std::string& bytes, decoded_picture& out);

// Reads an uncompressed bottom-up 8-bit BMP field by field; false unless it
// has the 40-byte header and the whole colour table and pixel rows.
bool decode_bmp(const std::string& bytes, decoded_picture& out);

}  // namespace view_test
