#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tiles/tile_encoder.h"

namespace tilecut {

// An output text file written in large blocks: the array listing. Lines end
// in CR LF on every platform.
struct listing {
  std::FILE* file = nullptr;
  std::string name;          // for the message when a write fails
  std::vector<char> buffer;  // text not yet written
  bool failed = false;       // a write failed; reported once, later writes dropped
};

// Creates (truncating) the named file. Returns -1, printing nothing, when it
// cannot be created.
int create_listing(listing& out, const std::string& name);

// Writes what is buffered. Returns -1 once a write has failed.
int flush_listing(listing& out);

// Flushes and closes. Returns -1 when any write or the close failed.
int close_listing(listing& out);

void write_array_open(listing& out, std::string_view array_name);
void write_array_close(listing& out);

// Sends the encoder's words to the listing, one line per tile.
class listing_sink final : public tile_sink {
 public:
  explicit listing_sink(listing& out) : out_(out) {}
  void put_tiles(const std::uint16_t* words, std::size_t tile_count) override;

 private:
  listing& out_;
};

}  // namespace tilecut
