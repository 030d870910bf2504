#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "bitmap/bitmap_header.h"

namespace tilecut {

// The 8-bit pixel rows of a bitmap, top row first, whatever order the file
// stores them in.
struct pixel_rows {
  const std::uint8_t* top_row = nullptr;
  std::ptrdiff_t step = 0;  // from one row to the row below it
  std::int32_t width = 0;
  std::int32_t rows = 0;

  const std::uint8_t* row(std::int32_t y) const { return top_row + step * y; }
};

// Pixel rows plus, for a compressed bitmap, the buffer they were decoded into.
struct bitmap_pixels {
  pixel_rows rows;
  std::unique_ptr<std::uint8_t[]> decoded;
};

// Offset from the start of the pixel array of pixel (x, y), y counted from the
// top. A positive height stores the rows bottom-up, a negative one top-down.
std::int64_t pixel_offset(std::int64_t stride, std::int32_t height, std::int32_t x, std::int32_t y);

// Finds the rows of an 8-bit bitmap whose header passed read_bitmap_header,
// decoding RLE8. Prints the message and returns -1 for a bitmap whose rows do
// not fit its file, a broken RLE8 stream, or rows larger than memory_limit.
int open_pixel_rows(std::span<const std::uint8_t> file, const bitmap_header& header,
                    std::string_view name, std::size_t memory_limit, bitmap_pixels& pixels);

}  // namespace tilecut
