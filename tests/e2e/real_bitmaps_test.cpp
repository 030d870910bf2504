// Bitmaps written by real image programs (see tests/fixtures/README.md): each
// converts to the tiles of the pixel indices that an independent decoder read
// from it, and its FR tile file carries the shades of its own colour table.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "support/bmp_builder.h"
#include "support/tilecut_process.h"

namespace {

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(TILECUT_FIXTURES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct real_bitmap {
  const char* name;
  int width, height;
};

const real_bitmap bitmaps[] = {
    {"im_rle8_v5", 18, 16}, {"im_none_v5", 18, 16},    {"im_bmp3", 18, 16},
    {"pil", 18, 16},        {"im_rle8_40x24", 40, 24},
};

TEST(RealBitmaps, ConvertToTheTilesOfTheirPixels) {
  for (const real_bitmap& b : bitmaps) {
    const std::string indices_file = fixture(std::string(b.name) + ".indices");
    const std::string blue = fixture(std::string(b.name) + ".blue");
    ASSERT_EQ(indices_file.size(), static_cast<std::size_t>(b.width * b.height)) << b.name;
    ASSERT_EQ(blue.size(), 256u) << b.name;
    const std::vector<std::uint8_t> pixels(indices_file.begin(), indices_file.end());
    // The four lowest indices the picture uses, in reverse so that slot order
    // differs from index order.
    const std::set<std::uint8_t> used(pixels.begin(), pixels.end());
    ASSERT_GE(used.size(), 4u) << b.name;
    std::vector<int> four(used.begin(), std::next(used.begin(), 4));
    std::reverse(four.begin(), four.end());
    const int indices[4] = {four[0], four[1], four[2], four[3]};
    const int width = b.width / 8 * 8;
    const int height = b.height / 8 * 8;
    const int x = b.width - width;  // an odd x where the width allows it

    tilecut_test::temp_dir dir;
    dir.write("in.bmp", fixture(std::string(b.name) + ".bmp"));
    char job[200];
    std::snprintf(job, sizeof job,
                  "in.bmp %d 0 %d %d arr %d %d %d %d\nin.bmp %d 0 %d %d t.fr %d %d %d %d\n", x,
                  width, height, indices[0], indices[1], indices[2], indices[3], x, width, height,
                  indices[0], indices[1], indices[2], indices[3]);
    dir.write("format.txt", job);
    const auto result = tilecut_test::run_tilecut(dir);
    EXPECT_EQ(result.status, 0) << b.name;
    EXPECT_EQ(result.output, "") << b.name;
    const std::vector<std::uint16_t> words =
        tilecut_test::reference_walk(pixels, b.width, x, 0, width, height, indices);
    EXPECT_EQ(*dir.read("output.txt"), tilecut_test::reference_array("arr", words)) << b.name;

    const std::string fr = *dir.read("t.fr");
    ASSERT_EQ(fr.size(), static_cast<std::size_t>(2 * (width / 8 + 1) * height + 16)) << b.name;
    for (std::size_t k = 0; k < 4; ++k) {
      const auto shade = static_cast<std::uint8_t>(fr[12 + k]);
      EXPECT_EQ(shade, 255 - static_cast<std::uint8_t>(blue[static_cast<std::size_t>(indices[k])]))
          << b.name << " slot " << k;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
      ASSERT_EQ(static_cast<std::uint8_t>(fr[16 + 2 * i]), words[i] & 0xFF)
          << b.name << " word " << i;
      ASSERT_EQ(static_cast<std::uint8_t>(fr[17 + 2 * i]), words[i] >> 8)
          << b.name << " word " << i;
    }
  }
}

}  // namespace
