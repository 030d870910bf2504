#include "tiles/listing.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/cp932.h"
#include "support/tilecut_process.h"

namespace tilecut {
namespace {

TEST(Listing, WritesArraysWithCrLfLineEnds) {
  tilecut_test::temp_dir dir;
  const std::string path = (dir.path() / "out.txt").string();
  listing out;
  ASSERT_EQ(create_listing(out, path), 0);
  write_array_open(out, "chr");
  std::vector<std::uint16_t> words = {0x00FF, 0xFF00, 0xFFFF, 0x8080, 0x0001, 0x3355,
                                      0x0000, 0xABCD, 0x1234, 0x5678, 0x9ABC, 0xDEF0,
                                      0x0F0F, 0xF0F0, 0x000A, 0xA000};
  listing_sink sink(out);
  sink.put_tiles(words.data(), 2);
  write_array_close(out);
  write_array_open(out, "empty");
  write_array_close(out);
  ASSERT_EQ(close_listing(out), 0);
  EXPECT_EQ(*dir.read("out.txt"),
            "short chr[]={\r\n"
            "\t0x00FF, 0xFF00, 0xFFFF, 0x8080, 0x0001, 0x3355, 0x0000, 0xABCD, \r\n"
            "\t0x1234, 0x5678, 0x9ABC, 0xDEF0, 0x0F0F, 0xF0F0, 0x000A, 0xA000, \r\n"
            "};\r\n"
            "short empty[]={\r\n"
            "};\r\n");
}

TEST(Listing, KeepsEveryLineOfALargeListing) {
  tilecut_test::temp_dir dir;
  listing out;
  ASSERT_EQ(create_listing(out, (dir.path() / "big.txt").string()), 0);
  std::vector<std::uint16_t> words(8 * 5000);
  for (std::size_t i = 0; i < words.size(); ++i)
    words[i] = static_cast<std::uint16_t>(i * 2654435761u);
  listing_sink sink(out);
  sink.put_tiles(words.data(), 3000);
  sink.put_tiles(words.data() + 8 * 3000, 2000);
  ASSERT_EQ(close_listing(out), 0);
  const std::string text = *dir.read("big.txt");
  ASSERT_EQ(text.size(), 5000u * 67);
  char expected[8];
  std::snprintf(expected, sizeof expected, "0x%04X", words[8 * 4321 + 5]);
  EXPECT_EQ(text.substr(4321 * 67 + 1 + 5 * 8, 6), expected);
}

TEST(Listing, ReportsAFailedWriteOnce) {
  listing out;
  ASSERT_EQ(create_listing(out, "/dev/full"), 0);
  out.name = "output.txt";
  testing::internal::CaptureStdout();
  write_array_open(out, "a");
  EXPECT_EQ(flush_listing(out), -1);
  write_array_open(out, "b");
  EXPECT_EQ(close_listing(out), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            tilecut_test::cp932("output.txtに書き込めません\n"));
}

}  // namespace
}  // namespace tilecut
