#pragma once
// The family-composition record of Gsn_Cmp_random.txt in its three
// layouts: 2046 bytes, 2090 (a list of eleven 4-byte numbers added, F64)
// and 2120 (two 15-character fields inserted, F17 and F26). The fields are
// known by number only and declared once, in record order, with the
// layouts they belong to; each layout's offsets follow from the widths.
// F05, F33, F64 and F65 are numbers carried as their bytes; the arrays F59
// to F64 run 0 to 10.

#include <array>
#include <cstddef>

#include "platform/record_layout.h"

namespace km {

namespace gsn_cmp_detail {

struct family_field {
  const char* name;
  platform::field_kind kind;
  int width;
  int count;
  bool in_2046;
  bool in_2090;
};

using k = platform::field_kind;
inline constexpr family_field family_fields[] = {
    {"F01", k::text, 30, 1, true, true},   {"F02", k::text, 5, 1, true, true},
    {"F03", k::text, 5, 1, true, true},    {"F04", k::text, 10, 1, true, true},
    {"F05", k::raw, 8, 1, true, true},     {"F06", k::text, 1, 1, true, true},
    {"F07", k::text, 40, 1, true, true},   {"F08", k::text, 40, 1, true, true},
    {"F09", k::text, 40, 1, true, true},   {"F10", k::text, 4, 1, true, true},
    {"F11", k::text, 40, 1, true, true},   {"F12", k::text, 40, 1, true, true},
    {"F13", k::text, 40, 1, true, true},   {"F14", k::text, 4, 1, true, true},
    {"F15", k::text, 15, 1, true, true},   {"F16", k::text, 13, 1, true, true},
    {"F17", k::text, 15, 1, false, false}, {"F18", k::text, 5, 1, true, true},
    {"F19", k::text, 40, 1, true, true},   {"F20", k::text, 40, 1, true, true},
    {"F21", k::text, 40, 1, true, true},   {"F22", k::text, 40, 1, true, true},
    {"F23", k::text, 15, 1, true, true},   {"F24", k::text, 30, 1, true, true},
    {"F25", k::text, 13, 1, true, true},   {"F26", k::text, 15, 1, false, false},
    {"F27", k::text, 5, 1, true, true},    {"F28", k::text, 40, 1, true, true},
    {"F29", k::text, 40, 1, true, true},   {"F30", k::text, 40, 1, true, true},
    {"F31", k::text, 40, 1, true, true},   {"F32", k::text, 15, 1, true, true},
    {"F33", k::raw, 4, 1, true, true},     {"F34", k::text, 5, 1, true, true},
    {"F35", k::text, 5, 1, true, true},    {"F36", k::text, 5, 1, true, true},
    {"F37", k::text, 5, 1, true, true},    {"F38", k::text, 5, 1, true, true},
    {"F39", k::text, 100, 1, true, true},  {"F40", k::text, 12, 1, true, true},
    {"F41", k::text, 12, 1, true, true},   {"F42", k::text, 30, 1, true, true},
    {"F43", k::text, 15, 1, true, true},   {"F44", k::text, 15, 1, true, true},
    {"F45", k::text, 15, 1, true, true},   {"F46", k::text, 30, 1, true, true},
    {"F47", k::int16, 2, 1, true, true},   {"F48", k::text, 60, 1, true, true},
    {"F49", k::text, 50, 1, true, true},   {"F50", k::text, 50, 1, true, true},
    {"F51", k::text, 15, 1, true, true},   {"F52", k::text, 15, 1, true, true},
    {"F53", k::text, 5, 1, true, true},    {"F54", k::text, 2, 1, true, true},
    {"F55", k::text, 5, 1, true, true},    {"F56", k::text, 2, 1, true, true},
    {"F57", k::text, 20, 1, true, true},   {"F58", k::int16, 2, 1, true, true},
    {"F59", k::text, 30, 11, true, true},  {"F60", k::text, 30, 11, true, true},
    {"F61", k::text, 3, 11, true, true},   {"F62", k::text, 3, 11, true, true},
    {"F63", k::date, 8, 11, true, true},   {"F64", k::raw, 4, 11, false, true},
    {"F65", k::raw, 8, 1, true, true},
};

enum class family_layout { bytes_2046, bytes_2090, bytes_2120 };

constexpr bool belongs(const family_field& f, family_layout layout) {
  switch (layout) {
    case family_layout::bytes_2046:
      return f.in_2046;
    case family_layout::bytes_2090:
      return f.in_2090;
    case family_layout::bytes_2120:
      return true;
  }
  return false;
}

constexpr std::size_t field_count(family_layout layout) {
  std::size_t n = 0;
  for (const family_field& f : family_fields) n += belongs(f, layout) ? 1 : 0;
  return n;
}

template <family_layout layout>
constexpr std::array<platform::field_def, field_count(layout)> fields_of() {
  std::array<platform::field_def, field_count(layout)> out{};
  std::size_t i = 0;
  int offset = 0;
  for (const family_field& f : family_fields) {
    if (!belongs(f, layout)) continue;
    out[i++] = platform::field_def{f.name, f.kind, f.width, offset, f.count, 0};
    offset += f.width * f.count;
  }
  return out;
}

inline constexpr auto fields_2046 = fields_of<family_layout::bytes_2046>();
inline constexpr auto fields_2090 = fields_of<family_layout::bytes_2090>();
inline constexpr auto fields_2120 = fields_of<family_layout::bytes_2120>();

}  // namespace gsn_cmp_detail

inline constexpr platform::record_layout gsn_cmp_2046_record{"gsn_cmp_2046_record", 2046,
                                                             gsn_cmp_detail::fields_2046};
inline constexpr platform::record_layout gsn_cmp_2090_record{"gsn_cmp_2090_record", 2090,
                                                             gsn_cmp_detail::fields_2090};
inline constexpr platform::record_layout gsn_cmp_record{"gsn_cmp_record", 2120, gsn_cmp_detail::fields_2120};
static_assert(platform::layout_problem(gsn_cmp_2046_record) == nullptr);
static_assert(platform::layout_problem(gsn_cmp_2090_record) == nullptr);
static_assert(platform::layout_problem(gsn_cmp_record) == nullptr);

// The offsets the older programs wrote, at the fields where the layouts part.
namespace gsn_cmp_detail {
constexpr int offset_of(const platform::record_layout& layout, const char* name) {
  for (const platform::field_def& f : layout.fields)
    if (platform::detail::same_name(f.name, name)) return f.offset;
  return -1;
}
static_assert(offset_of(gsn_cmp_record, "F17") == 335 && offset_of(gsn_cmp_record, "F26") == 573);
static_assert(offset_of(gsn_cmp_record, "F39") == 797 && offset_of(gsn_cmp_2090_record, "F39") == 767);
static_assert(offset_of(gsn_cmp_record, "F58") == 1252 && offset_of(gsn_cmp_2046_record, "F58") == 1222);
static_assert(offset_of(gsn_cmp_record, "F63") == 1980 && offset_of(gsn_cmp_2090_record, "F63") == 1950);
static_assert(offset_of(gsn_cmp_record, "F64") == 2068 && offset_of(gsn_cmp_2090_record, "F64") == 2038);
static_assert(offset_of(gsn_cmp_record, "F65") == 2112 && offset_of(gsn_cmp_2090_record, "F65") == 2082 &&
              offset_of(gsn_cmp_2046_record, "F65") == 2038);
}  // namespace gsn_cmp_detail

}  // namespace km
