// The run loop end to end: the built binary in a fresh directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "support/tilecut_process.h"

namespace {

using tilecut_test::cp932;
using tilecut_test::run_tilecut;
using tilecut_test::temp_dir;

// A 16 x 16 bitmap whose four 8 x 8 quadrants hold the values 0, 1, 2, 3.
std::string quadrant_bitmap() {
  tilecut_test::bmp_layout layout;
  layout.width = 16;
  layout.height = 16;
  layout.pixels = tilecut_test::make_pixels(
      16, 16, [](int x, int y) { return static_cast<std::uint8_t>((y / 8) * 2 + x / 8); });
  return tilecut_test::build_bmp(layout);
}

std::string tile_line(const char* word) {
  std::string line = "\t";
  for (int i = 0; i < 8; ++i) line += std::string(word) + ", ";
  return line + "\r\n";
}

TEST(Run, MissingJobListEndsTheRunWithoutCreatingAnything) {
  temp_dir dir;
  dir.write("output.txt", "kept");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("format.txtが見つかりません\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(*dir.read("output.txt"), "kept");
}

TEST(Run, EmptyOrBinaryOnlyJobListsLeaveAnEmptyListing) {
  const char* lists[] = {"", " \r\n\t\r\n", "\x1a a.bmp 0 0 8 8 chr 0 1 2 3",
                         "q.bmp 0 0 8 8 q.fr 0 1 2 3\r\n"};
  for (const char* list : lists) {
    temp_dir dir;
    dir.write("q.bmp", quadrant_bitmap());
    dir.write("output.txt", "old contents");
    dir.write("format.txt", list);
    const auto result = run_tilecut(dir);
    EXPECT_EQ(result.status, 0) << list;
    EXPECT_EQ(result.output, "") << list;
    EXPECT_EQ(*dir.read("output.txt"), "") << list;
  }
}

TEST(Run, ConvertsTextEntriesInJobListOrder) {
  temp_dir dir;
  dir.write("q.bmp", quadrant_bitmap());
  // Two entries on one line, one spread over lines, a repeated name.
  dir.write("format.txt",
            "q.bmp 0 0 16 8 top 0 1 2 3 q.bmp 8 8 8 8 corner 0 1 2 3\r\n"
            "q.bmp\r\n0 8\n16 8 top\n3 2 1 0\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(*dir.read("output.txt"), "short top[]={\r\n" + tile_line("0x0000") +
                                         tile_line("0x00FF") + "};\r\n" + "short corner[]={\r\n" +
                                         tile_line("0xFFFF") + "};\r\n" + "short top[]={\r\n" +
                                         tile_line("0x00FF") + tile_line("0x0000") + "};\r\n");
}

TEST(Run, ShortLastEntryRunsWithTheEarlierColourIndices) {
  temp_dir dir;
  dir.write("q.bmp", quadrant_bitmap());
  dir.write("format.txt", "q.bmp 0 0 8 8 a 3 2 1 0\nq.bmp 8 8 8 8 b");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(*dir.read("output.txt"), "short a[]={\r\n" + tile_line("0xFFFF") + "};\r\n" +
                                         "short b[]={\r\n" + tile_line("0x0000") + "};\r\n");
}

TEST(Run, MissingBitmapStopsTheRunKeepingEarlierOutput) {
  temp_dir dir;
  dir.write("q.bmp", quadrant_bitmap());
  dir.write("format.txt",
            "q.bmp 0 0 8 8 a 0 1 2 3\n"
            "q.bmp 8 0 8 8 b.fr 0 1 2 3\n"
            "nothing.bmp 0 0 8 8 c.fr 0 1 2 3\n"
            "q.bmp 0 0 8 8 d 0 1 2 3\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.output, cp932("nothing.bmpが見つかりません\n"));
  EXPECT_EQ(*dir.read("output.txt"), "short a[]={\r\n" + tile_line("0x0000") + "};\r\n");
  EXPECT_EQ(dir.read("b.fr")->size(), 48u);
  EXPECT_EQ(*dir.read("c.fr"), "");
}

TEST(Run, DirectoryNamedAsBitmapCannotBeOpened) {
  temp_dir dir;
  std::filesystem::create_directory(dir.path() / "sub.bmp");
  dir.write("format.txt", "sub.bmp 0 0 8 8 out 0 1 2 3\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("sub.bmpが見つかりません\n"));
  EXPECT_EQ(result.status, 255);
}

TEST(Run, RejectedEntriesAreSkippedAndTheStatusSaysSo) {
  temp_dir dir;
  dir.write("q.bmp", quadrant_bitmap());
  dir.write("text.bmp", "this is not a bitmap");
  tilecut_test::bmp_layout deep;
  deep.bit_count = 24;
  dir.write("deep.bmp", tilecut_test::build_bmp(deep));
  dir.write("format.txt",
            "q.bmp 0 0 8 8 a 0 1 2 3\n"
            "text.bmp 0 0 8 8 bad 0 1 2 3\n"
            "deep.bmp 0 0 8 8 deep.fr 0 1 2 3\n"
            "q.bmp 8 8 8 8 d 0 1 2 3\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, cp932("text.bmp は BMP fileではありません\n２５６色ではありません\n"));
  EXPECT_EQ(*dir.read("output.txt"), "short a[]={\r\n" + tile_line("0x0000") + "};\r\n" +
                                         "short d[]={\r\n" + tile_line("0xFFFF") + "};\r\n");
  EXPECT_EQ(*dir.read("deep.fr"), "");
}

TEST(Run, OneBitBitmapGivesAnEmptyArray) {
  temp_dir dir;
  tilecut_test::bmp_layout layout;
  layout.bit_count = 1;
  layout.width = 16;
  layout.palette_entries = 2;
  dir.write("mono.bmp", tilecut_test::build_bmp(layout));
  dir.write("format.txt", "mono.bmp 0 0 16 8 mono 0 1 2 3\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(*dir.read("output.txt"), "short mono[]={\r\n};\r\n");
}

TEST(Run, OutputNamedAfterItsOwnBitmapEmptiesItFirst) {
  temp_dir dir;
  dir.write("self.fr", quadrant_bitmap());
  dir.write("format.txt", "self.fr 0 0 8 8 self.fr 0 1 2 3\n");
  const auto result = run_tilecut(dir);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, cp932("self.fr は BMP fileではありません\n"));
  EXPECT_EQ(*dir.read("self.fr"), "");
}

}  // namespace
