// Writes the benchmark inputs: uncompressed 8-bit BMPs (40-byte header, a
// 256-entry grey palette, rows bottom-up) with pixels from a fixed-seed
// generator, so that every run measures the same bytes.
//
//   make_inputs FILE WIDTH HEIGHT SEED LEVELS
//
// Pixels are uniform in 0 .. LEVELS-1.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// splitmix64: tiny, well mixed and the same on every platform.
std::uint64_t next_random(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFFu);
  put_u16(out, value >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: make_inputs FILE WIDTH HEIGHT SEED LEVELS\n");
    return 2;
  }
  const auto width = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
  const auto height = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  std::uint64_t state = std::strtoull(argv[4], nullptr, 10);
  const auto levels = static_cast<std::uint32_t>(std::strtoul(argv[5], nullptr, 10));
  if (width == 0 || height == 0 || levels == 0 || levels > 256) {
    std::fprintf(stderr, "make_inputs: bad size or levels\n");
    return 2;
  }
  const std::uint32_t stride = (width + 3) / 4 * 4;
  const std::uint32_t palette_bytes = 256 * 4;
  const std::uint32_t pixel_offset = 14 + 40 + palette_bytes;
  const std::uint32_t file_size = pixel_offset + stride * height;

  std::vector<std::uint8_t> out;
  out.reserve(file_size);
  out.push_back('B');
  out.push_back('M');
  put_u32(out, file_size);
  put_u32(out, 0);
  put_u32(out, pixel_offset);
  put_u32(out, 40);
  put_u32(out, width);
  put_u32(out, height);
  put_u16(out, 1);  // planes
  put_u16(out, 8);  // bits per pixel
  put_u32(out, 0);  // no compression
  put_u32(out, stride * height);
  put_u32(out, 2835);
  put_u32(out, 2835);
  put_u32(out, 256);
  put_u32(out, 0);
  for (std::uint32_t i = 0; i < 256; ++i) {
    for (int c = 0; c < 3; ++c) out.push_back(static_cast<std::uint8_t>(i));
    out.push_back(0);
  }
  std::uint64_t bits = 0;
  int bits_left = 0;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < stride; ++x) {
      if (bits_left == 0) {
        bits = next_random(state);
        bits_left = 8;
      }
      const auto byte = static_cast<std::uint32_t>(bits & 0xFFu);
      bits >>= 8;
      --bits_left;
      out.push_back(x < width ? static_cast<std::uint8_t>(byte % levels) : 0);
    }
  }

  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() ||
      std::fclose(file) != 0) {
    std::fprintf(stderr, "make_inputs: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
