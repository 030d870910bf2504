// Each bad input end to end: the message's exact bytes, the exit status, and
// no picture (nor temporary file) left behind.
#include <gtest/gtest.h>

#include <map>

#include "support/bmp_builder.h"
#include "support/cp932.h"
#include "view_process.h"

namespace {

// An FR tile file of 2 x 2 tiles, as tilecut writes it: 2 * 3 * 16 + 16 bytes.
const std::string& good_fr() {
  static const std::string file = [] {
    tilecut_test::temp_dir dir;
    tilecut_test::bmp_layout layout;
    layout.width = 16;
    layout.height = 16;
    layout.pixels = tilecut_test::make_pixels(
        16, 16, [](int x, int y) { return static_cast<std::uint8_t>((x * y + x) % 4); });
    dir.write("s.bmp", tilecut_test::build_bmp(layout));
    view_test::run_job(dir, "s.bmp 0 0 16 16 s.fr 0 1 2 3\r\n");
    return dir.read("s.fr").value_or("");
  }();
  return file;
}

const std::string listing = tilecut_test::reference_array("A", std::vector<std::uint16_t>(8, 1));

struct bad_case {
  const char* what;
  std::map<std::string, std::string> files;
  std::vector<std::string> directories;
  std::vector<std::string> arguments;
  std::string message;  // UTF-8; compared as CP932
  std::vector<std::string> after;
  std::uint64_t file_size_limit = 0;
};

TEST(BadInput, PrintsOneMessageFailsAndLeavesNoPicture) {
  ASSERT_EQ(good_fr().size(), 112u);
  const std::string header_only("FRBM\x01\0\0\0\x02\x02\x01\0\0\0\0\0", 16);
  const bad_case cases[] = {
      {"neither kind",
       {{"notes.txt", "hello\r\n"}},
       {},
       {"notes.txt", "-o", "x.png"},
       "notes.txt は FR タイルファイルでも出力リストでもありません",
       {"notes.txt"}},
      {"empty file",
       {{"e.txt", ""}},
       {},
       {"e.txt", "-o", "pics"},
       "e.txt は FR タイルファイルでも出力リストでもありません",
       {"e.txt"}},
      {"not a word",
       {{"out.txt", "short A[]={\r\n\t0x0000, 0x00G0,\r\n};\r\n"}},
       {},
       {"out.txt", "-o", "pics"},
       "out.txt の 2 行目はタイルの行ではありません",
       {"out.txt"}},
      {"listing cut inside an array",
       {{"out.txt", listing.substr(0, listing.size() - 4)}},
       {},
       {"out.txt", "-o", "pics"},
       "out.txt のデータが壊れています",
       {"out.txt"}},
      {"truncated body",
       {{"t.fr", good_fr().substr(0, 111)}},
       {},
       {"t.fr", "-o", "t.png"},
       "t.fr のデータが壊れています",
       {"t.fr"}},
      {"header only, tiles down 2",
       {{"h.fr", header_only}},
       {},
       {"h.fr", "-o", "h.png"},
       "h.fr のデータが壊れています",
       {"h.fr"}},
      {"header only, no tiles",
       {{"h.fr", header_only.substr(0, 9) + '\0' + header_only.substr(10)}},
       {},
       {"h.fr", "-o", "h.png"},
       "h.fr にはタイルがありません",
       {"h.fr"}},
      {"empty array",
       {{"o.txt", "short E[]={\r\n};\r\n"}},
       {},
       {"o.txt", "--array", "E", "-o", "e.png"},
       "E にはタイルがありません",
       {"o.txt"}},
      {"no such array",
       {{"o.txt", listing}},
       {},
       {"o.txt", "--array", "Z", "-o", "z.png"},
       "Z という配列はありません",
       {"o.txt"}},
      {"missing input", {}, {}, {"none.fr", "-o", "x.png"}, "none.frが見つかりません", {}},
      {"unknown picture format",
       {{"t.fr", good_fr()}},
       {},
       {"t.fr", "-o", "t.gif"},
       "t.gif は対応していない形式です",
       {"t.fr"}},
      {"unknown format for an array",
       {{"o.txt", listing}},
       {},
       {"o.txt", "--array", "A", "-o", "a"},
       "a は対応していない形式です",
       {"o.txt"}},
      {"no such directory",
       {{"t.fr", good_fr()}},
       {},
       {"t.fr", "-o", "missing/t.png"},
       "missing/t.pngに書き込めません",
       {"t.fr"}},
      {"output is a directory",
       {{"t.fr", good_fr()}},
       {"t.png"},
       {"t.fr", "-o", "t.png"},
       "t.pngに書き込めません",
       {"t.fr", "t.png"}},
      {"write fails part way",
       {{"t.fr", good_fr()}},
       {},
       {"t.fr", "--scale", "32", "-o", "t.bmp"},
       "t.bmpに書き込めません",
       {"t.fr"},
       4096},
      {"directory is a file",
       {{"o.txt", listing}, {"pics", "x"}},
       {},
       {"o.txt", "-o", "pics"},
       "picsに書き込めません",
       {"o.txt", "pics"}},
      {"array name with a slash",
       {{"o.txt", tilecut_test::reference_array("a/b", {1, 2, 3, 4, 5, 6, 7, 8})}},
       {},
       {"o.txt", "-o", "pics"},
       "a/b は画像の名前にできません",
       {"o.txt", "pics"}},
  };
  for (const bad_case& c : cases) {
    SCOPED_TRACE(c.what);
    tilecut_test::temp_dir dir;
    for (const auto& [name, bytes] : c.files) dir.write(name, bytes);
    for (const std::string& name : c.directories)
      std::filesystem::create_directory(dir.path() / name);
    const auto result = view_test::run_view(dir, c.arguments, c.file_size_limit);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, tilecut_test::cp932(c.message + "\n"));
    EXPECT_EQ(view_test::paths_in(dir), c.after);
  }
}

TEST(BadInput, CommandLineErrorsAndHelp) {
  tilecut_test::temp_dir dir;
  dir.write("t.fr", good_fr());
  const std::vector<std::string> wrong[] = {
      {"t.fr"},
      {"-o", "t.png"},
      {"t.fr", "-o", "t.png", "--scale", "0"},
      {"t.fr", "-o", "t.png", "--columns", "0"},
      {"t.fr", "-o", "t.png", "--scale", "x"},
      {"t.fr", "-o", "t.png", "--unknown"},
  };
  for (const auto& arguments : wrong) {
    EXPECT_EQ(view_test::run_view(dir, arguments).status, 2) << arguments.back();
  }
  const auto help = view_test::run_view(dir, {"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--output", "--array", "--columns", "--scale", "--grid"}) {
    EXPECT_NE(help.output.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(view_test::paths_in(dir), std::vector<std::string>{"t.fr"});
}

}  // namespace
