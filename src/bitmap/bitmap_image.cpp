#include "bitmap/bitmap_image.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

#include "common/messages.h"

namespace tilecut {
namespace {

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// A name holding a NUL byte cannot name a file; opening it would open the
// shorter name before the NUL instead. A directory opens, but is no file to
// load (and some file systems report a size of 2^63 - 1 for it).
std::FILE* open_for_reading(const std::string& name) {
  if (name.find('\0') != std::string::npos) return nullptr;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  struct stat status {};
  if (file && (fstat(fileno(file), &status) != 0 || S_ISDIR(status.st_mode))) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

}  // namespace

load_status load_bitmap(const std::string& name, std::size_t memory_limit, bitmap_image& image) {
  release_bitmap(image);
  std::unique_ptr<std::FILE, file_closer> file(open_for_reading(name));
  long length = -1;
  if (file && std::fseek(file.get(), 0, SEEK_END) == 0) length = std::ftell(file.get());
  if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    report(messages::bitmap_missing, name);
    return load_status::missing;
  }
  const auto size = static_cast<std::size_t>(length);
  if (size > memory_limit) {
    report(messages::out_of_memory);
    return load_status::no_memory;
  }
  std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]);
  if (!bytes) {
    report(messages::out_of_memory);
    return load_status::no_memory;
  }
  if (size > 0 && std::fread(bytes.get(), 1, size, file.get()) != size) {
    report(messages::bitmap_missing, name);
    return load_status::missing;
  }
  image.bytes = std::move(bytes);
  image.size = size;
  return load_status::loaded;
}

void release_bitmap(bitmap_image& image) {
  image.bytes.reset();
  image.size = 0;
}

}  // namespace tilecut
