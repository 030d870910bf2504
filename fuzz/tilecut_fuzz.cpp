// libFuzzer target: one input is a job list and one bitmap file, converted
// entry by entry in memory exactly as a run converts them.
//
// Input layout (byte 0 selects the mode):
//   bit 0 clear: text mode.
//     bytes 1-2   length L of the job list text, little-endian (clamped)
//     next L      job list text, scanned as format.txt is
//     rest        the bitmap file every entry reads
//   bit 0 set: fixed-line mode, so that most inputs reach the encoder.
//     bytes 1-16  eight little-endian int16: x y width height c0 c1 c2 c3
//     rest        the bitmap file
//     bit 1: the output name holds ".fr" (binary mode)
//     bit 2: the height is rounded down to a multiple of 8
//     bit 3: a second entry, in the other mode, follows
//   The fixed line is printed as text and scanned, as a job list is.
//   In both modes, bit 4 sends the listing and the FR file to /dev/full, where
//   every write fails.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "bitmap/bitmap_header.h"
#include "bitmap/bitmap_image.h"
#include "job/convert_entry.h"
#include "job/job_scanner.h"
#include "tiles/listing.h"
#include "tiles/tile_encoder.h"

namespace {

// Conversions per input: enough for entries to interact through the shared
// listing, few enough that one input stays fast.
constexpr int max_converted_entries = 16;

// Small, so that a hostile header fails fast instead of making every input
// decode and encode tens of megabytes.
constexpr std::size_t fuzz_memory_limit = std::size_t{4} << 20;

// Pixels one input may have decoded and encoded before its later entries are
// only scanned. Without it a few mutants of a large RLE8 bitmap, sixteen
// 4 MiB decodes and encodes each, take the fuzzer from tens of thousands of
// inputs a second to hundreds.
constexpr std::uint64_t pixel_budget = std::uint64_t{16} << 20;

constexpr std::size_t fixed_header_size = 17;

struct fuzz_outputs {
  tilecut::listing array_listing;
  std::FILE* fr_file = nullptr;
};

struct output_devices {
  fuzz_outputs null;
  fuzz_outputs full;  // listing file null when /dev/full cannot be opened
};

// Opened once: reopening the devices for every input would only cost time.
output_devices& devices_once() {
  static output_devices* devices = [] {
    // Every rejected entry prints a message; the fuzzer's own output must stay
    // readable.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    auto* made = new output_devices;
    if (tilecut::create_listing(made->null.array_listing, "/dev/null") != 0) std::abort();
    made->null.fr_file = std::fopen("/dev/null", "wb");
    if (!made->null.fr_file) std::abort();
    if (tilecut::create_listing(made->full.array_listing, "/dev/full") == 0) {
      made->full.fr_file = std::fopen("/dev/full", "wb");
    }
    if (!made->full.fr_file) made->full.array_listing.file = nullptr;
    return made;
  }();
  return *devices;
}

fuzz_outputs& outputs_for(std::uint8_t selector) {
  output_devices& devices = devices_once();
  if ((selector & 0x10u) == 0 || !devices.full.array_listing.file) return devices.null;
  // A failed write marks the listing for good; each input starts afresh.
  devices.full.array_listing.failed = false;
  std::clearerr(devices.full.fr_file);
  return devices.full;
}

[[noreturn]] void invariant_broken(const char* what) {
  std::fprintf(stderr, "tilecut_fuzz: %s\n", what);
  std::abort();
}

std::int16_t int16_at(const std::uint8_t* bytes) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
}

std::string fixed_line(const std::uint8_t* params, std::uint8_t selector, bool binary_mode) {
  std::int32_t value[8];
  for (int i = 0; i < 8; ++i) value[i] = int16_at(params + 2 * i);
  if ((selector & 4u) != 0) value[3] -= value[3] % 8;
  std::string line = "in.bmp";
  for (int i = 0; i < 4; ++i) line += ' ' + std::to_string(value[i]);
  line += binary_mode ? " out.fr" : " out";
  for (int i = 4; i < 8; ++i) line += ' ' + std::to_string(value[i]);
  line += "\r\n";
  return line;
}

// Splits the input into job list text and bitmap bytes.
void split_input(const std::uint8_t* data, std::size_t size, std::string& job_list,
                 tilecut::bitmap_image& image) {
  const std::uint8_t selector = data[0];
  std::size_t bitmap_at = 0;
  if ((selector & 1u) == 0) {
    std::size_t length = size >= 3 ? static_cast<std::size_t>(data[1] | (data[2] << 8)) : 0;
    const std::size_t text_at = size >= 3 ? 3 : size;
    if (length > size - text_at) length = size - text_at;
    job_list.assign(reinterpret_cast<const char*>(data + text_at), length);
    bitmap_at = text_at + length;
  } else {
    std::uint8_t params[fixed_header_size - 1] = {};
    const std::size_t have = size - 1 < sizeof params ? size - 1 : sizeof params;
    std::memcpy(params, data + 1, have);
    const bool binary_mode = (selector & 2u) != 0;
    job_list = fixed_line(params, selector, binary_mode);
    if ((selector & 8u) != 0) job_list += fixed_line(params, selector, !binary_mode);
    bitmap_at = size < fixed_header_size ? size : fixed_header_size;
  }
  image.size = size - bitmap_at;
  // An allocation of exactly the file's size, so that any read past the end
  // of the bitmap is caught.
  image.bytes.reset(new std::uint8_t[image.size == 0 ? 1 : image.size]);
  if (image.size > 0) std::memcpy(image.bytes.get(), data + bitmap_at, image.size);
}

