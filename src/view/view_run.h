#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "view/picture.h"

namespace tilecut {

// Exit statuses of tilecut-view.
inline constexpr int view_status_drawn = 0;   // every picture was written
inline constexpr int view_status_failed = 1;  // bad input, or a picture not written
inline constexpr int view_status_usage = 2;   // the command line was not understood

struct view_options {
  std::string input;                 // an FR tile file or a listing
  std::string output;                // the picture, or the directory for a listing's pictures
  std::optional<std::string> array;  // draw only this array of a listing, to `output`
  std::int64_t columns = 16;         // tiles across for an array
  draw_options draw;
};

// No input file larger than this is read.
inline constexpr std::size_t max_input_size = std::size_t{1} << 30;

// Draws the input as the options say. Returns the exit status.
int run_view(const view_options& options);

}  // namespace tilecut
