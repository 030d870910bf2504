// Text-mode entries end to end: the listing's bytes for regions of many shapes.
#include <gtest/gtest.h>

#include <random>

#include "support/bmp_builder.h"
#include "support/tilecut_process.h"

namespace {

using tilecut_test::reference_array;
using tilecut_test::reference_walk;

struct sheet {
  int width = 40;
  int height = 24;
  std::vector<std::uint8_t> pixels;
  std::string file;
};

// Pixel values 0 to 9 at random, so a value outside the four indices occurs.
sheet random_sheet(int width, int height, unsigned seed) {
  sheet s;
  s.width = width;
  s.height = height;
  std::mt19937 random(seed);
  s.pixels = tilecut_test::make_pixels(
      width, height, [&](int, int) { return static_cast<std::uint8_t>(random() % 10); });
  tilecut_test::bmp_layout layout;
  layout.width = width;
  layout.height = height;
  layout.pixels = s.pixels;
  s.file = tilecut_test::build_bmp(layout);
  return s;
}

TEST(Listing, RegionsOfEveryShapeGiveTheWalksWords) {
  const sheet s = random_sheet(41, 24, 7);  // 41 wide: rows carry padding
  struct Case {
    int x, y, width, height;
    int indices[4];
  };
  const Case cases[] = {
      {0, 0, 40, 24, {0, 1, 2, 3}},   {8, 0, 16, 8, {0, 1, 2, 3}},  // x = 8: columns 8 to 23
      {3, 5, 12, 9, {0, 1, 2, 3}},     // odd offsets; whole tiles reach past the region
      {33, 16, 1, 1, {9, 8, 7, 6}},    // the last tile of the sheet, one pixel of region
      {0, 0, 16, 8, {5, 5, 7, 7}},     // repeated indices: the lower slot wins
      {0, 0, 16, 8, {-1, 256, 4, 3}},  // out-of-range indices match nothing
      {0, 0, 0, 8, {0, 1, 2, 3}},      // no tiles: an empty array
      {0, 0, 8, 0, {0, 1, 2, 3}},     {0, 0, -8, 8, {0, 1, 2, 3}},
      {99, 99, 8, -8, {0, 1, 2, 3}},  // no tiles, so no region check either
  };
  for (const Case& c : cases) {
    tilecut_test::temp_dir dir;
    dir.write("s.bmp", s.file);
    char line[200];
    std::snprintf(line, sizeof line, "s.bmp %d %d %d %d arr_%d %d %d %d %d\r\n", c.x, c.y, c.width,
                  c.height, c.x, c.indices[0], c.indices[1], c.indices[2], c.indices[3]);
    dir.write("format.txt", line);
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.status, 0) << line;
    EXPECT_EQ(result.output, "") << line;
    const bool empty = c.width <= 0 || c.height <= 0;
    const std::vector<std::uint16_t> words =
        empty ? std::vector<std::uint16_t>{}
              : reference_walk(s.pixels, s.width, c.x, c.y, c.width, c.height, c.indices);
    EXPECT_EQ(*dir.read("output.txt"), reference_array("arr_" + std::to_string(c.x), words))
        << line;
  }
}

TEST(Listing, OutputNamesAreWrittenUnchanged) {
  const sheet s = random_sheet(8, 8, 3);
  const std::string long_name(3000, 'L');
  const std::string names[] = {"tiles.FR", "1-not[an]identifier", long_name};
  for (const std::string& name : names) {
    tilecut_test::temp_dir dir;
    dir.write("s.bmp", s.file);
    dir.write("format.txt", "s.bmp 0 0 8 8 " + name + " 0 1 2 3\n");
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.status, 0);
    const int indices[4] = {0, 1, 2, 3};
    EXPECT_EQ(*dir.read("output.txt"),
              reference_array(name, reference_walk(s.pixels, 8, 0, 0, 8, 8, indices)));
  }
}

}  // namespace

namespace {

TEST(Listing, TopDownAndLargeHeaderBitmapsConvertLikeCommonOnes) {
  const sheet s = random_sheet(24, 16, 5);
  const int indices[4] = {0, 1, 2, 3};
  const std::string expected =
      reference_array("a", reference_walk(s.pixels, 24, 8, 0, 16, 16, indices));
  struct Case {
    const char* what;
    bool top_down;
    std::uint32_t info_size;
  };
  const Case cases[] = {{"top-down rows", true, 40},
                        {"108-byte header", false, 108},
                        {"124-byte header, top-down", true, 124}};
  for (const Case& c : cases) {
    tilecut_test::bmp_layout layout;
    layout.width = 24;
    layout.height = 16;
    layout.pixels = s.pixels;
    layout.top_down = c.top_down;
    layout.info_size = c.info_size;
    tilecut_test::temp_dir dir;
    dir.write("s.bmp", tilecut_test::build_bmp(layout));
    dir.write("format.txt", "s.bmp 8 0 16 16 a 0 1 2 3\n");
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.status, 0) << c.what;
    EXPECT_EQ(*dir.read("output.txt"), expected) << c.what;
  }
}

}  // namespace
