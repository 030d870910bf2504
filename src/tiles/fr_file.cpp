#include "tiles/fr_file.h"

#include <algorithm>
#include <new>

#include "common/byte_order.h"
#include "common/messages.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tilecut {
namespace {

using fr_bytes = std::unique_ptr<std::uint8_t[], fr_bytes_free>;

// A zeroed buffer. A large one is mapped from the system on a 2 MiB boundary
// with huge pages asked for before its first touch: one page fault then maps
// 2 MiB rather than 4 KiB (the faults of a fresh 4 MiB buffer cost more than
// encoding its tiles), and the mapping comes zeroed without a pass to clear it.
fr_bytes allocate_zeroed(std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t huge_page = std::size_t{1} << 21;
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  if (size >= huge_page && page > 0 && huge_page % page == 0) {
    // Room to slide to the boundary; the slack on either side is given back.
    const std::size_t reserved = size + huge_page;
    void* mapped =
        mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return fr_bytes(nullptr, fr_bytes_free{});
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + huge_page - 1) & ~std::uintptr_t{huge_page - 1};
    const std::size_t length = (size + page - 1) / page * page;
    if (aligned > start) munmap(mapped, aligned - start);
    if (start + reserved > aligned + length) {
      munmap(reinterpret_cast<void*>(aligned + length), start + reserved - (aligned + length));
    }
    auto* bytes = reinterpret_cast<std::uint8_t*>(aligned);
    // Only a hint: a refusal leaves ordinary pages.
    madvise(bytes, length, MADV_HUGEPAGE);
    return fr_bytes(bytes, fr_bytes_free{length});
  }
#endif
  return fr_bytes(new (std::nothrow) std::uint8_t[size](), fr_bytes_free{});
}

}  // namespace

void fr_bytes_free::operator()(std::uint8_t* bytes) const {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (mapped_length != 0) {
    munmap(bytes, mapped_length);
    return;
  }
#endif
  delete[] bytes;
}

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
  // Zeroed: body bytes the walk does not reach are 0.
  fr.bytes = allocate_zeroed(static_cast<std::size_t>(size));
  if (!fr.bytes) {
    report(messages::out_of_memory);
    return -1;
  }
  fr.size = static_cast<std::size_t>(size);
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
