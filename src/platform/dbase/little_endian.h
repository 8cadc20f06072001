#pragma once
// The byte forms shared by a table's and a memo file's headers: numbers are
// stored little-endian, and the byte 0x1A ends a table's records.

#include <cstdint>

namespace km::platform {

inline unsigned le_u8(const char* p) { return static_cast<unsigned char>(*p); }
inline unsigned le_u16(const char* p) { return le_u8(p) | (le_u8(p + 1) << 8); }
inline std::uint32_t le_u32(const char* p) { return le_u16(p) | (std::uint32_t(le_u16(p + 2)) << 16); }

inline constexpr char k_end_marker = 0x1A;

}  // namespace km::platform
