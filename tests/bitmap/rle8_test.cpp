#include "bitmap/rle8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tilecut {
namespace {

// Rows of 4 bytes (stride), 3 rows, stored bottom-up; shown as text with the
// stored row 0 first, "." for 0.
std::optional<std::string> decode(const std::vector<std::uint8_t>& stream) {
  constexpr std::size_t stride = 4;
  constexpr std::size_t rows = 3;
  std::vector<std::uint8_t> out(stride * rows, 0);
  if (!decode_rle8(stream, stride, rows, out.data())) return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (i > 0 && i % stride == 0) text += '|';
    text += out[i] == 0 ? '.' : static_cast<char>('0' + out[i]);
  }
  return text;
}

TEST(Rle8, DecodesEachEscape) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> stream;
    const char* rows;
  };
  const Case cases[] = {
      {"runs, end of row, end of bitmap", {3, 1, 0, 0, 2, 2, 1, 3, 0, 1}, "111.|223.|...."},
      {"a run may fill the row's padding", {4, 5, 0, 1}, "5555|....|...."},
      {"literal, even length", {0, 4, 1, 2, 3, 4, 0, 1}, "1234|....|...."},
      {"literal, odd length padded", {0, 3, 1, 2, 3, 0, 1, 9, 0, 1}, "1239|....|...."},
      {"move right and up", {1, 7, 0, 2, 2, 1, 1, 8, 0, 1}, "7...|...8|...."},
      {"move beyond the rows without writing", {1, 7, 0, 2, 9, 9, 0, 1}, "7...|....|...."},
      {"no end-of-bitmap: the rest stays 0", {2, 6, 0, 0, 1, 6}, "66..|6...|...."},
      {"stream stops after the end-of-bitmap", {1, 1, 0, 1, 200, 200}, "1...|....|...."},
      {"empty stream", {}, "....|....|...."},
      {"end of row on the last row, nothing after", {0, 0, 0, 0, 0, 0}, "....|....|...."},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> got = decode(c.stream);
    ASSERT_TRUE(got.has_value()) << c.what;
    EXPECT_EQ(*got, c.rows) << c.what;
  }
}

TEST(Rle8, RefusesBrokenStreams) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> stream;
  };
  const Case cases[] = {
      {"run past the row's end", {5, 1}},
      {"second run past the row's end", {3, 1, 2, 1}},
      {"literal past the row's end", {0, 5, 1, 2, 3, 4, 5, 0}},
      {"write past the last row", {0, 0, 0, 0, 0, 0, 1, 1}},
      {"write after a move past the last row", {0, 2, 0, 3, 1, 1}},
      {"write after a move past the row's end", {0, 2, 4, 0, 1, 1}},
      {"cut off inside a run", {3}},
      {"cut off inside a move", {0, 2, 1}},
      {"cut off inside a literal", {0, 4, 1, 2}},
      {"cut off after an escape byte", {1, 1, 0}},
  };
  for (const Case& c : cases) EXPECT_FALSE(decode(c.stream).has_value()) << c.what;
}

}  // namespace
}  // namespace tilecut
