#include "job/run.h"

#include <cstdio>
#include <string>

#include "bitmap/bitmap_image.h"
#include "common/messages.h"
#include "job/convert_entry.h"
#include "job/job_scanner.h"
#include "tiles/listing.h"

namespace tilecut {
namespace {

constexpr const char* job_list_name = "format.txt";
constexpr const char* listing_name = "output.txt";

// Reads the whole job list up front, so that nothing the run writes can
// change the entries still to come.
bool read_job_list(std::string& contents) {
  std::FILE* file = std::fopen(job_list_name, "rb");
  if (!file) return false;
  char block[1 << 14];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) contents.append(block, got);
  const bool read_whole = std::ferror(file) == 0;
  std::fclose(file);
  return read_whole;
}

std::FILE* create_fr_file(const std::string& name) {
  if (name.find('\0') != std::string::npos) return nullptr;
  return std::fopen(name.c_str(), "wb");
}

// The FR file of one entry, closed when the entry ends. A failed close loses
// the file's data, so it is reported unless the entry already failed.
struct fr_file_scope {
  std::FILE* file = nullptr;
  const std::string& name;
  bool failure_reported = false;  // the entry already printed why it failed

  int close() {
    if (!file) return 0;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (closed || failure_reported) return 0;
    report(messages::cannot_write, name);
    return -1;
  }
};

}  // namespace

int run() {
  std::string contents;
  if (!read_job_list(contents)) {
    report(messages::job_list_missing);
    return status_failed;
  }
  listing array_listing;
  if (create_listing(array_listing, listing_name) != 0) {
    report(messages::listing_cannot_create);
    return status_failed;
  }

  int status = status_converted;
  job_scanner scanner = make_job_scanner(contents);
  job_entry entry;
  bitmap_image image;
  while (scan_entry(scanner, entry) >= 0) {
    const bool binary_mode = is_binary_mode(entry.output_name);
    fr_file_scope fr{nullptr, entry.output_name};
    if (binary_mode) {
      fr.file = create_fr_file(entry.output_name);
      if (!fr.file) {
        report(messages::cannot_create, entry.output_name);
        status = status_failed;
        continue;
      }
    }
    const load_status loaded = load_bitmap(entry.bitmap_name, default_memory_limit, image);
    if (loaded == load_status::missing) {
      fr.close();
      close_listing(array_listing);
      return status_bitmap_missing;
    }
    entry_outputs outputs{array_listing, fr.file};
    if (loaded == load_status::no_memory ||
        convert_entry(image, entry, binary_mode, outputs) != entry_result::converted) {
      status = status_failed;
      fr.failure_reported = true;
    }
    release_bitmap(image);
    if (fr.close() != 0) status = status_failed;
  }
  if (close_listing(array_listing) != 0) status = status_failed;
  return status;
}

}  // namespace tilecut
