// The listing's block writer and line formatter against snprintf, over every
// word value and across many block boundaries.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/tilecut_process.h"
#include "tiles/listing.h"

namespace tilecut {
namespace {

std::string reference_lines(const std::uint16_t* words, std::size_t tile_count) {
  std::string text;
  char word[16];
  for (std::size_t t = 0; t < tile_count; ++t) {
    text += '\t';
    for (std::size_t r = 0; r < 8; ++r) {
      std::snprintf(word, sizeof word, "0x%04X, ", static_cast<unsigned>(words[8 * t + r]));
      text += word;
    }
    text += "\r\n";
  }
  return text;
}

TEST(ListingFast, EveryWordValueInCallsOfUnevenSize) {
  std::vector<std::uint16_t> words(65536);
  // Every value once, in an order that puts unlike digits side by side.
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<std::uint16_t>(i * 40503u);
  }
  // Tiles a call, and whether an array ends before the next call: lines of
  // one call and arrays between them both cross the writer's blocks.
  struct Call {
    std::size_t tiles;
    bool new_array;
  };
  const Call calls[] = {{1, false}, {0, false},   {7, true},  {3000, false},
                        {1, true},  {4095, true}, {2, false}, {1086, false}};

  tilecut_test::temp_dir dir;
  listing out;
  ASSERT_EQ(create_listing(out, (dir.path() / "out.txt").string()), 0);
  std::string expected = "short a0[]={\r\n";
  write_array_open(out, "a0");
  listing_sink sink(out);
  std::size_t at = 0;
  int arrays = 0;
  for (const Call& call : calls) {
    ASSERT_LE(at + call.tiles * 8, words.size());
    sink.put_tiles(words.data() + at, call.tiles);
    expected += reference_lines(words.data() + at, call.tiles);
    at += call.tiles * 8;
    if (call.new_array) {
      std::string name = "a";
      name += std::to_string(++arrays);
      write_array_close(out);
      write_array_open(out, name);
      expected += "};\r\nshort ";
      expected += name;
      expected += "[]={\r\n";
    }
  }
  ASSERT_EQ(at, words.size());
  write_array_close(out);
  expected += "};\r\n";
  ASSERT_EQ(close_listing(out), 0);
  const std::string text = *dir.read("out.txt");
  ASSERT_EQ(text.size(), expected.size());
  // The first stretch that differs rather than two half-megabyte strings.
  for (std::size_t i = 0; i < text.size(); i += 67) {
    ASSERT_EQ(text.substr(i, 67), expected.substr(i, 67)) << "at byte " << i;
  }
}

}  // namespace
}  // namespace tilecut
