#include "job/convert_entry.h"

#include "bitmap/bitmap_header.h"
#include "bitmap/pixel_rows.h"
#include "common/messages.h"
#include "tiles/fr_file.h"
#include "tiles/tile_encoder.h"

namespace tilecut {
namespace {

entry_result reject(std::string_view message, std::string_view name = {}) {
  report(message, name);
  return entry_result::rejected;
}

tile_region region_of(const job_entry& entry) {
  return {entry.x, entry.y, entry.width, entry.height};
}

colour_indices colours_of(const job_entry& entry) {
  colour_indices colours;
  for (int k = 0; k < 4; ++k) colours.index[k] = entry.colour_index[k];
  return colours;
}

// Every tile of the walk, taken whole, lies inside the rows.
bool walk_inside(const tile_region& region, const pixel_rows& rows) {
  const std::int64_t right = region.x + tiles_across(region) * tile_size;
  const std::int64_t bottom = region.y + tiles_down(region) * tile_size;
  return region.x >= 0 && region.y >= 0 && right <= rows.width && bottom <= rows.rows;
}

bool region_in_bounds(const tile_region& region, const bitmap_header& header,
                      const pixel_rows& rows, bool binary_mode) {
  // A negative width or height would give an FR file shorter than its header.
  if (binary_mode && (region.width < 0 || region.height < 0)) return false;
  if (header.bit_count != 8 || region.width <= 0 || region.height <= 0) return true;
  return walk_inside(region, rows);
}

void fill_shade_bytes(fr_buffer& fr, std::span<const std::uint8_t> file,
                      const bitmap_header& header, const colour_indices& colours) {
  std::uint8_t shades[4] = {0, 0, 0, 0};
  if (header.bit_count == 8) {
    for (int k = 0; k < 4; ++k) {
      std::uint8_t blue = 0;
      // An entry outside the file gives shade 0.
      if (colour_blue(file, header, colours.index[k], blue)) {
        shades[k] = static_cast<std::uint8_t>(255 - blue);
      }
    }
  }
  set_shade_bytes(fr, shades);
}

entry_result write_fr_entry(const bitmap_image& image, const bitmap_header& header,
                            const pixel_rows& rows, const job_entry& entry,
                            entry_outputs& outputs) {
  fr_buffer fr;
  if (setup_fr_buffer(fr, header.bit_count, entry.width, entry.height, outputs.memory_limit) != 0) {
    return entry_result::rejected;
  }
  const colour_indices colours = colours_of(entry);
  fill_shade_bytes(fr, image.view(), header, colours);
  if (header.bit_count == 8) {
    fr_body_sink sink(fr);
    encode_tiles(rows, region_of(entry), colours, sink);
  }
  if (write_fr_file(outputs.fr_file, entry.output_name, fr) != 0) return entry_result::rejected;
  return entry_result::converted;
}

entry_result write_array_entry(const bitmap_header& header, const pixel_rows& rows,
                               const job_entry& entry, entry_outputs& outputs) {
  listing& out = outputs.array_listing;
  write_array_open(out, entry.output_name);
  if (header.bit_count == 8) {
    listing_sink sink(out);
    encode_tiles(rows, region_of(entry), colours_of(entry), sink);
  }
  write_array_close(out);
  return out.failed ? entry_result::rejected : entry_result::converted;
}

}  // namespace

entry_result convert_entry(const bitmap_image& image, const job_entry& entry, bool binary_mode,
                           entry_outputs& outputs) {
  const std::string_view name = entry.bitmap_name;
  bitmap_header header;
  if (read_bitmap_header(image.view(), name, header) != 0) return entry_result::rejected;

  bitmap_pixels pixels;
  if (header.bit_count == 8 &&
      open_pixel_rows(image.view(), header, name, outputs.memory_limit, pixels) != 0) {
    return entry_result::rejected;
  }
  if (binary_mode && entry.height % tile_size != 0) return reject(messages::not_multiple_of_8);
  if (!region_in_bounds(region_of(entry), header, pixels.rows, binary_mode)) {
    return reject(messages::region_outside, name);
  }
  if (binary_mode) return write_fr_entry(image, header, pixels.rows, entry, outputs);
  return write_array_entry(header, pixels.rows, entry, outputs);
}

}  // namespace tilecut
