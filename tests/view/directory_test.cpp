// A listing drawn into a directory: one picture per array, named after it,
// numbered when a name comes again, and never one over another.
#include <gtest/gtest.h>

#include "picture_decode.h"
#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "view_process.h"

namespace {

// A tile all in one slot.
std::vector<std::uint16_t> plain_tile(unsigned slot) {
  const auto word = static_cast<std::uint16_t>((slot & 1 ? 0x00FF : 0) | (slot & 2 ? 0xFF00 : 0));
  return std::vector<std::uint16_t>(8, word);
}

// The slots of the picture's tiles, left to right, top to bottom, each tile
// checked to be plain.
std::vector<int> tile_slots(const tilecut_test::temp_dir& dir, const std::string& name) {
  view_test::decoded_picture picture;
  if (!view_test::decode_png(dir.read(name).value_or(""), picture)) return {-1};
  std::vector<int> slots;
  for (int ty = 0; ty < picture.height; ty += 8) {
    for (int tx = 0; tx < picture.width; tx += 8) {
      const auto at = [&](int x, int y) {
        return picture.indices[static_cast<std::size_t>((ty + y) * picture.width + tx + x)];
      };
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          if (at(x, y) != at(0, 0)) return {-2};
        }
      }
      slots.push_back(at(0, 0));
    }
  }
  return slots;
}

TEST(Directory, EveryArrayGetsItsOwnPicture) {
  std::vector<std::uint16_t> b = plain_tile(0);
  const std::vector<std::uint16_t> b_second = plain_tile(3);
  b.insert(b.end(), b_second.begin(), b_second.end());
  tilecut_test::temp_dir dir;
  dir.write("list.txt", tilecut_test::reference_array("A", plain_tile(1)) +
                            tilecut_test::reference_array("B", b) +
                            tilecut_test::reference_array("x/y", plain_tile(1)) +
                            tilecut_test::reference_array("A", plain_tile(2)) +
                            tilecut_test::reference_array("A.2", plain_tile(3)));
  std::filesystem::create_directory(dir.path() / "pics");
  dir.write("pics/A.png", "old");  // left by an earlier run: replaced
  const auto drawn = view_test::run_view(dir, {"list.txt", "-o", "pics"});
  // The array whose name cannot be a file's is reported; the others are drawn.
  EXPECT_EQ(drawn.status, 1);
  EXPECT_EQ(drawn.output, tilecut_test::cp932("x/y は画像の名前にできません\n"));
  EXPECT_EQ(view_test::paths_in(dir),
            (std::vector<std::string>{"list.txt", "pics", "pics/A.2.2.png", "pics/A.2.png",
                                      "pics/A.png", "pics/B.png"}));
  EXPECT_EQ(tile_slots(dir, "pics/A.png"), std::vector<int>{1});
  EXPECT_EQ(tile_slots(dir, "pics/B.png"), (std::vector<int>{0, 3}));
  EXPECT_EQ(tile_slots(dir, "pics/A.2.png"), std::vector<int>{2});
  EXPECT_EQ(tile_slots(dir, "pics/A.2.2.png"), std::vector<int>{3});

  // --array takes the first definition of the name.
  const auto one = view_test::run_view(dir, {"list.txt", "--array", "A", "-o", "a.png"});
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(tile_slots(dir, "a.png"), std::vector<int>{1});
}

TEST(Directory, MadeWhenMissing) {
  tilecut_test::temp_dir dir;
  dir.write("list.txt", tilecut_test::reference_array("T", plain_tile(2)));
  const auto drawn = view_test::run_view(dir, {"list.txt", "-o", "out/pics", "--grid"});
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.output, "");
  EXPECT_EQ(tile_slots(dir, "out/pics/T.png"), std::vector<int>{2});
}

}  // namespace
