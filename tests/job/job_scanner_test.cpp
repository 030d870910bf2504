#include "job/job_scanner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tilecut {
namespace {

using namespace std::string_literals;

struct scanned {
  int result;
  job_entry entry;
};

std::vector<scanned> scan_all(std::string_view text) {
  job_scanner scanner = make_job_scanner(text);
  job_entry entry;
  std::vector<scanned> out;
  for (int guard = 0; guard < 100; ++guard) {
    const int result = scan_entry(scanner, entry);
    out.push_back({result, entry});
    if (result < 0) break;
  }
  return out;
}

std::string fields(const job_entry& e) {
  std::ostringstream s;
  s << e.bitmap_name;
  for (std::int32_t v : {e.x, e.y, e.width, e.height}) s << ' ' << v;
  s << ' ' << e.output_name;
  for (std::int32_t v : e.colour_index) s << ' ' << v;
  return s.str();
}

TEST(JobScanner, ScansEntriesFieldByField) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::pair<int, std::string>> expected;  // result and fields after each scan
  };
  const Case cases[] = {
      {"one entry per line",
       "a.bmp 1 2 3 4 chr 5 6 7 8\r\nb.bmp 9 9 9 9 x.fr 0 1 2 3\n",
       {{10, "a.bmp 1 2 3 4 chr 5 6 7 8"}, {10, "b.bmp 9 9 9 9 x.fr 0 1 2 3"}, {-1, ""}}},
      {"two entries on one line, one over several lines",
       "a 1 2 3 4 b 5 6 7 8 c 1 1 1 1 d 2 2 2 2",
       {{10, "a 1 2 3 4 b 5 6 7 8"}, {10, "c 1 1 1 1 d 2 2 2 2"}, {-1, ""}}},
      {"every whitespace byte separates",
       "a\t1\v2\f3\r4\n\n  b 5 6 7 8",
       {{10, "a 1 2 3 4 b 5 6 7 8"}, {-1, ""}}},
      {"empty list", "", {{-1, ""}}},
      {"whitespace only", " \r\n\t ", {{-1, ""}}},
      {"signs",
       "a +1 -2 -0 +0 b -2147483648 2147483647 -1 +7",
       {{10, "a 1 -2 0 0 b -2147483648 2147483647 -1 7"}, {-1, ""}}},
      {"values wrap modulo 2^32",
       "a 4294967296 4294967297 2147483648 99999999999 b 0 0 0 -4294967295",
       {{10, "a 0 1 -2147483648 1215752191 b 0 0 0 1"}, {-1, ""}}},
      {"a short last entry keeps the earlier fields",
       "a 1 2 3 4 b 5 6 7 8 c 9 9 9 9 d",
       {{10, "a 1 2 3 4 b 5 6 7 8"}, {6, "c 9 9 9 9 d 5 6 7 8"}, {-1, ""}}},
      {"0x10 stops at the x, which starts the next entry",
       "a 0x10 1 1 1 b 0 0 0 0",
       {{2, "a 0 0 0 0  0 0 0 0"},
        {4, "x10 1 1 1 0  0 0 0 0"},
        {5, "b 0 0 0 0  0 0 0 0"},
        {-1, ""}}},
      {"a sign without digits is consumed",
       "a 1 - 5 6 7 b 1 1 1 1",
       {{2, "a 1 0 0 0  0 0 0 0"}, {3, "5 6 7 0 0  0 0 0 0"}, {5, "b 1 1 1 1  0 0 0 0"}, {-1, ""}}},
      {"0x1A ends the list",
       "a 1 2 3 4 b 5 6 7 8\x1a c 1 1 1 1 d 2 2 2 2",
       {{10, "a 1 2 3 4 b 5 6 7 8"}, {-1, ""}}},
      {"names are maximal runs of any non-space bytes",
       "\xe7\x94\xbb.bmp 0 0 0 0 a\0b 1 2 3 4"s,
       {{10, "\xe7\x94\xbb.bmp 0 0 0 0 a\0b 1 2 3 4"s}, {-1, ""}}},
  };
  for (const Case& c : cases) {
    const std::vector<scanned> got = scan_all(c.text);
    ASSERT_EQ(got.size(), c.expected.size()) << c.what;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].result, c.expected[i].first) << c.what << ", scan " << i;
      if (got[i].result >= 0) {
        EXPECT_EQ(fields(got[i].entry), c.expected[i].second) << c.what << ", scan " << i;
      }
    }
  }
}

TEST(JobScanner, LongNamesAreKeptWhole) {
  const std::string name(5000, 'n');
  const std::vector<scanned> got = scan_all(name + " 1 2 3 4 " + name + ".fr 0 1 2 3");
  ASSERT_EQ(got[0].result, 10);
  EXPECT_EQ(got[0].entry.bitmap_name, name);
  EXPECT_EQ(got[0].entry.output_name, name + ".fr");
}

TEST(JobScanner, BinaryModeIsChosenByDotFrAnywhere) {
  const std::pair<const char*, bool> cases[] = {
      {"tiles.fr", true}, {"a.front", true},   {"x.fr.bin", true},
      {".fr", true},      {"tiles.FR", false}, {"tiles.Fr", false},
      {"fr", false},      {"chr", false},      {"a.f.r", false}};
  for (const auto& [name, binary] : cases) EXPECT_EQ(is_binary_mode(name), binary) << name;
}

}  // namespace
}  // namespace tilecut
