#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "view/tile_sheet.h"

namespace tilecut {

// An FR tile file starts with "FRBM".
bool is_fr_file(std::span<const std::uint8_t> file);

// Reads the tiles of an FR tile file and the grid they were cut from. Prints
// the message (with the file's name) and returns -1 when the header and the
// length do not describe a file tilecut writes.
int read_fr_sheet(std::span<const std::uint8_t> file, std::string_view name, tile_sheet& sheet);

}  // namespace tilecut
