#include "bitmap/bitmap_header.h"

#include "common/byte_order.h"
#include "common/messages.h"

namespace tilecut {
namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::uint32_t smallest_info_size = 40;  // smaller ones are OS/2 bitmaps

int reject(std::string_view message, std::string_view name) {
  report(message, name);
  return -1;
}

}  // namespace

int read_bitmap_header(std::span<const std::uint8_t> file, std::string_view name,
                       bitmap_header& header) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
    return reject(messages::not_bmp, name);
  }
  if (!read_u32le(file, 14, header.info_size)) return reject(messages::corrupt_data, name);
  if (header.info_size < smallest_info_size) {
    return reject(messages::unsupported_format, name);
  }
  if (file.size() < file_header_size + header.info_size) {
    return reject(messages::corrupt_data, name);
  }
  // The information header is at least 40 bytes and lies inside the file, so
  // these reads cannot fail.
  read_u32le(file, 10, header.pixel_array_offset);
  read_s32le(file, 18, header.width);
  read_s32le(file, 22, header.height);
  read_u16le(file, 28, header.bit_count);
  read_u32le(file, 30, header.compression);
  if (header.bit_count != 1 && header.bit_count != 8) {
    return reject(messages::not_256_colours, name);
  }
  if (header.bit_count == 8) {
    const bool known =
        header.compression == compression_none || header.compression == compression_rle8;
    // RLE8 streams are bottom-up by definition; a top-down one is not valid.
    if (!known || (header.compression == compression_rle8 && header.height < 0)) {
      return reject(messages::unsupported_format, name);
    }
  }
  return 0;
}

std::int64_t row_stride(std::uint16_t bit_count, std::int32_t width) {
  const std::int64_t bits = std::int64_t{bit_count} * width + 31;
  return (bits & ~std::int64_t{31}) / 8;
}

bool colour_blue(std::span<const std::uint8_t> file, const bitmap_header& header,
                 std::int64_t index, std::uint8_t& blue) {
  const std::int64_t offset = std::int64_t{file_header_size} + header.info_size + 4 * index;
  if (offset < 0 || offset >= static_cast<std::int64_t>(file.size())) return false;
  blue = file[static_cast<std::size_t>(offset)];
  return true;
}

}  // namespace tilecut
