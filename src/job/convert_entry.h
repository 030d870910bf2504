#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "bitmap/bitmap_image.h"
#include "job/job_scanner.h"
#include "tiles/listing.h"

namespace tilecut {

// No image, decoded rows or FR file larger than this is allocated: a hostile
// header must not make the run ask for terabytes.
inline constexpr std::size_t default_memory_limit = std::size_t{1} << 30;

// Where an entry's output goes: the run's listing and, in binary mode, the
// entry's FR tile file, created empty before the bitmap was read.
struct entry_outputs {
  listing& array_listing;
  std::FILE* fr_file = nullptr;
  std::size_t memory_limit = default_memory_limit;
};

enum class entry_result { converted, rejected };

// Checks the loaded bitmap and the entry's region, in a fixed order, and
// either writes the entry's tiles or prints why not and writes nothing.
entry_result convert_entry(const bitmap_image& image, const job_entry& entry, bool binary_mode,
                           entry_outputs& outputs);

}  // namespace tilecut
