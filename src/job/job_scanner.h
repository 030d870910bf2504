#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tilecut {

// One entry of the job list, in the order the list holds its fields.
struct job_entry {
  std::string bitmap_name;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string output_name;
  std::int32_t colour_index[4] = {0, 0, 0, 0};
};

inline constexpr int job_entry_fields = 10;

// Reads the job list's text as a stream of fields: whitespace-separated
// names and signed decimal numbers.
struct job_scanner {
  std::string_view text;
  std::size_t at = 0;
};

// Starts a scan of the job list's contents, which end at a byte 0x1A.
job_scanner make_job_scanner(std::string_view contents);

// Scans the next entry into `entry`, field by field; a field the scan does not
// reach keeps its previous value. Returns the number of fields filled, or -1
// when the text ends before the first field. The scan stops at the first field
// that does not match, leaving the byte that stopped it for the next scan.
int scan_entry(job_scanner& scanner, job_entry& entry);

// An output name holding ".fr" (case sensitive) names an FR tile file.
bool is_binary_mode(std::string_view output_name);

}  // namespace tilecut
