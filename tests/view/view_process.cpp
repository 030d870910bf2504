#include "view_process.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace view_test {

tilecut_test::run_result run_view(const tilecut_test::temp_dir& dir,
                                  const std::vector<std::string>& arguments,
                                  std::uint64_t file_size_limit) {
  std::vector<std::string> words = {TILECUT_VIEW_BINARY};
  words.insert(words.end(), arguments.begin(), arguments.end());
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
  tilecut_test::run_result result;
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
