#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian field access. Readers check that the whole field lies inside
// the bytes and report false, leaving the value alone, when it does not.
namespace tilecut {

inline bool read_u16le(std::span<const std::uint8_t> bytes, std::size_t offset,
                       std::uint16_t& value) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return false;
  value = static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
  return true;
}

inline bool read_u32le(std::span<const std::uint8_t> bytes, std::size_t offset,
                       std::uint32_t& value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return false;
  value = static_cast<std::uint32_t>(bytes[offset]) |
          static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
          static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
          static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
  return true;
}

inline bool read_s32le(std::span<const std::uint8_t> bytes, std::size_t offset,
                       std::int32_t& value) {
  std::uint32_t raw = 0;
  if (!read_u32le(bytes, offset, raw)) return false;
  value = static_cast<std::int32_t>(raw);
  return true;
}

inline void store_u16le(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace tilecut
