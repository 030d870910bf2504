#include "tiles/listing.h"

#include <algorithm>

#include "common/messages.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tilecut {
namespace {

// Text is written in blocks of this size, which keep the writes aligned to
// the file's pages; 256 KiB takes a quarter of the system time that 64 KiB
// does and still fits the caches.
constexpr std::size_t block_size = 1 << 18;
constexpr std::string_view line_end = "\r\n";
// A tab, eight "0x%04X, " words, CR LF.
constexpr std::size_t line_length = 1 + tile_size * 8 + 2;

void append(listing& out, std::string_view text) {
  out.buffer.insert(out.buffer.end(), text.begin(), text.end());
}

// Writes the first `bytes` of the buffer and keeps the rest.
void write_front(listing& out, std::size_t bytes) {
  if (!out.failed && std::fwrite(out.buffer.data(), 1, bytes, out.file) != bytes) {
    out.failed = true;
    report(messages::cannot_write, out.name);
  }
  out.buffer.erase(out.buffer.begin(), out.buffer.begin() + static_cast<std::ptrdiff_t>(bytes));
}

void flush_if_full(listing& out) {
  while (out.buffer.size() >= block_size) write_front(out, block_size);
}

#if defined(__SSE2__)

// Upper-case hex digits of sixteen values 0 to 15.
__m128i hex_digits(__m128i values) {
  const __m128i past_9 = _mm_cmpgt_epi8(values, _mm_set1_epi8(9));
  const __m128i digits = _mm_add_epi8(values, _mm_set1_epi8('0'));
  return _mm_add_epi8(digits, _mm_and_si128(past_9, _mm_set1_epi8('A' - '0' - 10)));
}

// One tile's line at `at`, line_length bytes: all eight words at once.
void format_tile_line(const std::uint16_t* words, char* at) {
  const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words));
  // High byte first, so that each word's digits come out most significant first.
  const __m128i swapped = _mm_or_si128(_mm_slli_epi16(w, 8), _mm_srli_epi16(w, 8));
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i high = _mm_and_si128(_mm_srli_epi16(swapped, 4), nibble);
  const __m128i low = _mm_and_si128(swapped, nibble);
  // Four digits a word: words 0 to 3, then 4 to 7.
  const __m128i digits[2] = {hex_digits(_mm_unpacklo_epi8(high, low)),
                             hex_digits(_mm_unpackhi_epi8(high, low))};
  // "0x", four digits, ", ": eight bytes a word.
  const __m128i frame = _mm_set1_epi64x(0x202C000000007830);
  const __m128i zero = _mm_setzero_si128();
  *at = '\t';
  for (int half = 0; half < 2; ++half) {
    const __m128i pairs[2] = {_mm_unpacklo_epi32(digits[half], zero),
                              _mm_unpackhi_epi32(digits[half], zero)};
    for (int i = 0; i < 2; ++i) {
      const __m128i text = _mm_or_si128(frame, _mm_slli_epi64(pairs[i], 16));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at + 1 + 32 * half + 16 * i), text);
    }
  }
  at[line_length - 2] = '\r';
  at[line_length - 1] = '\n';
}

#else

void format_tile_line(const std::uint16_t* words, char* at) {
  static constexpr char hex[] = "0123456789ABCDEF";
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
  *at = '\n';
}

#endif

}  // namespace

int create_listing(listing& out, const std::string& name) {
  out.name = name;
  out.failed = false;
  out.buffer.clear();
  out.buffer.reserve(block_size + 4096);
  out.file = name.find('\0') == std::string::npos ? std::fopen(name.c_str(), "wb") : nullptr;
  if (!out.file) return -1;
  // The listing buffers its own text in large blocks; stdio's buffer would
  // only hide a failing write until the close.
  std::setvbuf(out.file, nullptr, _IONBF, 0);
  return 0;
}

int flush_listing(listing& out) {
  if (!out.buffer.empty()) write_front(out, out.buffer.size());
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
  std::vector<char>& buffer = out_.buffer;
  while (tile_count > 0) {
    // The lines that fill the block, the last one reaching past its end.
    const std::size_t used = buffer.size();
    const std::size_t room = used < block_size ? (block_size - used) / line_length : 0;
    const std::size_t lines = std::min(tile_count, room + 1);
    buffer.resize(used + lines * line_length);
    char* at = buffer.data() + used;
    for (std::size_t i = 0; i < lines; ++i) {
      format_tile_line(words + i * tile_size, at + i * line_length);
    }
    words += lines * tile_size;
    tile_count -= lines;
    flush_if_full(out_);
  }
}

}  // namespace tilecut
