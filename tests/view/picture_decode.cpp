#include "picture_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace view_test {
namespace {

struct memory_source {
  const std::string* bytes;
  std::size_t at;
};

void read_from_memory(png_structp png, png_bytep data, png_size_t length) {
  auto* source = static_cast<memory_source*>(png_get_io_ptr(png));
  if (source->bytes->size() - source->at < length) png_error(png, "truncated");
  std::memcpy(data, source->bytes->data() + source->at, length);
  source->at += length;
}

void quiet_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quiet_warning(png_structp, png_const_charp) {}

// Everything the reader fills lives in `out`, set up before setjmp, so a
// longjmp skips no destructor.
bool read_png(png_structp png, png_infop info, decoded_picture& out, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) return false;
  out.width = static_cast<int>(png_get_image_width(png, info));
  out.height = static_cast<int>(png_get_image_height(png, info));
  out.bit_depth = png_get_bit_depth(png, info);
  png_colorp palette = nullptr;
  int entries = 0;
  png_get_PLTE(png, info, &palette, &entries);
  out.palette.resize(static_cast<std::size_t>(entries));
  for (std::size_t k = 0; k < out.palette.size(); ++k) {
    out.palette[k] = {palette[k].red, palette[k].green, palette[k].blue};
  }
  png_set_packing(png);  // one byte an index
  png_read_update_info(png, info);
  out.indices.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  rows.resize(static_cast<std::size_t>(out.height));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y] = out.indices.data() + y * static_cast<std::size_t>(out.width);
  }
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

std::uint32_t u32_at(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  }
  return v;
}

}  // namespace

bool decode_png(const std::string& bytes, decoded_picture& out) {
  out = decoded_picture{};
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quiet_error, quiet_warning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  memory_source source{&bytes, 0};
  std::vector<png_bytep> rows;
  bool read = false;
  if (info) {
    png_set_read_fn(png, &source, read_from_memory);
    read = read_png(png, info, out, rows);
  }
  png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  return read && source.at == bytes.size();
}

bool decode_bmp(const std::string& b, decoded_picture& out) {
  out = decoded_picture{};
  if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || u32_at(b, 14) != 40) return false;
  if ((u32_at(b, 26) & 0xFFFF) != 1 || (u32_at(b, 28) & 0xFFFF) != 8 || u32_at(b, 30) != 0) {
    return false;
  }
  const std::uint32_t width = u32_at(b, 18);
  const std::uint32_t height = u32_at(b, 22);
  const std::uint32_t colours = u32_at(b, 46);
  const std::uint32_t offset = u32_at(b, 10);
  const std::size_t stride = (width + 3) & ~3u;
  if (width > 1 << 16 || height > 1 << 16 || colours > 256 || 54 + 4 * colours > offset ||
      offset + stride * height != b.size() || u32_at(b, 2) != b.size()) {
    return false;
  }
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  for (std::uint32_t k = 0; k < colours; ++k) {
    const auto entry = [&](std::size_t i) { return static_cast<std::uint8_t>(b[54 + 4 * k + i]); };
    out.palette.push_back({entry(2), entry(1), entry(0)});  // stored blue, green, red
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    const std::size_t row = offset + (height - 1 - y) * stride;  // bottom-up
    for (std::uint32_t x = 0; x < width; ++x)
      out.indices.push_back(static_cast<std::uint8_t>(b[row + x]));
  }
  return true;
}

}  // namespace view_test
