#pragma once

#include <string_view>

// The texts tilecut prints, as the Shift_JIS (code page 932) bytes it writes.
// "%s" stands for the name the message is about (usually the bitmap name).
namespace tilecut::messages {

// format.txtが見つかりません  (format.txt cannot be opened; nothing is created)
inline constexpr std::string_view job_list_missing =
    "format.txt\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %sが見つかりません  (the bitmap cannot be opened; the run stops)
inline constexpr std::string_view bitmap_missing =
    "%s\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %s は BMP fileではありません  (the file does not start with BM)
inline constexpr std::string_view not_bmp =
    "%s \x82\xcd BMP file\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// ２５６色ではありません  (bit count is neither 1 nor 8)
inline constexpr std::string_view not_256_colours =
    "\x82Q\x82T\x82U\x90"
    "F\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// 画像が８の倍数ではありません  (binary mode: region height is not a multiple of 8)
inline constexpr std::string_view not_multiple_of_8 =
    "\x89\xe6\x91\x9c\x82\xaa\x82W\x82\xcc\x94{"
    "\x90\x94\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %s は対応していない形式です  (OS/2 header, unknown compression, or top-down RLE8)
inline constexpr std::string_view unsupported_format =
    "%s "
    "\x82\xcd\x91\xce\x89\x9e\x82\xb5\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x8c`"
    "\x8e\xae\x82\xc5\x82\xb7\n";

// %s のデータが壊れています  (the file is shorter than its headers or its pixel data)
inline constexpr std::string_view corrupt_data =
    "%s \x82\xcc\x83"
    "f\x81[\x83^\x82\xaa\x89\xf3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb7\n";

// %s の切り出し範囲が画像からはみ出しています  (a tile of the region lies outside the bitmap)
inline constexpr std::string_view region_outside =
    "%s "
    "\x82\xcc\x90\xd8\x82\xe8\x8fo\x82\xb5\x94\xcd\x88\xcd\x82\xaa\x89\xe6\x91\x9c\x82\xa9\x82\xe7"
    "\x82\xcd\x82\xdd\x8fo\x82\xb5\x82\xc4\x82\xa2\x82\xdc\x82\xb7\n";

// %sが作成できません  (an FR tile file cannot be created (%s is the output name))
inline constexpr std::string_view cannot_create =
    "%s\x82\xaa\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\n";

// output.txtが作成できません  (output.txt cannot be created; the run stops)
inline constexpr std::string_view listing_cannot_create =
    "output.txt\x82\xaa\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\n";

// %sに書き込めません  (a write to, or the close of, an output file failed (%s is its name))
inline constexpr std::string_view cannot_write =
    "%s\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1\n";

// メモリが足りません  (memory cannot be had, or would exceed the limit)
inline constexpr std::string_view out_of_memory =
    "\x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

}  // namespace tilecut::messages

namespace tilecut {

// Prints one message to standard output, its "%s" replaced by the name. The
// name is written byte for byte, whatever it holds.
void report(std::string_view message, std::string_view name = {});

}  // namespace tilecut
