#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tilecut {

// The bytes of one bitmap file, exactly as stored, in one allocation.
struct bitmap_image {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t size = 0;

  std::span<const std::uint8_t> view() const { return {bytes.get(), size}; }
};

enum class load_status { loaded, missing, no_memory };

// Reads the whole named file. Prints the message for a file that cannot be
// opened or read (missing) or one larger than memory_limit (no_memory).
load_status load_bitmap(const std::string& name, std::size_t memory_limit, bitmap_image& image);

void release_bitmap(bitmap_image& image);

}  // namespace tilecut
