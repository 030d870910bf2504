// Drawing: where each tile pixel lands with scale and grid, which slot the
// grid takes, and how an array is laid out.
#include "view/picture.h"

#include <gtest/gtest.h>

#include "support/bmp_builder.h"
#include "support/cp932.h"

namespace {

// Slot of pixel (j, r) of tile t in the test pattern: every slot in every
// position of some tile, and no two tiles alike.
std::uint8_t pattern(std::size_t t, int r, int j) {
  return static_cast<std::uint8_t>((t * 5 + static_cast<std::size_t>(r * 3 + j * (r + 1))) % 4);
}

// The tiles' words, encoded by the test support's own reference encoder.
tilecut::tile_sheet pattern_sheet(std::size_t count, std::int64_t columns, std::int64_t rows,
                                  tilecut::slot_greys greys) {
  tilecut::tile_sheet sheet;
  for (std::size_t t = 0; t < count; ++t) {
    for (int r = 0; r < 8; ++r) {
      std::uint8_t row[8];
      for (int j = 0; j < 8; ++j) row[j] = pattern(t, r, j);
      sheet.words.push_back(tilecut_test::reference_word(row, {0, 1, 2, 3}));
    }
  }
  sheet.columns = columns;
  sheet.rows = rows;
  sheet.greys = greys;
  return sheet;
}

TEST(Picture, PlacesEveryPixelWithScaleAndGrid) {
  struct Case {
    std::size_t tiles;
    std::int64_t columns, rows;
    int scale;
    bool grid;
    std::int32_t width, height;
  };
  const Case cases[] = {
      {1, 1, 1, 1, false, 8, 8},  {1, 1, 1, 3, true, 24, 24}, {6, 3, 2, 1, false, 24, 16},
      {6, 3, 2, 2, true, 50, 33}, {5, 3, 2, 1, true, 26, 17},  // last cell empty
      {4, 1, 4, 1, true, 8, 35},
  };
  const tilecut::slot_greys greys = {10, 20, 250, 30};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.tiles << " tiles, " << c.columns << " across, scale "
                                      << c.scale << (c.grid ? ", grid" : ""));
    tilecut::picture image;
    ASSERT_EQ(tilecut::draw_sheet(pattern_sheet(c.tiles, c.columns, c.rows, greys),
                                  {c.scale, c.grid}, image),
              0);
    ASSERT_EQ(image.width, c.width);
    ASSERT_EQ(image.height, c.height);
    EXPECT_EQ(image.greys, greys);
    const int pitch = 8 * c.scale + (c.grid ? 1 : 0);
    for (std::int32_t y = 0; y < image.height; ++y) {
      for (std::int32_t x = 0; x < image.width; ++x) {
        const bool line = c.grid && (x % pitch == pitch - 1 || y % pitch == pitch - 1);
        const auto t = static_cast<std::size_t>((y / pitch) * c.columns + x / pitch);
        const int r = (y % pitch) / c.scale;
        const int j = (x % pitch) / c.scale;
        const std::uint8_t expected = line ? 2 : t < c.tiles ? pattern(t, r, j) : 0;
        ASSERT_EQ(image.at(x, y), expected) << "at " << x << "," << y;
      }
    }
  }
}

TEST(Picture, GridTakesTheSlotFarthestFromSlotZero) {
  const std::pair<tilecut::slot_greys, int> cases[] = {
      {tilecut::grey_ramp, 3},   {{0, 10, 255, 100}, 2},
      {{128, 0, 255, 100}, 1},                               // 128 away beats 127
      {{200, 150, 100, 250}, 2}, {{100, 100, 100, 100}, 1},  // all alike: the first
      {{0, 255, 0, 255}, 1},
  };
  for (const auto& [greys, slot] : cases) {
    EXPECT_EQ(tilecut::grid_slot(greys), slot) << int{greys[0]} << " " << int{greys[1]};
  }
}

TEST(Picture, ArraysAreLaidOutInRowsOfColumns) {
  struct Case {
    std::size_t tiles;
    std::int64_t asked, columns, rows;
  };
  const Case cases[] = {
      {5, 2, 2, 3}, {5, 16, 5, 1}, {16, 16, 16, 1}, {17, 16, 16, 2}, {1, 1, 1, 1}, {0, 16, 0, 0},
  };
  for (const Case& c : cases) {
    tilecut::tile_array array{"A", std::vector<std::uint16_t>(c.tiles * 8, 0x0101)};
    const tilecut::tile_sheet sheet = tilecut::sheet_of_array(array, c.asked);
    EXPECT_EQ(sheet.columns, c.columns) << c.tiles << " tiles, " << c.asked << " asked";
    EXPECT_EQ(sheet.rows, c.rows) << c.tiles << " tiles, " << c.asked << " asked";
    EXPECT_EQ(sheet.words, array.words);
    EXPECT_EQ(sheet.greys, tilecut::grey_ramp);
  }
}

TEST(Picture, RefusesAPictureLargerThanTheLimit) {
  tilecut::tile_sheet sheet = pattern_sheet(1, 1 << 13, 1 << 13, tilecut::grey_ramp);
  tilecut::picture image;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(tilecut::draw_sheet(sheet, {1, false}, image), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), tilecut_test::cp932("メモリが足りません\n"));
  EXPECT_TRUE(image.pixels.empty());
}

}  // namespace
