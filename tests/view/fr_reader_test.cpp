// Reading FR tile files that tilecut's own writer made: the grid, the words
// and the colours, and files whose header and length disagree.
#include "view/fr_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "tiles/fr_file.h"
#include "tiles/tile_encoder.h"

namespace {

using tilecut_test::cp932;

struct fr_source {
  int width = 8;
  int height = 8;
  bool last_column_blank = false;  // pixels past the last multiple of 8 are slot 0
  std::uint8_t shades[4] = {0, 0, 0, 0};
  std::uint16_t bit_count = 8;
};

int padded(int width) { return (width + 7) / 8 * 8; }

std::vector<std::uint8_t> source_pixels(const fr_source& s) {
  std::mt19937 random(static_cast<unsigned>(s.width * 31 + s.height));
  return tilecut_test::make_pixels(padded(s.width), s.height, [&](int x, int) {
    const auto value = static_cast<std::uint8_t>(random() % 4);
    return s.last_column_blank && x >= s.width / 8 * 8 ? std::uint8_t{0} : value;
  });
}

// The file tilecut writes for the whole of the pixels, with indices 0 1 2 3.
std::vector<std::uint8_t> fr_file_of(const fr_source& s, const std::vector<std::uint8_t>& pixels) {
  tilecut::fr_buffer fr;
  EXPECT_EQ(tilecut::setup_fr_buffer(fr, s.bit_count, s.width, s.height, std::size_t{1} << 30), 0);
  tilecut::set_shade_bytes(fr, s.shades);
  if (s.bit_count == 8 && s.width > 0 && s.height > 0) {
    const tilecut::pixel_rows rows{pixels.data(), padded(s.width), padded(s.width), s.height};
    tilecut::fr_body_sink sink(fr);
    tilecut::encode_tiles(rows, {0, 0, s.width, s.height}, {{0, 1, 2, 3}}, sink);
  }
  return {fr.bytes.get(), fr.bytes.get() + fr.size};
}

TEST(FrReader, GridWordsAndColoursOfWrittenFiles) {
  struct Case {
    fr_source source;
    std::int64_t columns, rows;
    tilecut::slot_greys greys;
  };
  const tilecut::slot_greys ramp = tilecut::grey_ramp;
  const Case cases[] = {
      {{8, 8}, 1, 1, ramp},
      {{16, 24, false, {0, 85, 170, 255}}, 2, 3, {255, 170, 85, 0}},
      {{12, 8, false, {10, 0, 0, 0}}, 2, 1, {245, 255, 255, 255}},  // walk stored 2 columns
      {{12, 16}, 2, 2, ramp},
      {{4, 8}, 1, 1, ramp},                           // width / 8 is 0, one column stored
      {{12, 8, true}, 1, 1, ramp},                    // last column blank: one column narrower
      {{2048, 8}, 256, 1, ramp},                      // tiles across 256 wraps to 0 in the header
      {{2056, 16}, 257, 2, ramp},                     // and 257 to 1
      {{8, 0}, 0, 0, ramp},                           // the header alone: no tiles
      {{16, 8, false, {0, 0, 0, 0}, 1}, 2, 1, ramp},  // 1-bit source: bytes, all 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.source.width << "x" << c.source.height << " bits " << c.source.bit_count);
    const std::vector<std::uint8_t> pixels = source_pixels(c.source);
    const std::vector<std::uint8_t> file = fr_file_of(c.source, pixels);
    tilecut::tile_sheet sheet;
    ASSERT_EQ(tilecut::read_fr_sheet(file, "x.fr", sheet), 0);
    EXPECT_EQ(sheet.columns, c.columns);
    EXPECT_EQ(sheet.rows, c.rows);
    EXPECT_EQ(sheet.greys, c.greys);
    std::vector<std::uint16_t> expected;
    if (c.source.bit_count == 8 && c.source.height > 0) {
      expected =
          tilecut_test::reference_walk(pixels, padded(c.source.width), 0, 0, padded(c.source.width),
                                       c.source.height, {0, 1, 2, 3});
    }
    // The narrower grid takes the walk's first columns * rows tiles.
    expected.resize(static_cast<std::size_t>(c.columns * c.rows * 8), 0);
    EXPECT_EQ(sheet.words, expected);
  }
}

TEST(FrReader, RejectsHeadersAndLengthsThatDisagree) {
  const fr_source source{16, 8};
  const std::vector<std::uint8_t> good = fr_file_of(source, source_pixels(source));
  ASSERT_EQ(good.size(), 64u);
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
  };
  const Case cases[] = {
      {"header cut short", [](auto& f) { f.resize(15); }},
      {"last byte missing", [](auto& f) { f.pop_back(); }},
      {"a tile row missing", [](auto& f) { f.resize(48); }},
      {"a tile row missing, length field fixed",
       [](auto& f) {
         f.resize(48);
         f[4] = 3;
       }},
      {"bytes added", [](auto& f) { f.resize(80, 0); }},
      // 24 body bytes would fit a 1-bit source of the same grid; the length field does not.
      {"cut to a 1-bit file's length", [](auto& f) { f.resize(40); }},
      {"reserved field set", [](auto& f) { f[6] = 1; }},
      {"byte 10 not 1", [](auto& f) { f[10] = 2; }},
      {"byte 11 not 0", [](auto& f) { f[11] = 1; }},
      {"tiles across wrong", [](auto& f) { f[8] = 3; }},
      {"tiles down 0 for a body", [](auto& f) { f[9] = 0; }},
      {"tiles down not dividing the body", [](auto& f) { f[9] = 5; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> file = good;
    c.change(file);
    tilecut::tile_sheet sheet;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(tilecut::read_fr_sheet(file, "bad.fr", sheet), -1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), cp932("bad.fr のデータが壊れています\n"));
  }
}

TEST(FrReader, RecognisesTheMagic) {
  const std::uint8_t fr[] = {'F', 'R', 'B', 'M'};
  const std::uint8_t other[] = {'F', 'R', 'B', 'N'};
  EXPECT_TRUE(tilecut::is_fr_file(fr));
  EXPECT_FALSE(tilecut::is_fr_file(other));
  EXPECT_FALSE(tilecut::is_fr_file(std::span<const std::uint8_t>(fr, 3)));
}

}  // namespace
