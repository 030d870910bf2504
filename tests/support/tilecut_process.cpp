#include "support/tilecut_process.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tilecut_test {

temp_dir::temp_dir() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("tilecut-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot make a temporary directory");
}

temp_dir::~temp_dir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void temp_dir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + name);
}

std::optional<std::string> temp_dir::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

run_result run_program(const temp_dir& dir, std::vector<std::string> words,
                       std::uint64_t file_size_limit) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    if (chdir(dir.path().c_str()) != 0) _exit(126);
    if (file_size_limit > 0) {
      std::signal(SIGXFSZ, SIG_IGN);  // a failing write returns EFBIG instead
      const rlimit limit{file_size_limit, file_size_limit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_ends[1]);
  run_result result;
  char block[4096];
  ssize_t got = 0;
  while ((got = read(pipe_ends[0], block, sizeof block)) > 0) {
    result.output.append(block, static_cast<std::size_t>(got));
  }
  close(pipe_ends[0]);
  int wait_status = 0;
  waitpid(child, &wait_status, 0);
  if (WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
  return result;
}

run_result run_tilecut(const temp_dir& dir) { return run_program(dir, {TILECUT_BINARY}); }

}  // namespace tilecut_test
