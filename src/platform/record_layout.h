#pragma once
// Fixed-length records, each declared once as data: its fields with kind,
// width, offset and array bounds. Records are packed little-endian with no
// padding; a text field is cp1252, blank-padded on the right; a place that
// was never written holds zero bytes.
//
//   inline constexpr field_def my_fields[] = {
//       field::text("name", 20, 0), field::int16("count", 20), field::date("when", 22)};
//   inline constexpr record_layout my_record{"my_record", 30, my_fields};
//   static_assert(layout_problem(my_record) == nullptr);

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "platform/value.h"

namespace km::platform {

enum class field_kind {
  text,    // n bytes of cp1252, blank-padded
  int16,   // 2 bytes
  int32,   // 4 bytes
  bool16,  // 2 bytes: -1 true, 0 false
  single,  // 4-byte IEEE float
  dbl,     // 8-byte IEEE double
  date,    // 8-byte double: days since 1899-12-30
  raw      // n bytes kept as they are
};

// One field, or one array of fields of the same kind.
struct field_def {
  const char* name;
  field_kind kind;
  int width;            // bytes of one element
  int offset;           // of the first element
  int count = 1;        // elements in the array
  int first_index = 0;  // lower bound of the array index
};

// Width of the fixed-size kinds; 0 for text and raw.
constexpr int fixed_width(field_kind k) {
  switch (k) {
    case field_kind::int16:
    case field_kind::bool16:
      return 2;
    case field_kind::int32:
    case field_kind::single:
      return 4;
    case field_kind::dbl:
    case field_kind::date:
      return 8;
    default:
      return 0;
  }
}

namespace field {
constexpr field_def text(const char* name, int width, int offset, int count = 1, int first = 0) {
  return {name, field_kind::text, width, offset, count, first};
}
constexpr field_def raw(const char* name, int width, int offset, int count = 1, int first = 0) {
  return {name, field_kind::raw, width, offset, count, first};
}
constexpr field_def int16(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::int16, 2, offset, count, first};
}
constexpr field_def int32(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::int32, 4, offset, count, first};
}
constexpr field_def bool16(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::bool16, 2, offset, count, first};
}
constexpr field_def single(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::single, 4, offset, count, first};
}
constexpr field_def dbl(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::dbl, 8, offset, count, first};
}
constexpr field_def date(const char* name, int offset, int count = 1, int first = 0) {
  return {name, field_kind::date, 8, offset, count, first};
}
}  // namespace field

struct record_layout {
  const char* name;
  int length;
  std::span<const field_def> fields;
};

namespace detail {
constexpr bool same_name(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
    char y = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
    if (x != y) return false;
  }
  return *a == *b;
}
}  // namespace detail

// nullptr when the layout adds up: every field has a name unique without
// regard to case, a positive width that suits its kind and a positive
// count; each field starts where the one before it ends, the first at 0;
// and the last ends at the record length. Otherwise what is wrong.
constexpr const char* layout_problem(const record_layout& layout) {
  if (layout.length <= 0) return "record length is not positive";
  int next = 0;
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    const field_def& f = layout.fields[i];
    if (f.name == nullptr || *f.name == '\0') return "a field has no name";
    for (std::size_t j = 0; j < i; ++j)
      if (detail::same_name(layout.fields[j].name, f.name)) return "a field name is used twice";
    if (f.width <= 0) return "a field width is not positive";
    if (fixed_width(f.kind) != 0 && fixed_width(f.kind) != f.width)
      return "a field width does not suit its kind";
    if (f.count <= 0) return "a field count is not positive";
    if (f.offset != next) return "a field offset does not follow the field before it";
    next += f.width * f.count;
  }
  if (next != layout.length) return "the fields do not add up to the record length";
  return nullptr;
}

// The field of that name (case-insensitive); nullptr when there is none.
const field_def* find_field(const record_layout& layout, std::string_view name);

// The index that names the first element of a field, whatever its bounds;
// the default for plain fields.
inline constexpr int first_element = std::numeric_limits<int>::min();

// One record's bytes, read and written field by field.
// Unknown field names and indices outside the array bounds are programming
// errors and throw std::out_of_range; a value that does not fit its field
// throws value_error (overflow, type mismatch).
class record_buffer {
 public:
  // A record of zero bytes.
  explicit record_buffer(const record_layout& layout);
  // A record from bytes read from a file: shorter bytes are completed with
  // zeros, longer ones cut.
  record_buffer(const record_layout& layout, const QByteArray& bytes);

  const record_layout& layout() const { return *layout_; }
  const QByteArray& bytes() const { return bytes_; }
  void set_bytes(const QByteArray& bytes);
  // Back to zero bytes.
  void clear();
  // Every text field blanks, every other field zero bytes.
  void blank();

  // The field as a loose value of its kind: text (raw, untrimmed), int16,
  // int32, Boolean, single, double, date; raw fields come as text of their
  // bytes. A date field holding a day outside the years 100 to 9999 (or
  // infinity or NaN) throws value_error (overflow), here and in get_double.
  Value get(std::string_view name, int index = first_element) const;
  // Sets the field from a loose value converted to its kind (text is
  // blank-padded and cut to the width; a date out of range throws
  // value_error (overflow), here and in set_double).
  void set(std::string_view name, const Value& value, int index = first_element);

  QString get_text(std::string_view name, int index = first_element) const;
  std::int16_t get_int16(std::string_view name, int index = first_element) const;
  std::int32_t get_int32(std::string_view name, int index = first_element) const;
  bool get_bool(std::string_view name, int index = first_element) const;
  float get_single(std::string_view name, int index = first_element) const;
  double get_double(std::string_view name, int index = first_element) const;  // dbl or date
  QByteArray get_raw(std::string_view name, int index = first_element) const;

  void set_text(std::string_view name, const QString& text, int index = first_element);
  void set_int16(std::string_view name, std::int16_t v, int index = first_element);
  void set_int32(std::string_view name, std::int32_t v, int index = first_element);
  void set_bool(std::string_view name, bool v, int index = first_element);
  void set_single(std::string_view name, float v, int index = first_element);
  void set_double(std::string_view name, double v, int index = first_element);  // dbl or date
  // Cut or completed with zero bytes to the width.
  void set_raw(std::string_view name, const QByteArray& bytes, int index = first_element);

 private:
  // The field and the byte offset of the element.
  std::pair<const field_def*, int> locate(std::string_view name, int index) const;

  const record_layout* layout_;
  QByteArray bytes_;
};

}  // namespace km::platform
