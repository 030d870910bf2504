#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tilecut {

// Decodes an RLE8 stream into `rows` rows of `stride` bytes, stored bottom-up
// as in an uncompressed file; `out` must hold stride * rows zero bytes. A run
// may fill a row's padding (some encoders write it), but nothing beyond it.
// False when the stream is cut off inside a run or escape, or would write past
// the end of a row or past the last row.
bool decode_rle8(std::span<const std::uint8_t> stream, std::size_t stride, std::size_t rows,
                 std::uint8_t* out);

}  // namespace tilecut
