#pragma once

#include <cstdint>
#include <string_view>

#include "common/messages.h"

// The texts tilecut-view prints, as the Shift_JIS (code page 932) bytes it
// writes, one line each on standard output like tilecut's. "%s" stands for
// the file (or array) the message is about, "%d" for a line number.
namespace tilecut::view_messages {

// tilecut's own texts, where they say what tilecut-view means:
// %sが見つかりません  (the input file cannot be opened or read)
inline constexpr std::string_view file_missing = messages::bitmap_missing;
// %s のデータが壊れています  (an FR tile file whose header or body does not add up,
// or a listing that ends inside an array)
using messages::corrupt_data;
// %s は対応していない形式です  (the output name ends neither in .png nor in .bmp)
using messages::unsupported_format;
// %sに書き込めません  (a picture or the directory for pictures cannot be written)
using messages::cannot_write;
// メモリが足りません  (the input file or the picture would be too large)
using messages::out_of_memory;

// %s は FR タイルファイルでも出力リストでもありません  (the input is neither an FR tile file nor a
// listing)
inline constexpr std::string_view not_tiles =
    "%s \x82\xcd FR \x83^\x83"
    "C\x83\x8b\x83t\x83@\x83"
    "C\x83\x8b\x82\xc5\x82\xe0\x8fo\x97\xcd\x83\x8a\x83X\x83g\x82\xc5\x82\xe0\x82\xa0\x82\xe8\x82"
    "\xdc\x82\xb9\x82\xf1\n";

// %s の %d 行目はタイルの行ではありません  (a line of the listing does not fit where it stands (%d
// is its number))
inline constexpr std::string_view bad_line =
    "%s \x82\xcc %d \x8ds\x96\xda\x82\xcd\x83^\x83"
    "C\x83\x8b\x82\xcc\x8ds\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %s にはタイルがありません  (the FR tile file or array holds no tile to draw)
inline constexpr std::string_view no_tiles =
    "%s \x82\xc9\x82\xcd\x83^\x83"
    "C\x83\x8b\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %s という配列はありません  (--array names no array of the listing (%s is the array name))
inline constexpr std::string_view no_array =
    "%s \x82\xc6\x82\xa2\x82\xa4\x94z\x97\xf1\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\n";

// %s は画像の名前にできません  (an array name holds a '/' and cannot name a picture in the
// directory)
inline constexpr std::string_view bad_picture_name =
    "%s "
    "\x82\xcd\x89\xe6\x91\x9c\x82\xcc\x96\xbc\x91O\x82\xc9\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1"
    "\n";

}  // namespace tilecut::view_messages

namespace tilecut {

// Prints one message to standard output, its "%s" replaced by the name and its
// "%d" by the line number.
void report_line(std::string_view message, std::string_view name, std::int64_t line);

}  // namespace tilecut
