#pragma once

#include <filesystem>
#include <optional>
#include <string>

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

// Runs the built tilecut binary (or another program) in the directory.
run_result run_tilecut(const temp_dir& dir, const std::string& program = TILECUT_BINARY);

}  // namespace tilecut_test