// The strip encoder must give the words of the scalar one for any pixels and
// any colour indices, out-of-range and repeated ones included. The bitmap
// bytes serve as the pixels of a strip of whole tiles, rows side by side.
void check_strip_encoder(const tilecut::bitmap_image& image, const tilecut::job_entry& entry) {
  constexpr std::size_t tile_pixels = tilecut::tile_size * tilecut::tile_size;
  constexpr std::size_t max_tiles = 9;  // odd, so the one-tile tail is reached too
  const std::size_t tile_count = std::min(image.size / tile_pixels, max_tiles);
  if (tile_count == 0) return;
  tilecut::colour_indices colours;
  for (int k = 0; k < 4; ++k) colours.index[k] = entry.colour_index[k];
  const auto step = static_cast<std::ptrdiff_t>(tile_count * tilecut::tile_size);
  std::uint8_t words[max_tiles * tilecut::tile_size * 2];
  tilecut::encode_tile_strip_fast(image.bytes.get(), step, tile_count, colours, words);
  for (std::size_t t = 0; t < tile_count; ++t) {
    for (int r = 0; r < tilecut::tile_size; ++r) {
      const std::uint8_t* pixels = image.bytes.get() + r * step + t * tilecut::tile_size;
      const std::uint16_t want = tilecut::encode_tile_row_scalar(pixels, colours);
      const std::uint8_t* got = words + 2 * (t * tilecut::tile_size + static_cast<std::size_t>(r));
      if (got[0] != static_cast<std::uint8_t>(want) || got[1] != (want >> 8)) {
        invariant_broken("encode_tile_strip_fast differs from encode_tile_row_scalar");
      }
    }
  }
}

// Bytes each entry decodes before its region is checked: the rows of an RLE8
// bitmap that fits the memory limit, else none worth counting.
std::uint64_t decode_cost(const tilecut::bitmap_image& image) {
  tilecut::bitmap_header header;
  if (tilecut::read_bitmap_header(image.view(), "", header) != 0) return 0;
  if (header.bit_count != 8 || header.compression != tilecut::compression_rle8) return 0;
  if (header.width <= 0 || header.height <= 0) return 0;
  const auto bytes = static_cast<std::uint64_t>(tilecut::row_stride(8, header.width)) *
                     static_cast<std::uint64_t>(header.height);
  return bytes <= fuzz_memory_limit ? bytes : 0;
}

// Pixels a converted entry encoded, or the FR file it filled.
std::uint64_t encode_cost(const tilecut::job_entry& entry) {
  if (entry.width <= 0 || entry.height <= 0) return 0;
  const std::uint64_t area =
      static_cast<std::uint64_t>(entry.width) * static_cast<std::uint64_t>(entry.height);
  return std::min<std::uint64_t>(area, fuzz_memory_limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    devices_once();
    return 0;
  }
  fuzz_outputs& outputs = outputs_for(data[0]);

  std::string job_list;
  tilecut::bitmap_image image;
  split_input(data, size, job_list, image);

  tilecut::entry_outputs entry_outputs{outputs.array_listing, outputs.fr_file, fuzz_memory_limit};
  tilecut::job_scanner scanner = tilecut::make_job_scanner(job_list);
  tilecut::job_entry entry;  // shared by the scans, as in a run
  int converted = 0;
  const std::uint64_t decode_pixels = decode_cost(image);
  std::uint64_t spent = 0;
  for (;;) {
    const std::size_t before = scanner.at;
    const int filled = tilecut::scan_entry(scanner, entry);
    if (filled < 0) break;
    // A scan that fills a field must move on, or a run would never end.
    if (filled > tilecut::job_entry_fields || scanner.at <= before) {
      invariant_broken("scan_entry filled fields without moving on");
    }
    if (scanner.at > scanner.text.size()) invariant_broken("scan_entry ran past the text");
    // The whole list is still scanned, so that a scanner that never ends is
    // caught as a timeout whatever the caps.
    if (converted >= max_converted_entries || spent >= pixel_budget) continue;
    ++converted;
    spent += decode_pixels;
    if (tilecut::convert_entry(image, entry, tilecut::is_binary_mode(entry.output_name),
                               entry_outputs) == tilecut::entry_result::converted) {
      spent += encode_cost(entry);
    }
  }
  check_strip_encoder(image, entry);
  // Keeps the listing's buffer from growing across inputs.
  tilecut::flush_listing(outputs.array_listing);
  return 0;
}
