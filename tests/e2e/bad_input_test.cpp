// Bad bitmaps, bad regions and failing outputs: each gets its message, is
// skipped, and leaves the other entries' output whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "support/tilecut_process.h"

namespace {

using tilecut_test::bmp_layout;
using tilecut_test::build_bmp;
using tilecut_test::cp932;

std::string good_bitmap() {
  bmp_layout layout;
  layout.width = 16;
  layout.height = 16;
  layout.pixels = tilecut_test::make_pixels(
      16, 16, [](int x, int y) { return static_cast<std::uint8_t>((x + y) % 4); });
  return build_bmp(layout);
}

std::string with_field(std::string file, std::size_t offset, std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i)
    file[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  return file;
}

std::string rle8_bitmap(std::vector<std::uint8_t> stream, int width = 8, int height = 8) {
  bmp_layout layout;
  layout.width = width;
  layout.height = height;
  layout.compression = 1;
  layout.raw_pixel_data = std::move(stream);
  return build_bmp(layout);
}

// The listing and FR file of the good entries around the failing one.
struct good_outputs {
  std::string listing;
  std::string fr;
};

good_outputs outputs_of_good_entries_alone() {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  dir.write("format.txt",
            "good.bmp 0 0 16 16 before 0 1 2 3\ngood.bmp 8 0 8 16 after.fr 3 2 1 0\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.status, 0);
  return {*dir.read("output.txt"), *dir.read("after.fr")};
}

TEST(BadInput, EachFaultIsReportedAndSkipped) {
  const std::string good = good_bitmap();
  bmp_layout one_bit;
  one_bit.bit_count = 1;
  one_bit.width = 16;
  one_bit.palette_entries = 2;
  bmp_layout os2;
  os2.info_size = 12;
  struct Case {
    const char* what;
    std::string bitmap;
    std::string region;   // x y width height
    std::string message;  // UTF-8, "bad.bmp" for the name
  };
  const Case cases[] = {
      {"empty file", "", "0 0 8 8", "bad.bmp は BMP fileではありません\n"},
      {"one byte", "B", "0 0 8 8", "bad.bmp は BMP fileではありません\n"},
      {"too short for the header size", good.substr(0, 17), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"OS/2 header", build_bmp(os2), "0 0 8 8", "bad.bmp は対応していない形式です\n"},
      {"shorter than its information header", with_field(good, 14, 124).substr(0, 100), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"shorter than 54 bytes", good.substr(0, 53), "0 0 8 8", "bad.bmp のデータが壊れています\n"},
      {"24 bits", with_field(good, 28, 24, 2), "0 0 8 8", "２５６色ではありません\n"},
      {"RLE4", with_field(good, 30, 2), "0 0 8 8", "bad.bmp は対応していない形式です\n"},
      {"bit fields", with_field(good, 30, 3), "0 0 8 8", "bad.bmp は対応していない形式です\n"},
      {"top-down RLE8", with_field(rle8_bitmap({0, 1}), 22, static_cast<std::uint32_t>(-8)),
       "0 0 8 8", "bad.bmp は対応していない形式です\n"},
      {"width 0", with_field(good, 18, 0), "0 0 8 8", "bad.bmp のデータが壊れています\n"},
      {"negative width", with_field(good, 18, static_cast<std::uint32_t>(-16)), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"height 0", with_field(good, 22, 0), "0 0 8 8", "bad.bmp のデータが壊れています\n"},
      {"rows cut short", good.substr(0, good.size() - 1), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"rows taller than the file", with_field(good, 22, 0x7FFFFFFF), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"pixel offset past the end", with_field(good, 10, 0xFFFFFFF0), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"RLE8 stream outside the file", with_field(rle8_bitmap({0, 1}), 10, 5000), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"RLE8 cut off in a run", rle8_bitmap({4, 1, 3}), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"RLE8 cut off in a literal", rle8_bitmap({0, 6, 1, 2}), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"RLE8 run past the row", rle8_bitmap({9, 1, 0, 1}), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"RLE8 past the last row", rle8_bitmap({0, 2, 0, 8, 1, 1}), "0 0 8 8",
       "bad.bmp のデータが壊れています\n"},
      {"x negative", good, "-1 0 8 8", "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"y negative", good, "0 -8 8 8", "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"whole tiles past the right edge", good, "9 0 7 8",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"whole tiles past the bottom", good, "0 1 8 16",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"region far outside", good, "2147483647 2147483647 2147483647 2147483640",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
  };
  const good_outputs expected = outputs_of_good_entries_alone();
  for (const Case& c : cases) {
    for (const char* output : {"bad_array", "bad.fr"}) {
      tilecut_test::temp_dir dir;
      dir.write("good.bmp", good);
      dir.write("bad.bmp", c.bitmap);
      dir.write("format.txt", "good.bmp 0 0 16 16 before 0 1 2 3\nbad.bmp " + c.region + " " +
                                  output + " 0 1 2 3\ngood.bmp 8 0 8 16 after.fr 3 2 1 0\n");
      const auto result = tilecut_test::run_tilecut(dir);
      EXPECT_EQ(result.output, cp932(c.message)) << c.what << ", " << output;
      EXPECT_EQ(result.status, 1) << c.what << ", " << output;
      EXPECT_EQ(*dir.read("output.txt"), expected.listing) << c.what << ", " << output;
      EXPECT_EQ(*dir.read("after.fr"), expected.fr) << c.what << ", " << output;
      if (std::string(output) == "bad.fr") {
        EXPECT_EQ(*dir.read("bad.fr"), "") << c.what;
      }
    }
  }
}

TEST(BadInput, BinaryModeChecksHeightThenRegion) {
  bmp_layout one_bit;
  one_bit.bit_count = 1;
  one_bit.width = 16;
  one_bit.palette_entries = 2;
  struct Case {
    const char* what;
    std::string bitmap;
    std::string region;
    std::string message;
  };
  const Case cases[] = {
      {"height 1", good_bitmap(), "0 0 8 1", "画像が８の倍数ではありません\n"},
      {"height 1, 1-bit", build_bmp(one_bit), "0 0 8 1", "画像が８の倍数ではありません\n"},
      {"height not a multiple of 8 before a region outside", good_bitmap(), "-5 0 8 12",
       "画像が８の倍数ではありません\n"},
      {"negative height", good_bitmap(), "0 0 8 -8",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"negative width", good_bitmap(), "0 0 -8 8",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"negative width, 1-bit", build_bmp(one_bit), "0 0 -800 8",
       "bad.bmp の切り出し範囲が画像からはみ出しています\n"},
      {"FR file over the memory limit, 1-bit", build_bmp(one_bit), "0 0 2147483647 8",
       "メモリが足りません\n"},
  };
  for (const Case& c : cases) {
    tilecut_test::temp_dir dir;
    dir.write("bad.bmp", c.bitmap);
    dir.write("format.txt", "bad.bmp " + c.region + " bad.fr 0 1 2 3\n");
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.output, cp932(c.message)) << c.what;
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_EQ(*dir.read("bad.fr"), "") << c.what;
  }
}

TEST(BadInput, TextModeSkipsTheRegionCheckWhenThereAreNoTiles) {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  dir.write("format.txt", "good.bmp -100 -100 0 8 a 0 1 2 3\ngood.bmp 500 0 8 -3 b 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(*dir.read("output.txt"), "short a[]={\r\n};\r\nshort b[]={\r\n};\r\n");
}

TEST(BadInput, OversizedImagesAreRefusedBeforeAllocation) {
  tilecut_test::temp_dir dir;
  // Sparse: 1.5 GiB long, nothing stored.
  const auto huge = dir.path() / "huge.bmp";
  dir.write("huge.bmp", "BM");
  std::filesystem::resize_file(huge, (std::uintmax_t{3} << 29));
  // An RLE8 header claiming 40000 x 30000 pixels.
  bmp_layout big;
  big.width = 40000;
  big.height = 30000;
  big.compression = 1;
  big.raw_pixel_data = {0, 1};
  dir.write("rle.bmp", build_bmp(big));
  dir.write("good.bmp", good_bitmap());
  dir.write(
      "format.txt",
      "huge.bmp 0 0 8 8 a 0 1 2 3\nrle.bmp 0 0 8 8 b.fr 0 1 2 3\ngood.bmp 0 0 8 8 c 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("メモリが足りません\nメモリが足りません\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(*dir.read("b.fr"), "");
  EXPECT_EQ(dir.read("output.txt")->substr(0, 13), "short c[]={\r\n");
}

TEST(BadInput, UncreatableFrFileSkipsTheEntryWithoutReadingItsBitmap) {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  // The bitmap does not exist: were it read, the run would stop.
  dir.write("format.txt",
            "absent.bmp 0 0 8 8 no/such/dir.fr 0 1 2 3\ngood.bmp 0 0 8 8 c 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("no/such/dir.frが作成できません\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(dir.read("output.txt")->substr(0, 13), "short c[]={\r\n");
}

TEST(BadInput, UncreatableListingEndsTheRun) {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  std::filesystem::create_directory(dir.path() / "output.txt");
  dir.write("format.txt", "good.bmp 0 0 8 8 c.fr 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("output.txtが作成できません\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_FALSE(dir.read("c.fr").has_value());
}

TEST(BadInput, FailedWritesAreReportedOncePerFile) {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  std::filesystem::create_symlink("/dev/full", dir.path() / "output.txt");
  std::filesystem::create_symlink("/dev/full", dir.path() / "full.fr");
  dir.write("format.txt",
            "good.bmp 0 0 16 16 a 0 1 2 3\ngood.bmp 0 0 8 8 full.fr 0 1 2 3\n"
            "good.bmp 0 0 8 8 ok.fr 0 1 2 3\ngood.bmp 0 0 8 8 b 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.output, cp932("full.frに書き込めません\noutput.txtに書き込めません\n"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(dir.read("ok.fr")->size(), 48u);
}

TEST(BadInput, NameWithANulByteNamesNoFile) {
  tilecut_test::temp_dir dir;
  dir.write("good.bmp", good_bitmap());
  dir.write("format.txt", std::string("good.bmp\0x 0 0 8 8 a 0 1 2 3\n", 29));
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.output, std::string("good.bmp\0x", 10) + cp932("が見つかりません\n"));
  EXPECT_EQ(result.status, 255);
}

}  // namespace
