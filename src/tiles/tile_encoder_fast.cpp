#include <bit>
#include <cstring>

#include "tiles/tile_encoder.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tilecut {
namespace {

#if defined(__SSE2__)

// The four colour indices as bytes to compare sixteen pixels with at once.
struct colour_vectors {
  __m128i value[4];
};

bool in_byte_range(std::int32_t index) { return index >= 0 && index <= 255; }

// An index outside 0 to 255 matches nothing; a byte stands in for it that
// gives the same first matches. Slot 0's stand-in is a value that no other
// index names: its pixels match no index and take slot 0 either way. A later
// slot's stand-in is slot 0's value, whose pixels slot 0 takes first.
colour_vectors vectors_of(const colour_indices& colours) {
  std::int32_t first = colours.index[0];
  if (!in_byte_range(first)) {
    first = 0;
    while (first == colours.index[1] || first == colours.index[2] || first == colours.index[3]) {
      ++first;
    }
  }
  colour_vectors v;
  for (int k = 0; k < 4; ++k) {
    const std::int32_t index = in_byte_range(colours.index[k]) ? colours.index[k] : first;
    v.value[k] = _mm_set1_epi8(static_cast<char>(index));
  }
  return v;
}

// The words of one pixel row of two tiles side by side: the first tile's in
// 16-bit lane 0, the second's in lane 4, the other lanes 0.
__m128i row_words(__m128i pixels, const colour_vectors& c) {
  __m128i match[4];
  for (int k = 0; k < 4; ++k) match[k] = _mm_cmpeq_epi8(pixels, c.value[k]);
  // First match wins. Slot 1 or 3 (bit 0): no match with 0, and a match with
  // 1, or with 3 but not 2. Slot 2 or 3 (bit 1): no match with 0 or 1, and a
  // match with 2 or 3.
  const __m128i bit0 =
      _mm_andnot_si128(match[0], _mm_or_si128(match[1], _mm_andnot_si128(match[2], match[3])));
  const __m128i bit1 =
      _mm_andnot_si128(_mm_or_si128(match[0], match[1]), _mm_or_si128(match[2], match[3]));
  // Pixel j of a tile weighs 1 << (7 - j); the sum over each 8 bytes of the
  // weights its mask keeps is that tile's plane byte.
  const __m128i weight = _mm_set1_epi64x(0x0102040810204080);
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_sad_epu8(_mm_and_si128(bit0, weight), zero);
  const __m128i high = _mm_sad_epu8(_mm_and_si128(bit1, weight), zero);
  return _mm_or_si128(low, _mm_slli_epi64(high, 8));
}

// Loads the 16 pixels of two tiles, or the 8 of one (the rest 0) where the
// pixel row may end with that tile.
template <bool pair>
__m128i load_pixels(const std::uint8_t* at) {
  if constexpr (pair) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  } else {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
  }
}

// Rows 0 to 3 of two tiles from `at`: the first tile's four words in the low
// 64 bits, the second's in the high 64.
template <bool pair>
__m128i four_rows(const std::uint8_t* at, std::ptrdiff_t step, const colour_vectors& c) {
  const __m128i r0 = row_words(load_pixels<pair>(at), c);
  const __m128i r1 = row_words(load_pixels<pair>(at + step), c);
  const __m128i r2 = row_words(load_pixels<pair>(at + 2 * step), c);
  const __m128i r3 = row_words(load_pixels<pair>(at + 3 * step), c);
  return _mm_or_si128(_mm_or_si128(r0, _mm_slli_epi64(r1, 16)),
                      _mm_or_si128(_mm_slli_epi64(r2, 32), _mm_slli_epi64(r3, 48)));
}

#endif

}  // namespace

void encode_tile_strip_fast(const std::uint8_t* top_left, std::ptrdiff_t step,
                            std::size_t tile_count, const colour_indices& colours,
                            std::uint8_t* out) {
  constexpr std::size_t tile_bytes = tile_size * 2;
  std::size_t t = 0;
#if defined(__SSE2__)
  if constexpr (std::endian::native == std::endian::little) {
    const colour_vectors c = vectors_of(colours);
    for (; t + 2 <= tile_count; t += 2) {
      const std::uint8_t* at = top_left + t * tile_size;
      const __m128i upper = four_rows<true>(at, step, c);
      const __m128i lower = four_rows<true>(at + 4 * step, step, c);
      // Each tile's words in order, low byte first as the lanes are stored.
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + t * tile_bytes),
                       _mm_unpacklo_epi64(upper, lower));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (t + 1) * tile_bytes),
                       _mm_unpackhi_epi64(upper, lower));
    }
    if (t < tile_count) {
      const std::uint8_t* at = top_left + t * tile_size;
      const __m128i upper = four_rows<false>(at, step, c);
      const __m128i lower = four_rows<false>(at + 4 * step, step, c);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + t * tile_bytes),
                       _mm_unpacklo_epi64(upper, lower));
      ++t;
    }
  }
#endif
  for (; t < tile_count; ++t) {
    for (int r = 0; r < tile_size; ++r) {
      const std::uint16_t word =
          encode_tile_row_scalar(top_left + r * step + t * tile_size, colours);
      std::uint8_t* at = out + t * tile_bytes + 2 * static_cast<std::size_t>(r);
      at[0] = static_cast<std::uint8_t>(word);
      at[1] = static_cast<std::uint8_t>(word >> 8);
    }
  }
}

}  // namespace tilecut
