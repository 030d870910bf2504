#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "tiles/tile_encoder.h"

namespace tilecut {

inline constexpr std::size_t fr_header_size = 16;

// Length of an FR tile file. Counts width / 8 + 1 columns of tiles, one more
// than a width that is a multiple of 8 has: files in use have this size.
std::int64_t output_size(std::uint16_t bit_count, std::int32_t width, std::int32_t height);

// Frees an FR buffer's bytes the way setup_fr_buffer allocated them.
struct fr_bytes_free {
  std::size_t mapped_length = 0;  // of a memory mapping; 0 for new[]
  void operator()(std::uint8_t* bytes) const;
};

// A whole FR tile file in memory: the 16-byte header, then the body.
struct fr_buffer {
  std::unique_ptr<std::uint8_t[], fr_bytes_free> bytes;
  std::size_t size = 0;
};

// Allocates the file for a region with a non-negative width and height and
// fills the header (shade bytes 0); the body is zero. Prints the message and
// returns -1 when the file would be larger than memory_limit.
int setup_fr_buffer(fr_buffer& fr, std::uint16_t bit_count, std::int32_t width, std::int32_t height,
                    std::size_t memory_limit);

// Shade bytes of slots 0 to 3 (header bytes 12 to 15).
void set_shade_bytes(fr_buffer& fr, const std::uint8_t shades[4]);

// Stores the encoder's words in the body, low byte first; the encoder fills
// each row of tiles that fits in place. The caller sizes the region so that
// the walk fits the body.
class fr_body_sink final : public tile_sink {
 public:
  explicit fr_body_sink(fr_buffer& fr) : fr_(fr) {}
  void put_tiles(const std::uint16_t* words, std::size_t tile_count) override;
  std::uint8_t* place_tiles(std::size_t tile_count) override;

 private:
  fr_buffer& fr_;
  std::size_t at_ = fr_header_size;
};

// Writes the whole buffer in one block. Prints the message with the file's
// name and returns -1 when the write fails.
int write_fr_file(std::FILE* file, std::string_view name, const fr_buffer& fr);

}  // namespace tilecut
