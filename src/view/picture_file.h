#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "view/picture.h"

namespace tilecut {

enum class picture_format { png, bmp, unknown };

// By the name's ending, in any case: ".png" or ".bmp".
picture_format format_of(const std::string& name);

// An indexed PNG, four palette entries, the pixels' slots as indices. False
// when libpng fails.
bool encode_png(const picture& image, std::vector<std::uint8_t>& bytes);

// An uncompressed 8-bit bitmap with a 40-byte header and a four-entry colour
// table: its pixel values are the slots, so that tilecut with colour indices
// 0 1 2 3 gives back the tiles.
std::vector<std::uint8_t> encode_bmp(const picture& image);

// Writes the bytes to a temporary file beside `name` and renames it into
// place, so that a failed write leaves neither a partial picture nor the
// temporary file. Prints the message and returns -1 on failure.
int write_whole_file(const std::string& name, std::span<const std::uint8_t> bytes);

// Encodes the picture in the name's format and writes it.
int write_picture(const picture& image, const std::string& name);

}  // namespace tilecut
