// The fast encoder against the scalar one on random images.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tiles/fr_file.h"
#include "tiles/tile_encoder.h"

namespace tilecut {
namespace {

// Index sets that exercise the first-match rule: repeats, values outside 0
// to 255 (which match nothing), and none in range at all.
const colour_indices fixed_sets[] = {
    {{0, 1, 2, 3}},
    {{3, 2, 1, 0}},
    {{5, 5, 5, 5}},
    {{7, -1, 7, 3}},
    {{256, 3, -1, 3}},
    {{255, 0, 255, 0}},
    {{-1, 256, -1, 256}},
    {{-1, 0, 1, 2}},
    {{9, 9, 4, 4}},
    {{1, 2, 2, 255}},
    {{-2147483647 - 1, 2147483647, 1, 2}},
    {{0, 0, 0, 1}},
    {{511, 255, -255, 1}},
    {{2, 256 + 2, 258, 2}},
};

struct random_source {
  std::mt19937 engine{20240611};

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }

  colour_indices colours(int trial) {
    constexpr int fixed = static_cast<int>(std::size(fixed_sets));
    if (trial % 2 == 0) return fixed_sets[(trial / 2) % fixed];
    // Random sets drawing from few values, so that indices repeat, plus the
    // values just outside the byte range.
    static constexpr std::int32_t pool[] = {-1, 256, 0, 1, 2, 7, 128, 255};
    colour_indices c;
    for (std::int32_t& index : c.index) {
      index = below(3) == 0 ? pool[below(8)] : below(8);
    }
    return c;
  }

  // Mostly values that the indices name, so that every slot occurs.
  std::uint8_t pixel(const colour_indices& c) {
    const int pick = below(6);
    if (pick < 4) return static_cast<std::uint8_t>(c.index[pick]);
    return static_cast<std::uint8_t>(pick == 4 ? below(256) : below(8));
  }
};

// The walk encoded with the scalar encoder, tile by tile.
std::vector<std::uint16_t> scalar_walk(const pixel_rows& image, const tile_region& region,
                                       const colour_indices& colours) {
  std::vector<std::uint16_t> words;
  for (std::int64_t ty = 0; ty < tiles_down(region); ++ty) {
    for (std::int64_t tx = 0; tx < tiles_across(region); ++tx) {
      for (int r = 0; r < tile_size; ++r) {
        const std::uint8_t* row = image.row(static_cast<std::int32_t>(region.y + ty * 8 + r));
        words.push_back(encode_tile_row_scalar(row + region.x + tx * 8, colours));
      }
    }
  }
  return words;
}

class recording_sink final : public tile_sink {
 public:
  void put_tiles(const std::uint16_t* w, std::size_t tile_count) override {
    words.insert(words.end(), w, w + tile_count * tile_size);
  }
  std::vector<std::uint16_t> words;
};

std::vector<std::uint16_t> fr_body_words(const fr_buffer& fr, std::size_t count) {
  std::vector<std::uint16_t> words;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* at = fr.bytes.get() + fr_header_size + 2 * i;
    words.push_back(static_cast<std::uint16_t>(at[0] | at[1] << 8));
  }
  return words;
}

TEST(EncodeTileStripFast, GivesTheScalarWordsAtAnyOffsetAndStep) {
  random_source random;
  for (int trial = 0; trial < 2000; ++trial) {
    const colour_indices colours = random.colours(trial);
    const auto tile_count = static_cast<std::size_t>(random.below(12));
    const auto offset = static_cast<std::size_t>(random.below(16));
    // Rows as long as the strip or longer, stored top-down or bottom-up.
    const std::size_t row =
        offset + tile_count * tile_size + static_cast<std::size_t>(random.below(3));
    const bool bottom_up = random.below(2) == 1;
    // Exactly the bytes the call may read, so that a sanitizer build catches
    // a read past them.
    const std::size_t size = 7 * row + offset + tile_count * tile_size;
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[size + (size == 0)]);
    for (std::size_t i = 0; i < size; ++i) pixels[i] = random.pixel(colours);
    const std::uint8_t* top_left = pixels.get() + offset + (bottom_up ? 7 * row : 0);
    const auto step = static_cast<std::ptrdiff_t>(bottom_up ? -row : row);

    constexpr std::uint8_t untouched = 0xA5;
    std::vector<std::uint8_t> out(tile_count * 16 + 1, untouched);
    encode_tile_strip_fast(top_left, step, tile_count, colours, out.data());
    for (std::size_t t = 0; t < tile_count; ++t) {
      for (int r = 0; r < tile_size; ++r) {
        const std::uint8_t* at = out.data() + 16 * t + 2 * static_cast<std::size_t>(r);
        const std::uint8_t* row_pixels = top_left + r * step + static_cast<std::ptrdiff_t>(8 * t);
        ASSERT_EQ(static_cast<std::uint16_t>(at[0] | at[1] << 8),
                  encode_tile_row_scalar(row_pixels, colours))
            << "trial " << trial << " tile " << t << " of " << tile_count << " row " << r
            << " offset " << offset;
      }
    }
    ASSERT_EQ(out.back(), untouched) << "trial " << trial;
  }
}

