// The encoders, read back by independent readers: tilecut's own bitmap
// reader for the BMP, libpng's low-level reader for the PNG.
#include "view/picture_file.h"

#include <gtest/gtest.h>

#include <random>

#include "bitmap/bitmap_header.h"
#include "bitmap/pixel_rows.h"
#include "picture_decode.h"
#include "support/cp932.h"
#include "support/tilecut_process.h"

namespace {

tilecut::picture random_picture(std::int32_t width, std::int32_t height) {
  std::mt19937 random(static_cast<unsigned>(width * 1000 + height));
  tilecut::picture image;
  image.width = width;
  image.height = height;
  for (std::int32_t i = 0; i < width * height; ++i) {
    image.pixels.push_back(static_cast<std::uint8_t>(random() % 4));
  }
  image.greys = {240, 7, 128, 64};
  return image;
}

const std::pair<std::int32_t, std::int32_t> sizes[] = {{1, 1}, {5, 3}, {8, 8}, {13, 9}, {64, 2}};

TEST(PictureFile, BmpIsReadByTilecutsBitmapReader) {
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(::testing::Message() << width << "x" << height);
    const tilecut::picture image = random_picture(width, height);
    const std::vector<std::uint8_t> file = tilecut::encode_bmp(image);
    tilecut::bitmap_header header;
    ASSERT_EQ(tilecut::read_bitmap_header(file, "x.bmp", header), 0);
    EXPECT_EQ(header.info_size, 40u);
    EXPECT_EQ(header.bit_count, 8);
    EXPECT_EQ(header.compression, tilecut::compression_none);
    tilecut::bitmap_pixels pixels;
    ASSERT_EQ(tilecut::open_pixel_rows(file, header, "x.bmp", std::size_t{1} << 20, pixels), 0);
    ASSERT_EQ(pixels.rows.width, width);
    ASSERT_EQ(pixels.rows.rows, height);
    for (std::int32_t y = 0; y < height; ++y) {
      for (std::int32_t x = 0; x < width; ++x) {
        ASSERT_EQ(pixels.rows.row(y)[x], image.at(x, y)) << x << "," << y;
      }
    }
    for (std::size_t k = 0; k < 4; ++k) {
      std::uint8_t blue = 0;
      ASSERT_TRUE(tilecut::colour_blue(file, header, static_cast<std::int64_t>(k), blue));
      EXPECT_EQ(blue, image.greys[k]);
    }
    view_test::decoded_picture decoded;
    ASSERT_TRUE(view_test::decode_bmp({file.begin(), file.end()}, decoded));
    EXPECT_EQ(decoded.palette.size(), 4u);
    EXPECT_EQ(decoded.palette[1], (std::array<std::uint8_t, 3>{7, 7, 7}));
  }
}

TEST(PictureFile, PngIsAFourEntryPalettePicture) {
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(::testing::Message() << width << "x" << height);
    const tilecut::picture image = random_picture(width, height);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(tilecut::encode_png(image, file));
    view_test::decoded_picture decoded;
    ASSERT_TRUE(view_test::decode_png({file.begin(), file.end()}, decoded));
    EXPECT_EQ(decoded.width, width);
    EXPECT_EQ(decoded.height, height);
    EXPECT_EQ(decoded.bit_depth, 2);
    const std::vector<std::array<std::uint8_t, 3>> palette = {
        {240, 240, 240}, {7, 7, 7}, {128, 128, 128}, {64, 64, 64}};
    EXPECT_EQ(decoded.palette, palette);
    EXPECT_EQ(decoded.indices, image.pixels);
  }
}

TEST(PictureFile, FormatComesFromTheNameEnding) {
  const std::pair<const char*, tilecut::picture_format> cases[] = {
      {"a.png", tilecut::picture_format::png},
      {"dir.bmp/A.PNG", tilecut::picture_format::png},
      {"a.bmp", tilecut::picture_format::bmp},
      {"a.Bmp", tilecut::picture_format::bmp},
      {"a.png.txt", tilecut::picture_format::unknown},
      {"png", tilecut::picture_format::unknown},
      {"a.gif", tilecut::picture_format::unknown},
  };
  for (const auto& [name, format] : cases) EXPECT_EQ(tilecut::format_of(name), format) << name;
}

TEST(PictureFile, FailedWriteLeavesNothingBehind) {
  tilecut_test::temp_dir dir;
  std::filesystem::create_directory(dir.path() / "taken.png");
  const std::uint8_t bytes[] = {1, 2, 3};
  for (const char* name : {"missing/x.png", "taken.png"}) {
    const std::string path = (dir.path() / name).string();
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(tilecut::write_whole_file(path, bytes), -1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              tilecut_test::cp932(path + "に書き込めません\n"));
  }
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"taken.png"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "taken.png"));

  const std::string path = (dir.path() / "new.bmp").string();
  ASSERT_EQ(tilecut::write_whole_file(path, bytes), 0);
  EXPECT_EQ(dir.read("new.bmp"), std::string("\x01\x02\x03"));
}

}  // namespace
