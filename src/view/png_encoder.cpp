#include <png.h>

#include <cstring>

#include "view/picture_file.h"

namespace tilecut {

bool encode_png(const picture& image, std::vector<std::uint8_t>& bytes) {
  png_byte colormap[4 * 3];
  for (std::size_t k = 0; k < 4; ++k) std::memset(colormap + 3 * k, image.greys[k], 3);
  // libpng's simplified writer: it reports failures through the image rather
  // than through longjmp, and packs a four-entry palette into 2-bit pixels.
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB_COLORMAP;
  png.colormap_entries = 4;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, colormap)) {
    png_image_free(&png);
    return false;
  }
  bytes.resize(size);
  const bool written =
      png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, colormap);
  png_image_free(&png);
  bytes.resize(written ? size : 0);
  return written;
}

}  // namespace tilecut
