#include "view/picture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "view/view_messages.h"

namespace tilecut {
namespace {

bool ends_with_ignoring_case(const std::string& name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  for (std::size_t i = 0; i < ending.size(); ++i) {
    const char c = name[name.size() - ending.size() + i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != ending[i]) return false;
  }
  return true;
}

// Creates a new file, hidden, in the directory of `name`; -1 when none can be.
int create_temporary(const std::string& name, std::string& temporary) {
  const std::filesystem::path target(name);
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on "." + string.
  std::string base = ".";
  base += target.filename().string();
  base += ".tmp-";
  base += std::to_string(getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = (target.parent_path() / (base + "-" + std::to_string(attempt))).string();
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(done));
  }
  return true;
}

int cannot_write(const std::string& name) {
  report(view_messages::cannot_write, name);
  return -1;
}

}  // namespace

picture_format format_of(const std::string& name) {
  if (ends_with_ignoring_case(name, ".png")) return picture_format::png;
  if (ends_with_ignoring_case(name, ".bmp")) return picture_format::bmp;
  return picture_format::unknown;
}

int write_whole_file(const std::string& name, std::span<const std::uint8_t> bytes) {
  std::string temporary;
  const int fd = create_temporary(name, temporary);
  if (fd < 0) return cannot_write(name);
  const bool written = write_all(fd, bytes);
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), name.c_str()) != 0) {
    std::remove(temporary.c_str());
    return cannot_write(name);
  }
  return 0;
}

int write_picture(const picture& image, const std::string& name) {
  std::vector<std::uint8_t> bytes;
  switch (format_of(name)) {
    case picture_format::png:
      if (!encode_png(image, bytes)) return cannot_write(name);
      break;
    case picture_format::bmp:
      bytes = encode_bmp(image);
      break;
    case picture_format::unknown:
      report(view_messages::unsupported_format, name);
      return -1;
  }
  return write_whole_file(name, bytes);
}

}  // namespace tilecut
