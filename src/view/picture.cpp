#include "view/picture.h"

#include <algorithm>
#include <cstdlib>

#include "view/view_messages.h"

namespace tilecut {
namespace {

// Picture pixels along one side: cells of `cell` pixels with a line between
// them when gap is 1; -1 when past the limit.
std::int64_t side_length(std::int64_t cells, std::int64_t cell, std::int64_t gap) {
  if (cells <= 0) return 0;
  if (cells > max_picture_pixels / (cell + gap)) return -1;
  return cells * (cell + gap) - gap;
}

void draw_grid(picture& out, std::int32_t pitch) {
  const std::uint8_t slot = grid_slot(out.greys);
  const auto width = static_cast<std::size_t>(out.width);
  for (std::int32_t y = 0; y < out.height; ++y) {
    const bool line_row = y % pitch == pitch - 1;
    for (std::int32_t x = 0; x < out.width; ++x) {
      if (line_row || x % pitch == pitch - 1) {
        out.pixels[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] = slot;
      }
    }
  }
}

void draw_tile(picture& out, const std::uint16_t* words, std::int32_t left, std::int32_t top,
               int scale) {
  const auto width = static_cast<std::size_t>(out.width);
  for (int r = 0; r < tile_side; ++r) {
    for (int j = 0; j < tile_side; ++j) {
      const std::uint8_t slot = word_slot(words[r], j);
      for (int dy = 0; dy < scale; ++dy) {
        const auto y = static_cast<std::size_t>(top + r * scale + dy);
        const auto x = static_cast<std::size_t>(left + j * scale);
        std::fill_n(out.pixels.begin() + static_cast<std::ptrdiff_t>(y * width + x), scale, slot);
      }
    }
  }
}

}  // namespace

tile_sheet sheet_of_array(const tile_array& array, std::int64_t columns) {
  tile_sheet sheet;
  sheet.words = array.words;
  const auto count = static_cast<std::int64_t>(sheet.tile_count());
  sheet.columns = std::min(columns, count);
  sheet.rows = sheet.columns > 0 ? (count + sheet.columns - 1) / sheet.columns : 0;
  return sheet;
}

std::uint8_t grid_slot(const slot_greys& greys) {
  std::uint8_t best = 1;
  for (std::uint8_t k = 1; k < 4; ++k) {
    if (std::abs(greys[k] - greys[0]) > std::abs(greys[best] - greys[0])) best = k;
  }
  return best;
}

int draw_sheet(const tile_sheet& sheet, const draw_options& options, picture& out) {
  const std::int64_t cell = std::int64_t{tile_side} * options.scale;
  const std::int64_t gap = options.grid ? 1 : 0;
  const std::int64_t width = side_length(sheet.columns, cell, gap);
  const std::int64_t height = side_length(sheet.rows, cell, gap);
  if (width < 0 || height < 0 || (height > 0 && width > max_picture_pixels / height)) {
    report(view_messages::out_of_memory);
    return -1;
  }
  out = picture{};
  out.width = static_cast<std::int32_t>(width);
  out.height = static_cast<std::int32_t>(height);
  out.greys = sheet.greys;
  out.pixels.assign(static_cast<std::size_t>(width * height), 0);
  const auto pitch = static_cast<std::int32_t>(cell + gap);
  if (options.grid) draw_grid(out, pitch);
  const std::size_t shown =
      std::min(sheet.tile_count(), static_cast<std::size_t>(sheet.columns * sheet.rows));
  for (std::size_t t = 0; t < shown; ++t) {
    const auto column = static_cast<std::int32_t>(static_cast<std::int64_t>(t) % sheet.columns);
    const auto row = static_cast<std::int32_t>(static_cast<std::int64_t>(t) / sheet.columns);
    draw_tile(out, sheet.words.data() + t * tile_side, column * pitch, row * pitch, options.scale);
  }
  return 0;
}

}  // namespace tilecut
