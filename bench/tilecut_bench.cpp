// Throughput of the tile encoder and the listing writer on a 4096 x 4096
// image, each beside a memcpy of the same number of bytes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tiles/fr_file.h"
#include "tiles/listing.h"
#include "tiles/tile_encoder.h"

namespace tilecut {
namespace {

constexpr std::int32_t side = 4096;
constexpr std::size_t pixel_count = std::size_t{side} * side;
constexpr std::size_t tile_count = pixel_count / 64;
// "\t" + eight "0xHHHH, " + "\r\n"
constexpr std::size_t listing_line = 1 + 8 * 8 + 2;

const std::vector<std::uint8_t>& random_pixels() {
  static const std::vector<std::uint8_t> pixels = [] {
    std::vector<std::uint8_t> p(pixel_count);
    std::uint64_t state = 12345;
    for (std::uint8_t& v : p) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      v = static_cast<std::uint8_t>((state >> 59) & 7u);
    }
    return p;
  }();
  return pixels;
}

pixel_rows image_rows() {
  pixel_rows rows;
  rows.top_row = random_pixels().data();
  rows.step = side;
  rows.width = side;
  rows.rows = side;
  return rows;
}

const tile_region whole{0, 0, side, side};

void set_bytes(benchmark::State& state, std::size_t bytes_per_iteration) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes_per_iteration));
}
const colour_indices colours{{0, 1, 2, 3}};

// range(0): the side of the square region, from the image's top left; 512
// fits the caches and shows the encoder's own speed.
void encode_to_fr(benchmark::State& state) {
  const pixel_rows rows = image_rows();
  const auto region_side = static_cast<std::int32_t>(state.range(0));
  const tile_region region{0, 0, region_side, region_side};
  fr_buffer fr;
  setup_fr_buffer(fr, 8, region_side, region_side, std::size_t{1} << 30);
  for (auto _ : state) {
    fr_body_sink sink(fr);
    encode_tiles(rows, region, colours, sink);
    benchmark::DoNotOptimize(fr.bytes.get());
    benchmark::ClobberMemory();
  }
  set_bytes(state, static_cast<std::size_t>(region_side) * static_cast<std::size_t>(region_side));
}
BENCHMARK(encode_to_fr)->Arg(side)->Arg(512)->Unit(benchmark::kMillisecond);

void encode_to_listing(benchmark::State& state) {
  const pixel_rows rows = image_rows();
  listing out;
  create_listing(out, "/dev/null");
  for (auto _ : state) {
    listing_sink sink(out);
    encode_tiles(rows, whole, colours, sink);
    flush_listing(out);
  }
  close_listing(out);
  set_bytes(state, pixel_count);
}
BENCHMARK(encode_to_listing)->Unit(benchmark::kMillisecond);

// The listing alone: the words of the whole image formatted and written.
void listing_format(benchmark::State& state) {
  std::vector<std::uint16_t> words(tile_count * tile_size);
  std::uint64_t seed = 99;
  for (std::uint16_t& w : words) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    w = static_cast<std::uint16_t>(seed >> 48);
  }
  listing out;
  create_listing(out, "/dev/null");
  constexpr std::size_t tiles_per_call = side / tile_size;
  for (auto _ : state) {
    listing_sink sink(out);
    for (std::size_t t = 0; t < tile_count; t += tiles_per_call) {
      sink.put_tiles(words.data() + t * tile_size, tiles_per_call);
    }
    flush_listing(out);
  }
  close_listing(out);
  set_bytes(state, tile_count * listing_line);
}
BENCHMARK(listing_format)->Unit(benchmark::kMillisecond);

// Floors: copying the bytes each case reads (pixels) or writes (listing text).
void memcpy_bytes(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  std::vector<char> from(bytes, 'x');
  std::vector<char> to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  set_bytes(state, bytes);
}
BENCHMARK(memcpy_bytes)
    ->Arg(static_cast<std::int64_t>(pixel_count))
    ->Arg(static_cast<std::int64_t>(tile_count* listing_line))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tilecut

BENCHMARK_MAIN();
