#include "view/view_run.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <span>
#include <string_view>
#include <vector>

#include "view/fr_reader.h"
#include "view/listing_reader.h"
#include "view/picture_file.h"
#include "view/view_messages.h"

namespace tilecut {
namespace {

int read_input(const std::string& name, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) {
    report(view_messages::file_missing, name);
    return -1;
  }
  std::uint8_t block[1 << 14];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0 && bytes.size() <= max_input_size) {
    bytes.insert(bytes.end(), block, block + got);
  }
  const bool read_whole = std::ferror(file) == 0;
  std::fclose(file);
  if (!read_whole) {
    report(view_messages::file_missing, name);
    return -1;
  }
  if (bytes.size() > max_input_size) {
    report(view_messages::out_of_memory);
    return -1;
  }
  return 0;
}

int draw_to(const tile_sheet& sheet, std::string_view tiles_name, const draw_options& options,
            const std::string& output) {
  if (sheet.tile_count() == 0 || sheet.columns == 0) {
    report(view_messages::no_tiles, tiles_name);
    return -1;
  }
  picture image;
  if (draw_sheet(sheet, options, image) != 0) return -1;
  return write_picture(image, output);
}

bool valid_output_name(const std::string& output) {
  if (format_of(output) != picture_format::unknown) return true;
  report(view_messages::unsupported_format, output);
  return false;
}

// The picture name of an array: NAME, or NAME.2, NAME.3 ... for a name
// already taken, so that no picture of the run overwrites another.
std::string picture_stem(const std::string& array_name, std::set<std::string>& taken) {
  std::string stem = array_name;
  for (int n = 2; !taken.insert(stem).second; ++n) stem = array_name + "." + std::to_string(n);
  return stem;
}

bool names_a_file(const std::string& array_name) {
  return array_name != "." && array_name != ".." && array_name.find('/') == std::string::npos;
}

int draw_every_array(const std::vector<tile_array>& arrays, const view_options& options) {
  std::error_code error;
  std::filesystem::create_directories(options.output, error);
  if (!std::filesystem::is_directory(options.output, error)) {
    report(view_messages::cannot_write, options.output);
    return view_status_failed;
  }
  int status = view_status_drawn;
  std::set<std::string> taken;
  for (const tile_array& array : arrays) {
    if (!names_a_file(array.name)) {
      report(view_messages::bad_picture_name, array.name);
      status = view_status_failed;
      continue;
    }
    const std::string output =
        (std::filesystem::path(options.output) / (picture_stem(array.name, taken) + ".png"))
            .string();
    if (draw_to(sheet_of_array(array, options.columns), array.name, options.draw, output) != 0) {
      status = view_status_failed;
    }
  }
  return status;
}

int draw_listing(std::string_view text, const view_options& options) {
  std::vector<tile_array> arrays;
  if (read_listing(text, options.input, arrays) != 0) return view_status_failed;
  if (!options.array) return draw_every_array(arrays, options);
  for (const tile_array& array : arrays) {
    if (array.name != *options.array) continue;
    const tile_sheet sheet = sheet_of_array(array, options.columns);
    return draw_to(sheet, array.name, options.draw, options.output) == 0 ? view_status_drawn
                                                                         : view_status_failed;
  }
  report(view_messages::no_array, *options.array);
  return view_status_failed;
}

}  // namespace

int run_view(const view_options& options) {
  std::vector<std::uint8_t> bytes;
  if (read_input(options.input, bytes) != 0) return view_status_failed;
  const std::span<const std::uint8_t> file(bytes);
  if (is_fr_file(file)) {
    if (!valid_output_name(options.output)) return view_status_failed;
    tile_sheet sheet;
    if (read_fr_sheet(file, options.input, sheet) != 0 ||
        draw_to(sheet, options.input, options.draw, options.output) != 0) {
      return view_status_failed;
    }
    return view_status_drawn;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (is_listing(text)) {
    if (options.array && !valid_output_name(options.output)) return view_status_failed;
    return draw_listing(text, options);
  }
  report(view_messages::not_tiles, options.input);
  return view_status_failed;
}

}  // namespace tilecut
