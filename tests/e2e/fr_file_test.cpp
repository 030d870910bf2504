// Binary-mode entries end to end: every byte of the FR tile files.
#include <gtest/gtest.h>

#include <random>

#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "support/tilecut_process.h"

namespace {

using tilecut_test::cp932;

constexpr int sheet_width = 2056;  // wide enough for a region of 2048 pixels
constexpr int sheet_height = 72;

const std::vector<std::uint8_t>& sheet_pixels() {
  static const std::vector<std::uint8_t> pixels = [] {
    std::mt19937 random(11);
    return tilecut_test::make_pixels(sheet_width, sheet_height, [&](int, int) {
      return static_cast<std::uint8_t>(random() % 6);
    });
  }();
  return pixels;
}

std::string sheet_file() {
  tilecut_test::bmp_layout layout;
  layout.width = sheet_width;
  layout.height = sheet_height;
  layout.pixels = sheet_pixels();
  // Blue bytes 255, 170, 85, 0 for the first four entries, then 255 - n.
  layout.blue = [](std::uint32_t n) {
    return static_cast<std::uint8_t>(n < 4 ? 255 - 85 * n : 255 - n);
  };
  return tilecut_test::build_bmp(layout);
}

// The expected file, field by field, from the table's figures.
std::string expected_fr(int size, int units, int across, int down,
                        const std::vector<std::uint8_t>& shades,
                        const std::vector<std::uint16_t>& words) {
  std::string out = "FRBM";
  out += static_cast<char>(units & 0xFF);
  out += static_cast<char>(units >> 8);
  out += std::string(2, '\0');
  out += static_cast<char>(across);
  out += static_cast<char>(down);
  out += '\x01';
  out += '\0';
  for (std::uint8_t shade : shades) out += static_cast<char>(shade);
  for (std::uint16_t word : words) {
    out += static_cast<char>(word & 0xFF);
    out += static_cast<char>(word >> 8);
  }
  out.resize(static_cast<std::size_t>(size), '\0');  // body bytes no word reaches are 0
  return out;
}

TEST(FrFile, SizesHeadersAndBodies) {
  struct Case {
    int x, y, width, height;
    int indices[4];
    int size, units, across, down;
    std::vector<std::uint8_t> shades;
  };
  const Case cases[] = {
      {0, 0, 8, 8, {0, 1, 2, 3}, 48, 3, 1, 1, {0, 85, 170, 255}},
      {8, 8, 16, 8, {0, 1, 2, 3}, 64, 4, 2, 1, {0, 85, 170, 255}},
      {0, 0, 64, 64, {3, 2, 1, 0}, 1168, 73, 8, 8, {255, 170, 85, 0}},
      {0, 0, 12, 8, {0, 1, 2, 3}, 48, 3, 1, 1, {0, 85, 170, 255}},  // two columns fill the body
      {5, 0, 7, 8, {0, 1, 2, 3}, 32, 2, 0, 1, {0, 85, 170, 255}},   // one column, tiles across 0
      {0, 0, 0, 8, {0, 1, 2, 3}, 32, 2, 0, 1, {0, 85, 170, 255}},   // no words
      {0, 0, 8, 0, {0, 1, 2, 3}, 16, 1, 1, 0, {0, 85, 170, 255}},   // the header alone
      {0, 0, 2048, 8, {0, 1, 2, 3}, 4128, 258, 0, 1, {0, 85, 170, 255}},  // 256 tiles across
      {0, 0, 8, 8, {4, 5, 100000000, -100}, 48, 3, 1, 1, {4, 5, 0, 0}},  // entries outside the file
      {0, 0, 8, 8, {5, 5, 1, 1}, 48, 3, 1, 1, {5, 5, 85, 85}},
  };
  for (const Case& c : cases) {
    tilecut_test::temp_dir dir;
    dir.write("s.bmp", sheet_file());
    char line[200];
    std::snprintf(line, sizeof line, "s.bmp %d %d %d %d t.fr %d %d %d %d\r\n", c.x, c.y, c.width,
                  c.height, c.indices[0], c.indices[1], c.indices[2], c.indices[3]);
    dir.write("format.txt", line);
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.status, 0) << line;
    EXPECT_EQ(result.output, "") << line;
    const std::vector<std::uint16_t> words =
        c.width > 0 && c.height > 0
            ? tilecut_test::reference_walk(sheet_pixels(), sheet_width, c.x, c.y, c.width, c.height,
                                           c.indices)
            : std::vector<std::uint16_t>{};
    EXPECT_EQ(*dir.read("t.fr"), expected_fr(c.size, c.units, c.across, c.down, c.shades, words))
        << line;
    EXPECT_EQ(*dir.read("output.txt"), "") << line;
  }
}

TEST(FrFile, OneTileOfSlotTwoIsStoredZeroThenFF) {
  tilecut_test::temp_dir dir;
  tilecut_test::bmp_layout layout;
  layout.pixels.assign(64, 9);
  dir.write("two.bmp", tilecut_test::build_bmp(layout));
  dir.write("format.txt", "two.bmp 0 0 8 8 two.fr 0 1 9 3\n");
  ASSERT_EQ(tilecut_test::run_tilecut(dir).status, 0);
  const std::string file = *dir.read("two.fr");
  ASSERT_EQ(file.size(), 48u);
  for (int i = 16; i < 32; i += 2) {
    EXPECT_EQ(file[static_cast<std::size_t>(i)], '\x00');
    EXPECT_EQ(file[static_cast<std::size_t>(i) + 1], '\xFF');
  }
  EXPECT_EQ(file.substr(32), std::string(16, '\0'));
}

TEST(FrFile, OneBitSourceGetsHeaderAndZeroBody) {
  tilecut_test::temp_dir dir;
  tilecut_test::bmp_layout layout;
  layout.bit_count = 1;
  layout.width = 16;
  layout.palette_entries = 2;
  layout.blue = [](std::uint32_t) { return std::uint8_t{7}; };
  dir.write("mono.bmp", tilecut_test::build_bmp(layout));
  dir.write("format.txt", "mono.bmp 0 0 16 8 mono.fr 0 1 2 3\n");
  ASSERT_EQ(tilecut_test::run_tilecut(dir).status, 0);
  EXPECT_EQ(*dir.read("mono.fr"), expected_fr(40, 3, 2, 1, {0, 0, 0, 0}, {}));
}

TEST(FrFile, SecondEntryOfTheSameNameRewritesTheFile) {
  tilecut_test::temp_dir dir;
  dir.write("s.bmp", sheet_file());
  dir.write("format.txt", "s.bmp 0 0 64 64 same.fr 0 1 2 3\ns.bmp 0 0 8 8 same.fr 0 1 2 3\n");
  ASSERT_EQ(tilecut_test::run_tilecut(dir).status, 0);
  EXPECT_EQ(dir.read("same.fr")->size(), 48u);
}

TEST(FrFile, RejectedEntryLeavesAnEmptyFile) {
  tilecut_test::temp_dir dir;
  dir.write("s.bmp", sheet_file());
  dir.write("junk.bmp", "BA not a bitmap");
  dir.write("a.fr", "old");
  dir.write("b.fr", "old");
  dir.write("format.txt", "junk.bmp 0 0 8 8 a.fr 0 1 2 3\ns.bmp 0 0 8 4 b.fr 0 1 2 3\n");
  const auto result = tilecut_test::run_tilecut(dir);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output,
            cp932("junk.bmp は BMP fileではありません\n画像が８の倍数ではありません\n"));
  EXPECT_EQ(*dir.read("a.fr"), "");
  EXPECT_EQ(*dir.read("b.fr"), "");
}

}  // namespace
