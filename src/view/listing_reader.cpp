#include "view/listing_reader.h"

#include <optional>

#include "view/tile_sheet.h"
#include "view/view_messages.h"

namespace tilecut {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view line) {
  while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && (is_blank(line.back()) || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// The next line of the text, without its line end; false at the end.
bool next_line(std::string_view text, std::size_t& at, std::string_view& line) {
  if (at >= text.size()) return false;
  const std::size_t end = text.find('\n', at);
  const std::size_t stop = end == std::string_view::npos ? text.size() : end;
  line = text.substr(at, stop - at);
  at = stop + 1;
  return true;
}

// The array name of an opening line "short NAME[]={", or nothing.
std::optional<std::string_view> array_opening(std::string_view line) {
  constexpr std::string_view prefix = "short ";
  constexpr std::string_view suffix = "[]={";
  if (line.size() <= prefix.size() + suffix.size() || !line.starts_with(prefix) ||
      !line.ends_with(suffix)) {
    return std::nullopt;
  }
  const std::string_view array_name =
      line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
  for (char c : array_name) {
    if (is_blank(c)) return std::nullopt;
  }
  return array_name;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// One word "0xHHHH," and the blanks after it.
bool scan_word(std::string_view& rest, std::uint16_t& word) {
  if (rest.size() < 3 || rest[0] != '0' || (rest[1] != 'x' && rest[1] != 'X')) return false;
  rest.remove_prefix(2);
  unsigned value = 0;
  int digits = 0;
  while (!rest.empty() && hex_value(rest.front()) >= 0) {
    if (++digits > 4) return false;
    value = value << 4 | static_cast<unsigned>(hex_value(rest.front()));
    rest.remove_prefix(1);
  }
  if (digits == 0 || rest.empty() || rest.front() != ',') return false;
  rest.remove_prefix(1);
  while (!rest.empty() && is_blank(rest.front())) rest.remove_prefix(1);
  word = static_cast<std::uint16_t>(value);
  return true;
}

// A tile line: exactly eight words.
bool scan_tile_line(std::string_view line, std::vector<std::uint16_t>& words) {
  std::uint16_t tile[tile_side];
  for (std::uint16_t& word : tile) {
    if (!scan_word(line, word)) return false;
  }
  if (!line.empty()) return false;
  words.insert(words.end(), std::begin(tile), std::end(tile));
  return true;
}

int misplaced_line(std::string_view name, std::int64_t number) {
  report_line(view_messages::bad_line, name, number);
  return -1;
}

}  // namespace

bool is_listing(std::string_view text) {
  std::size_t at = 0;
  std::string_view line;
  while (next_line(text, at, line)) {
    line = trim(line);
    if (!line.empty()) return array_opening(line).has_value();
  }
  return false;
}

int read_listing(std::string_view text, std::string_view name, std::vector<tile_array>& arrays) {
  arrays.clear();
  bool inside = false;
  std::size_t at = 0;
  std::int64_t number = 0;
  std::string_view line;
  while (next_line(text, at, line)) {
    ++number;
    line = trim(line);
    if (line.empty()) continue;
    if (!inside) {
      const std::optional<std::string_view> opened = array_opening(line);
      if (!opened) return misplaced_line(name, number);
      arrays.push_back(tile_array{std::string(*opened), {}});
      inside = true;
    } else if (line == "};") {
      inside = false;
    } else if (!scan_tile_line(line, arrays.back().words)) {
      return misplaced_line(name, number);
    }
  }
  if (inside) {
    report(view_messages::corrupt_data, name);
    return -1;
  }
  return 0;
}

}  // namespace tilecut
