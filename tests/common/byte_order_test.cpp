#include "common/byte_order.h"

#include <gtest/gtest.h>

#include <array>

namespace tilecut {
namespace {

const std::array<std::uint8_t, 6> bytes = {0x01, 0x02, 0x03, 0x84, 0xFF, 0x7F};

TEST(ByteOrder, ReadsLittleEndianFields) {
  std::uint16_t u16 = 0;
  ASSERT_TRUE(read_u16le(bytes, 0, u16));
  EXPECT_EQ(u16, 0x0201);
  std::uint32_t u32 = 0;
  ASSERT_TRUE(read_u32le(bytes, 1, u32));
  EXPECT_EQ(u32, 0xFF840302u);
  std::int32_t s32 = 0;
  ASSERT_TRUE(read_s32le(bytes, 2, s32));
  EXPECT_EQ(s32, 0x7FFF8403);
  ASSERT_TRUE(read_s32le(bytes, 1, s32));
  EXPECT_EQ(s32, static_cast<std::int32_t>(0xFF840302u));
}

TEST(ByteOrder, RefusesFieldsReachingPastTheEnd) {
  struct Case {
    std::size_t offset;
    bool u16_fits;
    bool u32_fits;
  };
  const Case cases[] = {{2, true, true},   {3, true, false},  {4, true, false},
                        {5, false, false}, {6, false, false}, {SIZE_MAX - 1, false, false}};
  for (const Case& c : cases) {
    std::uint16_t u16 = 0xAAAA;
    std::uint32_t u32 = 0xAAAAAAAA;
    EXPECT_EQ(read_u16le(bytes, c.offset, u16), c.u16_fits) << c.offset;
    EXPECT_EQ(read_u32le(bytes, c.offset, u32), c.u32_fits) << c.offset;
    if (!c.u16_fits) {
      EXPECT_EQ(u16, 0xAAAA);
    }
    if (!c.u32_fits) {
      EXPECT_EQ(u32, 0xAAAAAAAAu);
    }
  }
}

TEST(ByteOrder, StoresLowByteFirst) {
  std::uint8_t out[2] = {};
  store_u16le(out, 0xFF00);
  EXPECT_EQ(out[0], 0x00);
  EXPECT_EQ(out[1], 0xFF);
}

}  // namespace
}  // namespace tilecut
