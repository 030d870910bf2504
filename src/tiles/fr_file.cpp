#include "tiles/fr_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/byte_order.h"
#include "common/messages.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tilecut {
namespace {

// Asks for huge pages under a large buffer before its first touch: one page
// fault then maps 2 MiB rather than 4 KiB, and the faults of a fresh 4 MiB
// buffer cost more than encoding its tiles. Only a hint; a refusal changes
// nothing.
void prefer_huge_pages([[maybe_unused]] std::uint8_t* bytes, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t huge = std::uintptr_t{1} << 21;
  const auto start = reinterpret_cast<std::uintptr_t>(bytes);
  const std::uintptr_t first = (start + huge - 1) & ~(huge - 1);
  const std::uintptr_t last = (start + size) & ~(huge - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace

std::int64_t output_size(std::uint16_t bit_count, std::int32_t width, std::int32_t height) {
  const std::int64_t bytes_per_column = bit_count == 1 ? 1 : 2;
  return bytes_per_column * (width / 8 + 1) * std::int64_t{height} +
         static_cast<std::int64_t>(fr_header_size);
}

int setup_fr_buffer(fr_buffer& fr, std::uint16_t bit_count, std::int32_t width, std::int32_t height,
                    std::size_t memory_limit) {
  const std::int64_t size = output_size(bit_count, width, height);
  if (size < 0 || static_cast<std::uint64_t>(size) > memory_limit) {
    report(messages::out_of_memory);
    return -1;
  }
  fr.bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
  if (!fr.bytes) {
    report(messages::out_of_memory);
    return -1;
  }
  fr.size = static_cast<std::size_t>(size);
  prefer_huge_pages(fr.bytes.get(), fr.size);
  // Zeroed: body bytes the walk does not reach are 0.
  std::memset(fr.bytes.get(), 0, fr.size);
  std::uint8_t* header = fr.bytes.get();
  header[0] = 'F';
  header[1] = 'R';
  header[2] = 'B';
  header[3] = 'M';
  // Fields narrower than their values keep the low bits.
  store_u16le(header + 4, static_cast<std::uint16_t>((size + 15) / 16));
  store_u16le(header + 6, 0);
  header[8] = static_cast<std::uint8_t>(width / 8);
  header[9] = static_cast<std::uint8_t>(height / 8);
  header[10] = 1;
  header[11] = 0;
  return 0;
}

void set_shade_bytes(fr_buffer& fr, const std::uint8_t shades[4]) {
  for (int k = 0; k < 4; ++k) fr.bytes[12 + static_cast<std::size_t>(k)] = shades[k];
}

void fr_body_sink::put_tiles(const std::uint16_t* words, std::size_t tile_count) {
  // The entry checks keep the walk inside the body; words past its end are
  // dropped rather than written over memory.
  const std::size_t room = (fr_.size - at_) / 2;
  const std::size_t count = std::min(tile_count * tile_size, room);
  std::uint8_t* out = fr_.bytes.get() + at_;
  for (std::size_t i = 0; i < count; ++i) store_u16le(out + 2 * i, words[i]);
  at_ += count * 2;
}

std::uint8_t* fr_body_sink::place_tiles(std::size_t tile_count) {
  const std::size_t bytes = tile_count * tile_size * 2;
  // A row that does not fit whole goes through put_tiles, which keeps what fits.
  if (fr_.size - at_ < bytes) return nullptr;
  std::uint8_t* place = fr_.bytes.get() + at_;
  at_ += bytes;
  return place;
}

int write_fr_file(std::FILE* file, std::string_view name, const fr_buffer& fr) {
  if (std::fwrite(fr.bytes.get(), 1, fr.size, file) != fr.size || std::fflush(file) != 0) {
    report(messages::cannot_write, name);
    return -1;
  }
  return 0;
}

}  // namespace tilecut
