// Replays fuzzer inputs without libFuzzer: each argument is a file or a
// directory of files, passed one by one to LLVMFuzzerTestOneInput. A crash or
// sanitizer report fails the run; so does finding no input at all, so that a
// wrong path cannot pass unnoticed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  // The target gets a buffer of exactly the input's size, as under libFuzzer.
  std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(input.data(), input.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    std::error_code error;
    if (std::filesystem::is_directory(arg, error)) {
      for (const auto& item : std::filesystem::directory_iterator(arg)) {
        if (item.is_regular_file()) files.push_back(item.path());
      }
    } else if (std::filesystem::is_regular_file(arg, error)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 1;
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s FILE_OR_DIRECTORY... (no input found)\n", argv[0]);
    return 1;
  }
  std::sort(files.begin(), files.end());
  std::size_t replayed = 0;
  for (const auto& path : files) {
    // stderr: the target sends standard output to /dev/null.
    std::fprintf(stderr, "replaying %s\n", path.string().c_str());
    if (!replay_file(path)) return 1;
    ++replayed;
  }
  std::fprintf(stderr, "replayed %zu inputs\n", replayed);
  return 0;
}
