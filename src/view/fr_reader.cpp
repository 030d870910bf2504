#include "view/fr_reader.h"

#include <algorithm>

#include "common/byte_order.h"
#include "view/view_messages.h"

namespace tilecut {
namespace {

constexpr std::size_t header_size = 16;
constexpr std::uint64_t byte_wrap = 256;  // header bytes 8 and 9 keep the low 8 bits

// How the body of a file is laid out: `down` rows of tiles, each tile row of
// `stored_columns` tiles taking `bytes_per_row` bytes (a word for an 8-bit
// source, one byte for a 1-bit one).
struct fr_layout {
  std::uint64_t down = 0;
  std::uint64_t stored_columns = 0;
  std::uint64_t bytes_per_row = 2;
};

bool fixed_fields_valid(std::span<const std::uint8_t> file) {
  std::uint16_t length_units = 0;
  std::uint16_t reserved = 1;
  if (!read_u16le(file, 4, length_units) || !read_u16le(file, 6, reserved)) return false;
  // The length field keeps the low 16 bits of (size + 15) / 16.
  const auto expected_units = static_cast<std::uint16_t>((file.size() + 15) / 16);
  return length_units == expected_units && reserved == 0 && file[10] == 1 && file[11] == 0;
}

// The body holds bytes_per_row * (width / 8 + 1) * height bytes. Tiles down
// comes from the header; when the header's count wrapped (or is 0 for a body
// that is not empty), the smallest count with the same low 8 bits that fits.
bool find_layout(std::uint64_t body, std::uint64_t across_byte, std::uint64_t down_byte,
                 fr_layout& layout) {
  if (body == 0) return down_byte == 0;
  for (std::uint64_t down = down_byte == 0 ? byte_wrap : down_byte; tile_side * down <= body;
       down += byte_wrap) {
    const std::uint64_t column_bytes = tile_side * down;
    if (body % column_bytes != 0) continue;
    const std::uint64_t per_tile_row = body / column_bytes;
    // An 8-bit source is taken first: both fit only past 2040 pixels across.
    if (per_tile_row % 2 == 0 && (per_tile_row / 2 - 1) % byte_wrap == across_byte) {
      layout = {down, per_tile_row / 2, 2};
      return true;
    }
    if ((per_tile_row - 1) % byte_wrap == across_byte) {
      layout = {down, per_tile_row, 1};
      return true;
    }
  }
  return false;
}

// The walk stores width / 8 + 1 columns when the width is not a multiple of
// 8, and then fills the whole body; otherwise the last `down` tiles' worth of
// the body stays 0.
std::uint64_t walked_columns(std::span<const std::uint8_t> body, const fr_layout& layout) {
  const std::uint64_t tail = layout.bytes_per_row * tile_side * layout.down;
  const auto tail_start = body.end() - static_cast<std::ptrdiff_t>(tail);
  const bool tail_blank =
      std::all_of(tail_start, body.end(), [](std::uint8_t b) { return b == 0; });
  return tail_blank ? layout.stored_columns - 1 : layout.stored_columns;
}

bool read_words(std::span<const std::uint8_t> body, const fr_layout& layout, std::size_t count,
                std::vector<std::uint16_t>& words) {
  words.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (layout.bytes_per_row == 2) {
      if (!read_u16le(body, 2 * i, words[i])) return false;
    } else {
      if (i >= body.size()) return false;
      words[i] = body[i];  // plane 0 only
    }
  }
  return true;
}

slot_greys greys_of(std::span<const std::uint8_t> file) {
  const auto shades = file.subspan(12, 4);
  if (std::all_of(shades.begin(), shades.end(), [](std::uint8_t s) { return s == 0; })) {
    return grey_ramp;
  }
  slot_greys greys{};
  for (std::size_t k = 0; k < 4; ++k) greys[k] = static_cast<std::uint8_t>(255 - shades[k]);
  return greys;
}

int corrupt(std::string_view name) {
  report(view_messages::corrupt_data, name);
  return -1;
}

}  // namespace

bool is_fr_file(std::span<const std::uint8_t> file) {
  return file.size() >= 4 && file[0] == 'F' && file[1] == 'R' && file[2] == 'B' && file[3] == 'M';
}

int read_fr_sheet(std::span<const std::uint8_t> file, std::string_view name, tile_sheet& sheet) {
  if (file.size() < header_size || !fixed_fields_valid(file)) return corrupt(name);
  const std::span<const std::uint8_t> body = file.subspan(header_size);
  fr_layout layout;
  if (!find_layout(body.size(), file[8], file[9], layout)) return corrupt(name);
  sheet = tile_sheet{};
  sheet.greys = greys_of(file);
  if (layout.down == 0) return 0;
  const std::uint64_t columns = walked_columns(body, layout);
  const std::uint64_t count = columns * layout.down * tile_side;
  if (!read_words(body, layout, static_cast<std::size_t>(count), sheet.words)) {
    return corrupt(name);
  }
  sheet.columns = static_cast<std::int64_t>(columns);
  sheet.rows = static_cast<std::int64_t>(layout.down);
  return 0;
}

}  // namespace tilecut
