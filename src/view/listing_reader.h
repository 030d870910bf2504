#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tilecut {

// One array of a listing: its name and its words, eight a tile.
struct tile_array {
  std::string name;
  std::vector<std::uint16_t> words;
};

// A listing's first line that is not blank opens an array: "short NAME[]={".
bool is_listing(std::string_view text);

// Reads every array of a listing: lines "short NAME[]={", then one line of
// eight words ("0x" and one to four hex digits, each followed by a comma) per
// tile, then "};". Lines end in CR LF or LF; blank lines are skipped. Prints
// the message (with the file's name) and returns -1 at the first line that
// does not fit where it stands, or when the text ends inside an array.
int read_listing(std::string_view text, std::string_view name, std::vector<tile_array>& arrays);

}  // namespace tilecut
