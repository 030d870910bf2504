#include "bitmap/pixel_rows.h"

#include <gtest/gtest.h>

#include "support/bmp_builder.h"

namespace tilecut {
namespace {

TEST(PixelOffset, CountsRowsFromTheStoredOrder) {
  struct Case {
    std::int64_t stride;
    std::int32_t height;
    std::int32_t x, y;
    std::int64_t offset;
  };
  const Case cases[] = {
      {16, 16, 0, 0, 240},   // the top-left pixel starts the last stored row
      {16, 16, 3, 15, 3},    // the bottom row is stored first
      {20, 10, 17, 1, 177},  // padded rows
      {16, -16, 0, 0, 0},    // top-down: row 0 is stored first
      {16, -16, 5, 2, 37},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pixel_offset(c.stride, c.height, c.x, c.y), c.offset)
        << c.stride << " " << c.height << " " << c.x << "," << c.y;
  }
}

TEST(PixelRows, FindsRowsThroughThePixelArrayOffset) {
  // A short colour table and extra bytes before the rows.
  for (bool top_down : {false, true}) {
    tilecut_test::bmp_layout layout;
    layout.width = 5;
    layout.height = 3;
    layout.top_down = top_down;
    layout.palette_entries = 7;
    layout.gap = 9;
    layout.pixels = tilecut_test::make_pixels(
        5, 3, [](int x, int y) { return static_cast<std::uint8_t>(10 * y + x); });
    const std::string file = tilecut_test::build_bmp(layout);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()),
                                              file.size());
    bitmap_header header;
    ASSERT_EQ(read_bitmap_header(bytes, "x.bmp", header), 0);
    bitmap_pixels pixels;
    ASSERT_EQ(open_pixel_rows(bytes, header, "x.bmp", 1 << 20, pixels), 0);
    EXPECT_EQ(pixels.rows.width, 5);
    EXPECT_EQ(pixels.rows.rows, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(pixels.rows.row(y)[x], 10 * y + x) << top_down;
    }
  }
}

}  // namespace
}  // namespace tilecut
