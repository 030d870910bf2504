// Random bitmaps through tilecut, tilecut-view and tilecut again: the
// picture's pixel values are the bitmap's, and the second conversion gives
// the first one's bytes back.
#include <gtest/gtest.h>

#include <random>

#include "picture_decode.h"
#include "support/bmp_builder.h"
#include "view_process.h"

namespace {

struct source_bitmap {
  int width, height;
  std::vector<std::uint8_t> pixels;
  std::uint8_t blue[4];
};

source_bitmap random_bitmap(int width, int height, std::mt19937& random) {
  source_bitmap source{width, height, {}, {}};
  source.pixels = tilecut_test::make_pixels(
      width, height, [&](int, int) { return static_cast<std::uint8_t>(random() % 4); });
  for (std::uint8_t& b : source.blue) b = static_cast<std::uint8_t>(random() % 255);
  return source;
}

std::string bmp_of(const source_bitmap& source) {
  tilecut_test::bmp_layout layout;
  layout.width = source.width;
  layout.height = source.height;
  layout.pixels = source.pixels;
  layout.blue = [&](std::uint32_t n) { return n < 4 ? source.blue[n] : std::uint8_t{77}; };
  return tilecut_test::build_bmp(layout);
}

std::string job(const std::string& bitmap, const source_bitmap& s, const std::string& output) {
  return bitmap + " 0 0 " + std::to_string(s.width) + " " + std::to_string(s.height) + " " +
         output + " 0 1 2 3\r\n";
}

// Draws `arguments` to x.bmp and checks its pixels and colour table.
void expect_drawn_bitmap(const tilecut_test::temp_dir& dir, std::vector<std::string> arguments,
                         const source_bitmap& source, bool shaded) {
  arguments.insert(arguments.end(), {"-o", "x.bmp"});
  const auto drawn = view_test::run_view(dir, arguments);
  ASSERT_EQ(drawn.status, 0) << drawn.output;
  view_test::decoded_picture picture;
  ASSERT_TRUE(view_test::decode_bmp(dir.read("x.bmp").value_or(""), picture));
  EXPECT_EQ(picture.width, source.width);
  EXPECT_EQ(picture.height, source.height);
  EXPECT_EQ(picture.indices, source.pixels);
  ASSERT_EQ(picture.palette.size(), 4u);
  if (shaded) {
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(picture.palette[k][0], source.blue[k]);
  }
}

const std::pair<int, int> sizes[] = {{8, 8}, {24, 16}, {64, 40}, {136, 8}, {8, 64}, {256, 24}};

TEST(RoundTrip, FrTileFileGivesBackPixelsAndBytes) {
  std::mt19937 random(2024);
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(::testing::Message() << width << "x" << height);
    const source_bitmap source = random_bitmap(width, height, random);
    tilecut_test::temp_dir dir;
    dir.write("src.bmp", bmp_of(source));
    ASSERT_EQ(view_test::run_job(dir, job("src.bmp", source, "src.fr")).status, 0);
    expect_drawn_bitmap(dir, {"src.fr"}, source, true);
    ASSERT_EQ(view_test::run_job(dir, job("x.bmp", source, "again.fr")).status, 0);
    const std::optional<std::string> first = dir.read("src.fr");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(dir.read("again.fr"), first);
  }
}

TEST(RoundTrip, ListingGivesBackPixelsAndText) {
  std::mt19937 random(77);
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(::testing::Message() << width << "x" << height);
    const source_bitmap source = random_bitmap(width, height, random);
    tilecut_test::temp_dir dir;
    dir.write("src.bmp", bmp_of(source));
    // Another array, one tile, first: --array must pick T.
    ASSERT_EQ(
        view_test::run_job(dir, "src.bmp 0 0 8 8 other 0 1 2 3\r\n" + job("src.bmp", source, "T"))
            .status,
        0);
    const std::optional<std::string> first = dir.read("output.txt");
    ASSERT_TRUE(first.has_value());
    expect_drawn_bitmap(dir, {"output.txt", "--array", "T", "--columns", std::to_string(width / 8)},
                        source, false);
    ASSERT_EQ(view_test::run_job(dir, "x.bmp 0 0 8 8 other 0 1 2 3\r\n" + job("x.bmp", source, "T"))
                  .status,
              0);
    EXPECT_EQ(dir.read("output.txt"), first);
  }
}

}  // namespace