TEST(EncodeTilesFast, ListingAndInPlaceFrWalksGiveTheScalarWords) {
  random_source random;
  for (int trial = 0; trial < 300; ++trial) {
    const colour_indices colours = random.colours(trial);
    const std::int32_t width = 1 + random.below(80);
    const std::int32_t height = 1 + random.below(40);
    const std::int32_t stride = width + random.below(5);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride * height));
    for (std::uint8_t& p : pixels) p = random.pixel(colours);
    const bool bottom_up = random.below(2) == 1;
    const pixel_rows image{pixels.data() + (bottom_up ? stride * (height - 1) : 0),
                           bottom_up ? -stride : stride, width, height};

    // A region whose whole tiles lie inside the image.
    const std::int32_t across = random.below(width / 8 + 1);
    const std::int32_t down = random.below(height / 8 + 1);
    tile_region region{0, 0, across * 8 - random.below(8), down * 8 - random.below(8)};
    region.x = random.below(width - across * 8 + 1);
    region.y = random.below(height - down * 8 + 1);
    const std::vector<std::uint16_t> expected = scalar_walk(image, region, colours);

    recording_sink listing;
    encode_tiles(image, region, colours, listing);
    ASSERT_EQ(listing.words, expected) << "trial " << trial;

    // Binary mode takes heights that are a multiple of 8 and no negative
    // width; the walk of the region is the same.
    if (region.width < 0 || region.height < 0) continue;
    tile_region fr_region = region;
    fr_region.height = down * 8;
    fr_buffer fr;
    ASSERT_EQ(setup_fr_buffer(fr, 8, fr_region.width, fr_region.height, 1 << 20), 0);
    ASSERT_GE(fr.size, fr_header_size + 2 * expected.size());
    fr_body_sink body(fr);
    encode_tiles(image, fr_region, colours, body);
    ASSERT_EQ(fr_body_words(fr, expected.size()), expected) << "trial " << trial;
  }
}

TEST(EncodeTilesFast, FrBodyShorterThanTheWalkKeepsTheWordsThatFit) {
  std::vector<std::uint8_t> pixels(64 * 32);
  random_source random;
  for (std::uint8_t& p : pixels) p = static_cast<std::uint8_t>(random.below(4));
  const pixel_rows image{pixels.data(), 64, 64, 32};
  const colour_indices colours{{0, 1, 2, 3}};
  struct Case {
    std::int32_t body_width, body_height;  // the FR buffer's size
    tile_region walk;
  };
  const Case cases[] = {
      {16, 8, {0, 0, 16, 32}},  // room for 3 tiles: a row of 2, then 1 of the next
      {8, 16, {8, 0, 24, 16}},  // room for 4 tiles: a row of 3, then 1 of the next
      {0, 8, {0, 0, 64, 8}},    // room for 1 tile of a row of 8
      {56, 8, {0, 0, 64, 8}},   // exact room for one row of 8 tiles
  };
  for (const Case& c : cases) {
    fr_buffer fr;
    ASSERT_EQ(setup_fr_buffer(fr, 8, c.body_width, c.body_height, 1 << 20), 0);
    const std::vector<std::uint8_t> header(fr.bytes.get(), fr.bytes.get() + fr_header_size);
    fr_body_sink body(fr);
    encode_tiles(image, c.walk, colours, body);
    const std::size_t room = (fr.size - fr_header_size) / 2;
    std::vector<std::uint16_t> expected = scalar_walk(image, c.walk, colours);
    ASSERT_GE(expected.size(), room) << c.body_width;
    expected.resize(room);
    EXPECT_EQ(fr_body_words(fr, room), expected) << c.body_width << "x" << c.body_height;
    EXPECT_EQ(std::vector<std::uint8_t>(fr.bytes.get(), fr.bytes.get() + fr_header_size), header);
  }
}

// An FR file of over 2 MiB, which setup_fr_buffer maps from the system rather
// than taking from the heap: filled in place to the walk's end, zero past it.
TEST(EncodeTilesFast, LargeFrBufferFilledInPlaceAndZeroPastTheWalk) {
  constexpr std::int32_t width = 4096, height = 2048;
  std::vector<std::uint8_t> pixels(std::size_t{width} * height);
  random_source random;
  const colour_indices colours{{6, 0, 256, 5}};
  for (std::uint8_t& p : pixels) p = random.pixel(colours);
  const pixel_rows image{pixels.data(), width, width, height};
  const tile_region region{0, 0, width, height};

  fr_buffer fr;
  ASSERT_EQ(setup_fr_buffer(fr, 8, width, height, std::size_t{1} << 30), 0);
  ASSERT_GT(fr.size, std::size_t{2} << 20);
  fr_body_sink body(fr);
  encode_tiles(image, region, colours, body);
  const std::vector<std::uint16_t> expected = scalar_walk(image, region, colours);
  ASSERT_EQ(fr_body_words(fr, expected.size()), expected);
  // One column of tiles more than the walk fills: left as set up.
  const std::size_t walked = fr_header_size + 2 * expected.size();
  ASSERT_EQ(fr.size - walked, std::size_t{2} * height);
  for (std::size_t i = walked; i < fr.size; ++i) ASSERT_EQ(fr.bytes[i], 0) << i;
  // The header stays as set up: magic bytes first.
  EXPECT_EQ(std::string(fr.bytes.get(), fr.bytes.get() + 4), "FRBM");
}

}  // namespace
}  // namespace tilecut
