#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "support/tilecut_process.h"

namespace view_test {

// Runs the built tilecut-view with the arguments in the directory; see
// tilecut_test::run_program for file_size_limit.
tilecut_test::run_result run_view(const tilecut_test::temp_dir& dir,
                                  const std::vector<std::string>& arguments,
                                  std::uint64_t file_size_limit = 0);

// Writes the job list and runs tilecut in the directory.
tilecut_test::run_result run_job(const tilecut_test::temp_dir& dir, const std::string& job_list);

// Every path under the directory, relative to it, sorted: directories too, so
// that a file left inside one shows.
std::vector<std::string> paths_in(const tilecut_test::temp_dir& dir);

}  // namespace view_test
