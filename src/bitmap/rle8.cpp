#include "bitmap/rle8.h"

#include <cstring>

namespace tilecut {
namespace {

constexpr std::uint8_t escape_end_of_row = 0;
constexpr std::uint8_t escape_end_of_bitmap = 1;
constexpr std::uint8_t escape_move = 2;

}  // namespace

bool decode_rle8(std::span<const std::uint8_t> stream, std::size_t stride, std::size_t rows,
                 std::uint8_t* out) {
  // x and row may be moved beyond the rows by a move escape; only a write
  // there is an error. 64 bits hold any position a stream can reach.
  std::uint64_t x = 0;
  std::uint64_t row = 0;
  std::size_t at = 0;
  const auto fits = [&](std::uint64_t count) {
    return row < rows && x <= stride && count <= stride - x;
  };

  while (at < stream.size()) {
    const std::uint8_t count = stream[at++];
    if (at >= stream.size()) return false;
    const std::uint8_t code = stream[at++];
    if (count > 0) {
      if (!fits(count)) return false;
      std::memset(out + row * stride + x, code, count);
      x += count;
      continue;
    }
    switch (code) {
      case escape_end_of_row:
        x = 0;
        ++row;
        break;
      case escape_end_of_bitmap:
        return true;
      case escape_move:
        if (stream.size() - at < 2) return false;
        x += stream[at];
        row += stream[at + 1];
        at += 2;
        break;
      default:
        if (stream.size() - at < code || !fits(code)) return false;
        std::memcpy(out + row * stride + x, stream.data() + at, code);
        x += code;
        at += code + (code & 1u);  // literal runs are padded to an even length
        break;
    }
  }
  return true;
}

}  // namespace tilecut
