#include "view/picture_file.h"

namespace tilecut {
namespace {

constexpr std::uint32_t file_header_size = 14;
constexpr std::uint32_t info_header_size = 40;
constexpr std::uint32_t table_size = 4 * 4;
constexpr std::uint32_t pixels_per_metre = 2835;  // 72 dots per inch

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const picture& image) {
  // Rows are padded to whole 32-bit words.
  const auto stride = (static_cast<std::uint32_t>(image.width) + 3u) & ~3u;
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t offset = file_header_size + info_header_size + table_size;
  std::vector<std::uint8_t> out;
  out.reserve(offset + std::size_t{stride} * height);
  out.push_back('B');
  out.push_back('M');
  put_u32(out, offset + stride * height);
  put_u32(out, 0);
  put_u32(out, offset);
  put_u32(out, info_header_size);
  put_u32(out, static_cast<std::uint32_t>(image.width));
  put_u32(out, height);  // positive: rows stored bottom-up
  put_u16(out, 1);       // planes
  put_u16(out, 8);       // bits per pixel
  put_u32(out, 0);       // no compression
  put_u32(out, stride * height);
  put_u32(out, pixels_per_metre);
  put_u32(out, pixels_per_metre);
  put_u32(out, 4);  // colours used
  put_u32(out, 4);  // colours important
  for (std::uint8_t grey : image.greys) {
    out.insert(out.end(), {grey, grey, grey, 0});  // blue, green, red, reserved
  }
  for (std::int32_t y = image.height - 1; y >= 0; --y) {
    const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
    out.insert(out.end(), row, row + image.width);
    out.resize(out.size() + stride - static_cast<std::uint32_t>(image.width), 0);
  }
  return out;
}

}  // namespace tilecut
