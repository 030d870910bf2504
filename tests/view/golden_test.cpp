// Small pictures end to end: tilecut writes the tiles, tilecut-view draws
// them, and the test decodes the PNG and compares indices and palette with
// the tables written here.
#include <gtest/gtest.h>

#include "picture_decode.h"
#include "support/bmp_builder.h"
#include "view_process.h"

namespace {

using palette = std::vector<std::array<std::uint8_t, 3>>;
using rows = std::vector<std::string>;

const palette ramp = {{255, 255, 255}, {170, 170, 170}, {85, 85, 85}, {0, 0, 0}};

// A bitmap whose pixel values are the table's digits plus `offset`.
std::string bitmap_of(const rows& table, int offset,
                      std::function<std::uint8_t(std::uint32_t)> blue) {
  tilecut_test::bmp_layout layout;
  layout.width = static_cast<std::int32_t>(table[0].size());
  layout.height = static_cast<std::int32_t>(table.size());
  layout.pixels = tilecut_test::make_pixels(layout.width, layout.height, [&](int x, int y) {
    return static_cast<std::uint8_t>(
        table[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] - '0' + offset);
  });
  layout.blue = std::move(blue);
  return tilecut_test::build_bmp(layout);
}

// Decodes the picture and compares it with the table, each digit drawn
// scale x scale.
void expect_png(const tilecut_test::temp_dir& dir, const std::string& name, const rows& table,
                const palette& colours, int scale = 1) {
  SCOPED_TRACE(name);
  const std::optional<std::string> file = dir.read(name);
  ASSERT_TRUE(file.has_value());
  view_test::decoded_picture picture;
  ASSERT_TRUE(view_test::decode_png(*file, picture));
  EXPECT_EQ(picture.palette, colours);
  ASSERT_EQ(picture.width, static_cast<int>(table[0].size()) * scale);
  ASSERT_EQ(picture.height, static_cast<int>(table.size()) * scale);
  for (int y = 0; y < picture.height; ++y) {
    std::string row;
    for (int x = 0; x < picture.width; x += scale) {
      const auto index = picture.indices[static_cast<std::size_t>(y * picture.width + x)];
      for (int dx = 1; dx < scale; ++dx) {
        ASSERT_EQ(picture.indices[static_cast<std::size_t>(y * picture.width + x + dx)], index);
      }
      row += static_cast<char>('0' + index);
    }
    EXPECT_EQ(row, table[static_cast<std::size_t>(y / scale)]) << "row " << y;
  }
}

TEST(Golden, OneTileWithoutShadesInTheRamp) {
  const rows tile = {"00112233", "01230123", "33221100", "00000000",
                     "11111111", "22222222", "33333333", "30201000"};
  for (int scale : {1, 3}) {
    tilecut_test::temp_dir dir;
    // Blue 255 everywhere: every shade byte 0.
    dir.write("t.bmp", bitmap_of(tile, 0, [](std::uint32_t) { return std::uint8_t{255}; }));
    ASSERT_EQ(view_test::run_job(dir, "t.bmp 0 0 8 8 t.fr 0 1 2 3\r\n").status, 0);
    const auto drawn =
        view_test::run_view(dir, {"t.fr", "-o", "t.png", "--scale", std::to_string(scale)});
    EXPECT_EQ(drawn.status, 0);
    EXPECT_EQ(drawn.output, "");
    expect_png(dir, "t.png", tile, ramp, scale);
  }
}

TEST(Golden, TwoByTwoSheetInItsShadesWithGrid) {
  const rows sheet = {
      "1000000022222222", "0100000022222222", "0010000022222222", "0001000022222222",
      "0000100022222222", "0000010022222222", "0000001022222222", "0000000122222222",
      "3333333312121212", "0000000012121212", "3333333312121212", "0000000012121212",
      "3333333312121212", "0000000012121212", "3333333312121212", "0000000012121212",
  };
  // Lines in slot 3, the grey farthest from slot 0's.
  const rows expected = {
      "10000000322222222", "01000000322222222", "00100000322222222", "00010000322222222",
      "00001000322222222", "00000100322222222", "00000010322222222", "00000001322222222",
      "33333333333333333", "33333333312121212", "00000000312121212", "33333333312121212",
      "00000000312121212", "33333333312121212", "00000000312121212", "33333333312121212",
      "00000000312121212",
  };
  tilecut_test::temp_dir dir;
  // Pixel values 4 to 7 with blue 200, 150, 100, 50: shade bytes 55, 105, 155, 205.
  dir.write("s.bmp", bitmap_of(sheet, 4, [](std::uint32_t n) {
              return static_cast<std::uint8_t>(n >= 4 && n < 8 ? 200 - 50 * (n - 4) : 9);
            }));
  ASSERT_EQ(view_test::run_job(dir, "s.bmp 0 0 16 16 s.fr 4 5 6 7\r\n").status, 0);
  const auto drawn = view_test::run_view(dir, {"s.fr", "--grid", "-o", "s.png"});
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.output, "");
  expect_png(dir, "s.png", expected,
             {{200, 200, 200}, {150, 150, 150}, {100, 100, 100}, {50, 50, 50}});
}

TEST(Golden, ListingWithTwoArrays) {
  const rows source = {
      "012301230000111122223333", "123012301111222233330000", "230123012222333300001111",
      "301230123333000011112222", "000000000123012301230123", "111111113210321032103210",
      "222222220000000033333333", "333333331111111122222222",
  };
  const rows first = {"01230123", "12301230", "23012301", "30123012",
                      "00000000", "11111111", "22222222", "33333333"};
  const rows second = {"0000111122223333", "1111222233330000", "2222333300001111",
                       "3333000011112222", "0123012301230123", "3210321032103210",
                       "0000000033333333", "1111111122222222"};
  const rows second_in_one_column = {"00001111", "11112222", "22223333", "33330000",
                                     "01230123", "32103210", "00000000", "11111111",
                                     "22223333", "33330000", "00001111", "11112222",
                                     "01230123", "32103210", "33333333", "22222222"};
  tilecut_test::temp_dir dir;
  dir.write("l.bmp",
            bitmap_of(source, 0, [](std::uint32_t n) { return static_cast<std::uint8_t>(n); }));
  ASSERT_EQ(view_test::run_job(dir,
                               "l.bmp 0 0 8 8 first 0 1 2 3\r\n"
                               "l.bmp 8 0 16 8 second 0 1 2 3\r\n")
                .status,
            0);
  const auto drawn = view_test::run_view(dir, {"output.txt", "-o", "pics"});
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.output, "");
  EXPECT_EQ(view_test::paths_in(dir),
            (std::vector<std::string>{"format.txt", "l.bmp", "output.txt", "pics", "pics/first.png",
                                      "pics/second.png"}));
  expect_png(dir, "pics/first.png", first, ramp);
  expect_png(dir, "pics/second.png", second, ramp);

  const auto one = view_test::run_view(dir, {"output.txt", "--array", "second", "--columns", "1",
                                             "-o", "second.png", "--scale", "2"});
  EXPECT_EQ(one.status, 0);
  expect_png(dir, "second.png", second_in_one_column, ramp, 2);
}

}  // namespace
