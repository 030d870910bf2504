#include "tiles/fr_file.h"

#include <gtest/gtest.h>

namespace tilecut {
namespace {

TEST(OutputSize, CountsOneColumnOfTilesMoreThanWidthOverEight) {
  struct Case {
    std::uint16_t bit_count;
    std::int32_t width, height;
    std::int64_t size;
  };
  const Case cases[] = {
      {8, 8, 8, 48},      {8, 16, 8, 64},
      {8, 64, 64, 1168},  {8, 12, 8, 48},
      {8, 7, 8, 32},      {8, 0, 8, 32},
      {8, 16, 0, 16},     {1, 16, 8, 40},
      {1, 0, 0, 16},      {8, 2047, 2048, 2LL * 256 * 2048 + 16},
      {8, -100, 8, -160},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(output_size(c.bit_count, c.width, c.height), c.size)
        << c.bit_count << " bits " << c.width << "x" << c.height;
  }
}

TEST(FrBuffer, HeaderFieldsKeepTheirLowBits) {
  struct Case {
    std::int32_t width, height;
    std::uint8_t units_lo, units_hi, across, down;
  };
  const Case cases[] = {
      {8, 8, 3, 0, 1, 1},
      {64, 64, 73, 0, 8, 8},
      {2048, 8, 0x02, 0x01, 0, 1},         // 256 tiles across: stored as 0
      {8, 2048, 0x01, 0x02, 1, 0},         // 512 bytes * 2048 rows / 16 = 0x0201 units
      {4088, 1024, 0x01, 0x00, 255, 128},  // 2 * 512 * 1024 + 16 bytes: 65537 units
  };
  for (const Case& c : cases) {
    fr_buffer fr;
    ASSERT_EQ(setup_fr_buffer(fr, 8, c.width, c.height, std::size_t{1} << 30), 0);
    const std::uint8_t* h = fr.bytes.get();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(h), 4), "FRBM");
    EXPECT_EQ(h[4], c.units_lo) << c.width << "x" << c.height;
    EXPECT_EQ(h[5], c.units_hi) << c.width << "x" << c.height;
    EXPECT_EQ(h[6], 0);
    EXPECT_EQ(h[7], 0);
    EXPECT_EQ(h[8], c.across) << c.width;
    EXPECT_EQ(h[9], c.down) << c.height;
    EXPECT_EQ(h[10], 1);
    EXPECT_EQ(h[11], 0);
    for (std::size_t i = 12; i < fr.size; ++i) ASSERT_EQ(h[i], 0) << "byte " << i;
  }
}

TEST(FrBuffer, RefusesSizesOverTheLimit) {
  fr_buffer fr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(setup_fr_buffer(fr, 8, 64, 64, 1000), -1);
  EXPECT_EQ(setup_fr_buffer(fr, 8, -64, 64, 1000), -1);
  EXPECT_FALSE(testing::internal::GetCapturedStdout().empty());
  EXPECT_EQ(setup_fr_buffer(fr, 8, 64, 64, 1168), 0);
}

TEST(FrBodySink, StoresWordsLowByteFirstAndStopsAtTheEnd) {
  fr_buffer fr;
  ASSERT_EQ(setup_fr_buffer(fr, 8, 0, 8, 1 << 20), 0);  // a body of 16 bytes: one tile
  fr_body_sink sink(fr);
  std::uint16_t words[16];
  for (int i = 0; i < 16; ++i) words[i] = static_cast<std::uint16_t>(0xFF00 + i);
  sink.put_tiles(words, 2);  // one tile more than fits
  ASSERT_EQ(fr.size, 32u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(fr.bytes[16 + 2 * static_cast<std::size_t>(i)], i);
    EXPECT_EQ(fr.bytes[17 + 2 * static_cast<std::size_t>(i)], 0xFF);
  }
}

}  // namespace
}  // namespace tilecut
