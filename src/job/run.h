#pragma once

namespace tilecut {

// Exit statuses of a run.
inline constexpr int status_converted = 0;         // every entry converted
inline constexpr int status_failed = 1;            // an entry was rejected or an output failed
inline constexpr int status_bitmap_missing = 255;  // stopped at a bitmap that cannot be opened

// Runs the job list "format.txt" of the current directory, writing the
// listing "output.txt" and the FR tile files it names. Returns the exit status.
int run();

}  // namespace tilecut
