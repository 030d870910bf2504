#include "support/bmp_builder.h"

#include <cstdio>

namespace tilecut_test {
namespace {

void put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::string pixel_rows(const bmp_layout& layout) {
  const std::uint32_t bits = layout.bit_count * static_cast<std::uint32_t>(layout.width);
  const std::uint32_t stride = ((bits + 31) & ~31u) / 8;
  std::string rows;
  for (int stored = 0; stored < layout.height; ++stored) {
    const int y = layout.top_down ? stored : layout.height - 1 - stored;
    std::string row(stride, '\0');
    for (int x = 0; x < layout.width && layout.bit_count == 8; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width) +
                             static_cast<std::size_t>(x);
      if (at < layout.pixels.size())
        row[static_cast<std::size_t>(x)] = static_cast<char>(layout.pixels[at]);
    }
    rows += row;
  }
  return rows;
}

}  // namespace

std::string build_bmp(const bmp_layout& layout) {
  const std::string data =
      layout.raw_pixel_data.empty()
          ? pixel_rows(layout)
          : std::string(layout.raw_pixel_data.begin(), layout.raw_pixel_data.end());
  const std::uint32_t table = 14 + layout.info_size;
  const std::uint32_t offset = table + 4 * layout.palette_entries + layout.gap;
  std::string out = "BM";
  put32(out, offset + static_cast<std::uint32_t>(data.size()));
  put32(out, 0);
  put32(out, offset);
  put32(out, layout.info_size);
  put32(out, static_cast<std::uint32_t>(layout.width));
  put32(out, static_cast<std::uint32_t>(layout.top_down ? -layout.height : layout.height));
  put16(out, 1);
  put16(out, layout.bit_count);
  put32(out, layout.compression);
  put32(out, static_cast<std::uint32_t>(data.size()));
  put32(out, 2835);
  put32(out, 2835);
  put32(out, layout.palette_entries);
  put32(out, 0);
  out.resize(table, '\0');  // the rest of a larger information header
  for (std::uint32_t n = 0; n < layout.palette_entries; ++n) {
    out.push_back(static_cast<char>(layout.blue(n)));
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>((n * 7) & 0xFF));
    out.push_back('\0');
  }
  out.append(layout.gap, '\x5A');
  return out + data;
}

std::vector<std::uint8_t> make_pixels(int width, int height,
                                      const std::function<std::uint8_t(int, int)>& value_at) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(value_at(x, y));
  }
  return pixels;
}

std::uint16_t reference_word(const std::uint8_t* pixels, const int (&indices)[4]) {
  int plane0 = 0;
  int plane1 = 0;
  for (int j = 0; j < 8; ++j) {
    int slot = 0;
    for (int k = 3; k >= 0; --k) {
      if (indices[k] == pixels[j]) slot = k;  // lowest matching k wins
    }
    if (slot & 1) plane0 |= 0x80 >> j;
    if (slot & 2) plane1 |= 0x80 >> j;
  }
  return static_cast<std::uint16_t>(plane1 << 8 | plane0);
}

std::vector<std::uint16_t> reference_walk(const std::vector<std::uint8_t>& pixels, int image_width,
                                          int x, int y, int width, int height,
                                          const int (&indices)[4]) {
  std::vector<std::uint16_t> words;
  for (int ty = y; ty < y + height; ty += 8) {
    for (int tx = x; tx < x + width; tx += 8) {
      for (int r = 0; r < 8; ++r) {
        const std::size_t at =
            static_cast<std::size_t>(ty + r) * static_cast<std::size_t>(image_width) +
            static_cast<std::size_t>(tx);
        words.push_back(reference_word(&pixels.at(at + 7) - 7, indices));
      }
    }
  }
  return words;
}

std::string reference_array(const std::string& name, const std::vector<std::uint16_t>& words) {
  std::string out = "short " + name + "[]={\r\n";
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i % 8 == 0) out += "\t";
    char word[16];
    std::snprintf(word, sizeof word, "0x%04X, ", words[i]);
    out += word;
    if (i % 8 == 7) out += "\r\n";
  }
  return out + "};\r\n";
}

}  // namespace tilecut_test
