#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tilecut {

// The header fields tilecut reads, little-endian, at their file offsets.
struct bitmap_header {
  std::uint32_t pixel_array_offset = 0;  // 10: where the pixel rows (or RLE8 stream) begin
  std::uint32_t info_size = 0;           // 14: size the information header declares
  std::int32_t width = 0;                // 18
  std::int32_t height = 0;               // 22: negative when rows are stored top-down
  std::uint16_t bit_count = 0;           // 28
  std::uint32_t compression = 0;         // 30: read for 8-bit bitmaps only
};

inline constexpr std::uint32_t compression_none = 0;
inline constexpr std::uint32_t compression_rle8 = 1;

// Checks, in this order, the magic, the information header size, that the file
// holds its headers, the bit count (1 or 8) and, for 8 bits, the compression.
// Prints the message of the first check that fails and returns -1; 0 when all
// pass.
int read_bitmap_header(std::span<const std::uint8_t> file, std::string_view name,
                       bitmap_header& header);

// Bytes of one stored row: the row's bits rounded up to whole 32-bit words.
std::int64_t row_stride(std::uint16_t bit_count, std::int32_t width);

// Blue byte of colour-table entry `index`; the table follows the information
// header. False when the entry lies outside the file.
bool colour_blue(std::span<const std::uint8_t> file, const bitmap_header& header,
                 std::int64_t index, std::uint8_t& blue);

}  // namespace tilecut
