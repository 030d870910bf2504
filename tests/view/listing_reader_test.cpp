// Reading listings: what tilecut writes, the line ends and spellings a hand
// edit brings, and lines that do not fit where they stand.
#include "view/listing_reader.h"

#include <gtest/gtest.h>

#include "support/bmp_builder.h"
#include "support/cp932.h"

namespace {

using tilecut_test::cp932;

const std::vector<std::uint16_t> words_a = {0x0000, 0x8001, 0xFFFF, 0x1234,
                                            0xABCD, 0x00FF, 0xFF00, 0x0F0F};
const std::vector<std::uint16_t> words_b = {1, 2, 3, 4, 5, 6, 7, 8};

std::vector<std::uint16_t> join(std::vector<std::uint16_t> a, const std::vector<std::uint16_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ListingReader, ReadsEveryArrayInOrder) {
  const std::string written = tilecut_test::reference_array("A", join(words_a, words_b)) +
                              tilecut_test::reference_array("B", words_b) +
                              tilecut_test::reference_array("A", {});
  std::string lf_only;
  for (char c : written) {
    if (c != '\r') lf_only += c;
  }
  const std::string hand_edited =
      "\n  short A[]={ \n0x0,0X8001, 0xffff,\t0x1234, 0xabcd, 0xFF,  0xff00, 0xf0f,\n\n"
      "\t0x1, 0x2, 0x3, 0x4, 0x5, 0x6, 0x7, 0x8,\n};\nshort B[]={\r\n"
      "0x1, 0x2, 0x3, 0x4, 0x5, 0x6, 0x7, 0x8,\r\n};\r\nshort A[]={\r\n};";
  for (const std::string& text : {written, lf_only, hand_edited}) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(tilecut::is_listing(text));
    std::vector<tilecut::tile_array> arrays;
    ASSERT_EQ(tilecut::read_listing(text, "output.txt", arrays), 0);
    ASSERT_EQ(arrays.size(), 3u);
    EXPECT_EQ(arrays[0].name, "A");
    EXPECT_EQ(arrays[0].words, join(words_a, words_b));
    EXPECT_EQ(arrays[1].name, "B");
    EXPECT_EQ(arrays[1].words, words_b);
    EXPECT_EQ(arrays[2].name, "A");
    EXPECT_TRUE(arrays[2].words.empty());
  }
}

TEST(ListingReader, NamesTheFirstLineThatDoesNotFit) {
  const std::string open = "short A[]={\r\n";
  const std::string tile = "\t0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, \r\n";
  struct Case {
    std::string text;
    int line;  // 0: the text ends inside an array
  };
  const Case cases[] = {
      {open + "\t0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, \r\n};\r\n", 2},
      {open + "\t0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 2},
      {open + tile + "\t0x12345, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 3},
      {open + "\t0xZ000, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 2},
      {open + "\t0x, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 2},
      {open + "\t0x0 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 2},
      {open + "\t0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0,\r\n};\r\n", 2},
      {open + "\t0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, ;\r\n};\r\n", 2},
      {open + tile + "};\r\n\r\nint x;\r\n", 5},
      {open + "short B[]={\r\n};\r\n", 2},
      {open + tile + "}\r\n", 3},
      {open + tile, 0},
      {open, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<tilecut::tile_array> arrays;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(tilecut::read_listing(c.text, "out.txt", arrays), -1);
    const std::string expected =
        c.line == 0 ? "out.txt のデータが壊れています\n"
                    : "out.txt の " + std::to_string(c.line) + " 行目はタイルの行ではありません\n";
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), cp932(expected));
  }
}

TEST(ListingReader, RecognisesAListingByItsFirstLine) {
  const std::pair<const char*, bool> cases[] = {
      {"short A[]={\r\n", true},
      {"\r\n\n  short tiles_0[]={", true},
      {"short A[]={ x\r\n", false},
      {"short []={\r\n", false},
      {"short A B[]={\r\n", false},
      {"short A[] = {\r\n", false},
      {"int A[]={\r\n", false},
      {"};\r\nshort A[]={\r\n", false},
      {"FRBM", false},
      {"\r\n\r\n", false},
      {"", false},
  };
  for (const auto& [text, listing] : cases) {
    EXPECT_EQ(tilecut::is_listing(text), listing) << text;
  }
}

}  // namespace
