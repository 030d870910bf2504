#include "bitmap/bitmap_header.h"

#include <gtest/gtest.h>

#include "support/bmp_builder.h"

namespace tilecut {
namespace {

using tilecut_test::bmp_layout;
using tilecut_test::build_bmp;

std::span<const std::uint8_t> bytes_of(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(RowStride, RoundsRowsUpToWholeWords) {
  struct Case {
    std::uint16_t bit_count;
    std::int32_t width;
    std::int64_t stride;
  };
  const Case cases[] = {
      {8, 1, 4},  {8, 4, 4},  {8, 5, 8},  {8, 16, 16}, {8, 17, 20},
      {1, 16, 4}, {1, 32, 4}, {1, 33, 8}, {8, 0, 0},   {8, 2147483647, 2147483648}};
  for (const Case& c : cases) {
    EXPECT_EQ(row_stride(c.bit_count, c.width), c.stride)
        << c.bit_count << " bits, width " << c.width;
  }
}

TEST(BitmapHeader, ReadsTheFields) {
  bmp_layout layout;
  layout.width = 24;
  layout.height = 16;
  layout.top_down = true;
  layout.info_size = 124;
  layout.palette_entries = 16;
  const std::string file = build_bmp(layout);
  bitmap_header header;
  ASSERT_EQ(read_bitmap_header(bytes_of(file), "x.bmp", header), 0);
  EXPECT_EQ(header.info_size, 124u);
  EXPECT_EQ(header.width, 24);
  EXPECT_EQ(header.height, -16);
  EXPECT_EQ(header.bit_count, 8);
  EXPECT_EQ(header.pixel_array_offset, 14u + 124u + 64u);
}

TEST(ColourTable, FollowsTheInformationHeader) {
  for (std::uint32_t info_size : {40u, 108u, 124u}) {
    bmp_layout layout;
    layout.info_size = info_size;
    layout.palette_entries = 4;
    layout.blue = [](std::uint32_t n) { return static_cast<std::uint8_t>(10 + n); };
    const std::string file = build_bmp(layout);
    bitmap_header header;
    ASSERT_EQ(read_bitmap_header(bytes_of(file), "x.bmp", header), 0);
    std::uint8_t blue = 0;
    ASSERT_TRUE(colour_blue(bytes_of(file), header, 3, blue));
    EXPECT_EQ(blue, 13) << info_size;
    // Past the four entries the bytes are pixels; far past them, or before
    // the table, there is no entry at all.
    EXPECT_FALSE(colour_blue(bytes_of(file), header, 100000, blue));
    EXPECT_FALSE(colour_blue(bytes_of(file), header, -1000, blue));
  }
}

}  // namespace
}  // namespace tilecut
