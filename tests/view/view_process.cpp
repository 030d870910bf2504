#include "view_process.h"

#include <algorithm>
#include <utility>

namespace view_test {

tilecut_test::run_result run_view(const tilecut_test::temp_dir& dir,
                                  const std::vector<std::string>& arguments,
                                  std::uint64_t file_size_limit) {
  std::vector<std::string> words = {TILECUT_VIEW_BINARY};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return tilecut_test::run_program(dir, std::move(words), file_size_limit);
}

tilecut_test::run_result run_job(const tilecut_test::temp_dir& dir, const std::string& job_list) {
  dir.write("format.txt", job_list);
  return tilecut_test::run_tilecut(dir);
}

std::vector<std::string> paths_in(const tilecut_test::temp_dir& dir) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
    paths.push_back(std::filesystem::relative(entry.path(), dir.path()).string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace view_test
