#include "tiles/tile_encoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/bmp_builder.h"

namespace tilecut {
namespace {

colour_indices indices(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  colour_indices colours;
  colours.index[0] = a;
  colours.index[1] = b;
  colours.index[2] = c;
  colours.index[3] = d;
  return colours;
}

TEST(ColourSlot, TakesTheFirstMatchingIndex) {
  struct Case {
    colour_indices colours;
    std::uint8_t value;
    std::uint8_t slot;
  };
  const Case cases[] = {
      {indices(0, 1, 2, 3), 2, 2},      {indices(0, 1, 2, 3), 3, 3},
      {indices(0, 1, 2, 3), 9, 0},  // no match: slot 0, like colour index 0
      {indices(5, 5, 7, 7), 5, 0},      {indices(5, 5, 7, 7), 7, 2},
      {indices(5, 5, 7, 7), 6, 0},      {indices(-1, 256, 255, 0), 255, 2},
      {indices(-1, 256, 255, 0), 0, 3}, {indices(256, -1, 3, 3), 0, 0},
      {indices(9, 8, 7, 255), 255, 3},  {indices(9, 8, 7, 255 + 256), 255, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(colour_slot(c.value, c.colours), c.slot) << int{c.value};
  }
}

TEST(TileRowWord, PacksSlotsIntoTwoPlanes) {
  const colour_indices colours = indices(0, 1, 2, 3);
  struct Case {
    std::vector<std::uint8_t> pixels;
    std::uint16_t word;
  };
  const Case cases[] = {
      {{1, 1, 1, 1, 1, 1, 1, 1}, 0x00FF}, {{2, 2, 2, 2, 2, 2, 2, 2}, 0xFF00},
      {{3, 3, 3, 3, 3, 3, 3, 3}, 0xFFFF}, {{3, 0, 0, 0, 0, 0, 0, 0}, 0x8080},
      {{0, 0, 0, 0, 0, 0, 0, 1}, 0x0001}, {{0, 1, 2, 3, 0, 1, 2, 3}, 0x3355},
      {{0, 0, 0, 0, 0, 0, 0, 0}, 0x0000}, {{2, 0, 0, 0, 0, 0, 0, 1}, 0x8001},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tile_row_word(c.pixels.data(), colours), c.word) << std::hex << c.word;
  }
}

class recording_sink final : public tile_sink {
 public:
  void put_tiles(const std::uint16_t* words, std::size_t tile_count) override {
    words_.insert(words_.end(), words, words + tile_count * tile_size);
    ++calls_;
  }
  std::vector<std::uint16_t> words_;
  int calls_ = 0;
};

// A 24 x 16 image whose pixel values give away where a word came from.
struct walk_image {
  std::vector<std::uint8_t> pixels = tilecut_test::make_pixels(
      24, 16, [](int x, int y) { return static_cast<std::uint8_t>((x * 7 + y * 3 + x * y) % 5); });
  pixel_rows rows{pixels.data(), 24, 24, 16};
};

TEST(EncodeTiles, WalksRowsOfTilesTopToBottomEachLeftToRight) {
  const walk_image image;
  const int refs[4] = {1, 2, 3, 4};
  struct Case {
    tile_region region;
    int tiles;
  };
  const Case cases[] = {
      {{0, 0, 16, 16}, 4},  // top left, top right, bottom left, bottom right
      {{8, 0, 16, 8}, 2},   // columns 8 to 15 and 16 to 23
      {{3, 0, 12, 9}, 4},   // widths and heights not a multiple of 8 take whole tiles
      {{1, 1, 1, 1}, 1},   {{0, 0, 0, 16}, 0},  {{0, 0, 16, 0}, 0},
      {{0, 0, -8, 16}, 0}, {{0, 0, 16, -8}, 0},
  };
  for (const Case& c : cases) {
    recording_sink sink;
    encode_tiles(image.rows, c.region, indices(1, 2, 3, 4), sink);
    const std::vector<std::uint16_t> expected =
        c.tiles == 0 ? std::vector<std::uint16_t>{}
                     : tilecut_test::reference_walk(image.pixels, 24, c.region.x, c.region.y,
                                                    c.region.width, c.region.height, refs);
    EXPECT_EQ(sink.words_.size(), static_cast<std::size_t>(c.tiles) * 8) << c.region.x;
    EXPECT_EQ(sink.words_, expected) << c.region.x << "," << c.region.y;
  }
}

TEST(EncodeTiles, ReadsBottomUpRowsTheSameAsTopDown) {
  const walk_image image;
  // The same pixels stored bottom-up: row 0 is the last one in memory.
  std::vector<std::uint8_t> flipped(image.pixels.size());
  for (int y = 0; y < 16; ++y) {
    std::copy_n(image.pixels.begin() + y * 24, 24, flipped.begin() + (15 - y) * 24);
  }
  const pixel_rows bottom_up{flipped.data() + 15 * 24, -24, 24, 16};
  recording_sink top, bottom;
  encode_tiles(image.rows, {8, 8, 16, 8}, indices(0, 1, 2, 3), top);
  encode_tiles(bottom_up, {8, 8, 16, 8}, indices(0, 1, 2, 3), bottom);
  EXPECT_EQ(top.words_, bottom.words_);
  EXPECT_EQ(top.words_.size(), 16u);
}

}  // namespace
}  // namespace tilecut
