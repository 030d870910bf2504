#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tilecut_test {

// A fresh directory under the system's temporary directory, removed at the end.
class temp_dir {
 public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void write(const std::string& name, const std::string& bytes) const;
  // The file's bytes, or nothing when it does not exist.
  std::optional<std::string> read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

struct run_result {
  int status = -1;     // exit status, or -1 when the process did not exit normally
  std::string output;  // everything written to standard output
};

// Runs a program (its path first, then its arguments) in the directory. A
// file_size_limit above 0 caps the size of any file it writes (RLIMIT_FSIZE,
// SIGXFSZ ignored), so that a write fails part way.
run_result run_program(const temp_dir& dir, std::vector<std::string> words,
                       std::uint64_t file_size_limit = 0);

// Runs the built tilecut binary in the directory.
run_result run_tilecut(const temp_dir& dir);

}  // namespace tilecut_test
