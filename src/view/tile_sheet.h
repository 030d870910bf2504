#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tilecut {

inline constexpr int tile_side = 8;  // pixels across and down a tile; also words a tile

// Grey levels of slots 0 to 3 (0 black, 255 white).
using slot_greys = std::array<std::uint8_t, 4>;

// The light-to-dark ramp used when nothing tells the colours: white, light
// grey, dark grey, black.
inline constexpr slot_greys grey_ramp = {255, 170, 85, 0};

// Tiles to draw: eight words each, laid out `columns` wide and `rows` down in
// walk order. Cells past the last tile are drawn in slot 0.
struct tile_sheet {
  std::vector<std::uint16_t> words;
  std::int64_t columns = 0;
  std::int64_t rows = 0;
  slot_greys greys = grey_ramp;

  std::size_t tile_count() const { return words.size() / tile_side; }
};

// Slot of pixel j (0 = leftmost) of a tile row word: plane 0 in the low byte,
// plane 1 in the high byte, the leftmost pixel in each byte's top bit.
inline std::uint8_t word_slot(std::uint16_t word, int j) {
  const unsigned plane0 = (word >> (7 - j)) & 1u;
  const unsigned plane1 = (word >> (15 - j)) & 1u;
  return static_cast<std::uint8_t>(plane0 | plane1 << 1);
}

}  // namespace tilecut
