#pragma once
// Little-endian numbers read out of a byte buffer with the bounds checked:
// a read that would pass the end gives nullopt, never a byte beyond it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace km::platform::xls {

using bytes = std::span<const std::uint8_t>;

inline std::optional<std::uint64_t> read_le(bytes data, std::size_t offset, std::size_t size) {
  if (offset > data.size() || size > data.size() - offset) return std::nullopt;
  std::uint64_t v = 0;
  for (std::size_t i = size; i-- > 0;) v = (v << 8) | data[offset + i];
  return v;
}
inline std::optional<std::uint16_t> le16(bytes data, std::size_t offset) {
  const auto v = read_le(data, offset, 2);
  return v ? std::optional<std::uint16_t>(std::uint16_t(*v)) : std::nullopt;
}
inline std::optional<std::uint32_t> le32(bytes data, std::size_t offset) {
  const auto v = read_le(data, offset, 4);
  return v ? std::optional<std::uint32_t>(std::uint32_t(*v)) : std::nullopt;
}
inline std::optional<std::uint64_t> le64(bytes data, std::size_t offset) { return read_le(data, offset, 8); }

}  // namespace km::platform::xls
