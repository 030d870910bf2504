#include "bitmap/pixel_rows.h"

#include <new>

#include "bitmap/rle8.h"
#include "common/messages.h"

namespace tilecut {
namespace {

pixel_rows rows_at(const std::uint8_t* pixel_array, std::int64_t stride,
                   const bitmap_header& header) {
  pixel_rows rows;
  rows.width = header.width;
  rows.rows = header.height < 0 ? -header.height : header.height;
  rows.step = static_cast<std::ptrdiff_t>(header.height < 0 ? stride : -stride);
  rows.top_row = pixel_array + pixel_offset(stride, header.height, 0, 0);
  return rows;
}

}  // namespace

std::int64_t pixel_offset(std::int64_t stride, std::int32_t height, std::int32_t x,
                          std::int32_t y) {
  if (height < 0) return x + stride * y;
  return x + stride * (std::int64_t{height} - y - 1);
}

int open_pixel_rows(std::span<const std::uint8_t> file, const bitmap_header& header,
                    std::string_view name, std::size_t memory_limit, bitmap_pixels& pixels) {
  // Held in 64 bits: a height of -2^31 has no 32-bit magnitude.
  const std::int64_t rows = header.height < 0 ? -std::int64_t{header.height} : header.height;
  if (header.width <= 0 || rows == 0) {
    report(messages::corrupt_data, name);
    return -1;
  }
  const std::int64_t stride = row_stride(8, header.width);
  const std::uint64_t bytes = static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(rows);
  const std::uint64_t offset = header.pixel_array_offset;

  if (header.compression == compression_none) {
    if (offset > file.size() || bytes > file.size() - offset) {
      report(messages::corrupt_data, name);
      return -1;
    }
    pixels.rows = rows_at(file.data() + offset, stride, header);
    return 0;
  }

  if (offset >= file.size()) {
    report(messages::corrupt_data, name);
    return -1;
  }
  if (bytes > memory_limit) {
    report(messages::out_of_memory);
    return -1;
  }
  // Pixels the stream never writes are 0.
  std::unique_ptr<std::uint8_t[]> decoded(new (std::nothrow) std::uint8_t[bytes]());
  if (!decoded) {
    report(messages::out_of_memory);
    return -1;
  }
  if (!decode_rle8(file.subspan(offset), static_cast<std::size_t>(stride),
                   static_cast<std::size_t>(rows), decoded.get())) {
    report(messages::corrupt_data, name);
    return -1;
  }
  pixels.rows = rows_at(decoded.get(), stride, header);
  pixels.decoded = std::move(decoded);
  return 0;
}

}  // namespace tilecut
