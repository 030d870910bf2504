#include "job/job_scanner.h"

namespace tilecut {
namespace {

constexpr char end_of_file_mark = '\x1a';

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void skip_space(job_scanner& s) {
  while (s.at < s.text.size() && is_space(s.text[s.at])) ++s.at;
}

bool scan_name(job_scanner& s, std::string& name) {
  skip_space(s);
  const std::size_t start = s.at;
  while (s.at < s.text.size() && !is_space(s.text[s.at])) ++s.at;
  if (s.at == start) return false;
  name.assign(s.text.substr(start, s.at - start));
  return true;
}

// An optional sign and decimal digits; the value wraps modulo 2^32. A sign
// with no digit after it is consumed and does not match.
bool scan_number(job_scanner& s, std::int32_t& number) {
  skip_space(s);
  bool negative = false;
  if (s.at < s.text.size() && (s.text[s.at] == '+' || s.text[s.at] == '-')) {
    negative = s.text[s.at] == '-';
    ++s.at;
  }
  if (s.at >= s.text.size() || !is_digit(s.text[s.at])) return false;
  std::uint32_t value = 0;
  while (s.at < s.text.size() && is_digit(s.text[s.at])) {
    value = value * 10u + static_cast<std::uint32_t>(s.text[s.at] - '0');
    ++s.at;
  }
  if (negative) value = 0u - value;
  number = static_cast<std::int32_t>(value);
  return true;
}

}  // namespace

job_scanner make_job_scanner(std::string_view contents) {
  return job_scanner{contents.substr(0, contents.find(end_of_file_mark)), 0};
}

int scan_entry(job_scanner& s, job_entry& entry) {
  if (!scan_name(s, entry.bitmap_name)) return -1;
  std::int32_t* const numbers_before[] = {&entry.x, &entry.y, &entry.width, &entry.height};
  int filled = 1;
  for (std::int32_t* field : numbers_before) {
    if (!scan_number(s, *field)) return filled;
    ++filled;
  }
  if (!scan_name(s, entry.output_name)) return filled;
  ++filled;
  for (std::int32_t& field : entry.colour_index) {
    if (!scan_number(s, field)) return filled;
    ++filled;
  }
  return filled;
}

bool is_binary_mode(std::string_view output_name) {
  return output_name.find(".fr") != std::string_view::npos;
}

}  // namespace tilecut
