#include "tiles/listing.h"

#include "common/messages.h"

namespace tilecut {
namespace {

constexpr std::size_t flush_threshold = 1 << 16;
constexpr std::string_view line_end = "\r\n";

void append(listing& out, std::string_view text) {
  out.buffer.insert(out.buffer.end(), text.begin(), text.end());
}

void flush_if_full(listing& out) {
  if (out.buffer.size() >= flush_threshold) flush_listing(out);
}

// One tile: a tab, eight "0x%04X, " words, CR LF.
void append_tile_line(listing& out, const std::uint16_t* words) {
  static constexpr char hex[] = "0123456789ABCDEF";
  char line[1 + tile_size * 8 + 2];
  char* at = line;
  *at++ = '\t';
  for (int r = 0; r < tile_size; ++r) {
    const unsigned word = words[r];
    *at++ = '0';
    *at++ = 'x';
    *at++ = hex[(word >> 12) & 0xF];
    *at++ = hex[(word >> 8) & 0xF];
    *at++ = hex[(word >> 4) & 0xF];
    *at++ = hex[word & 0xF];
    *at++ = ',';
    *at++ = ' ';
  }
  *at++ = '\r';
  *at++ = '\n';
  out.buffer.insert(out.buffer.end(), line, at);
}

}  // namespace

int create_listing(listing& out, const std::string& name) {
  out.name = name;
  out.failed = false;
  out.buffer.clear();
  out.buffer.reserve(flush_threshold + 4096);
  out.file = name.find('\0') == std::string::npos ? std::fopen(name.c_str(), "wb") : nullptr;
  if (!out.file) return -1;
  // The listing buffers its own text in large blocks; stdio's buffer would
  // only hide a failing write until the close.
  std::setvbuf(out.file, nullptr, _IONBF, 0);
  return 0;
}

int flush_listing(listing& out) {
  if (!out.failed && !out.buffer.empty() &&
      std::fwrite(out.buffer.data(), 1, out.buffer.size(), out.file) != out.buffer.size()) {
    out.failed = true;
    report(messages::cannot_write, out.name);
  }
  out.buffer.clear();
  return out.failed ? -1 : 0;
}

int close_listing(listing& out) {
  flush_listing(out);
  if (out.file && std::fclose(out.file) != 0 && !out.failed) {
    out.failed = true;
    report(messages::cannot_write, out.name);
  }
  out.file = nullptr;
  return out.failed ? -1 : 0;
}

void write_array_open(listing& out, std::string_view array_name) {
  append(out, "short ");
  append(out, array_name);
  append(out, "[]={");
  append(out, line_end);
  flush_if_full(out);
}

void write_array_close(listing& out) {
  append(out, "};");
  append(out, line_end);
  flush_if_full(out);
}

void listing_sink::put_tiles(const std::uint16_t* words, std::size_t tile_count) {
  for (std::size_t t = 0; t < tile_count; ++t) {
    append_tile_line(out_, words + t * tile_size);
    flush_if_full(out_);
  }
}

}  // namespace tilecut
