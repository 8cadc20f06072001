#pragma once
// A conversion's mapping resolved once against the table it reads: for
// each record field in the order it is read, the table field's position,
// the byte place in the record and the rule. Repeated groups bounded by the
// table's fields are cut here, from the table's field list.

#include <QByteArray>
#include <QString>
#include <vector>

#include "datafiles/conversion_table.h"
#include "platform/platform_error.h"
#include "platform/value.h"

namespace km::platform {
class recordset;
}

namespace km {

struct planned_field {
  int source = -1;      // the table field's position; -1 when the table lacks it
  QString source_name;  // as the mapping names it
  rule how = rule::text;
  int offset = 0;  // in the record
  int width = 0;   // of one record element
  int count = 1;   // record elements the value fills (the chars rule)
  bool optional = false;
  // For the first member of an element whose blank key leaves it cleared:
  // how many planned fields (itself included) the element has.
  int element_size = 0;
};

// What a field that fails does to the row.
enum class field_failure {
  rethrow,  // ends the row and the conversion
  skip,     // the field stays as it is
  report,   // told to the reporter, then as skip
};

class conversion_plan {
 public:
  conversion_plan(const conversion& declared, const platform::recordset& rs);

  const std::vector<planned_field>& fields() const { return fields_; }
  int record_length() const { return length_; }

  // Fills record (record_length() bytes, already cleared) from the current
  // row. With field_failure::report the reporter is told of each failure.
  template <typename Reporter>
  void fill(const platform::recordset& rs, QByteArray& record, field_failure on_failure,
            Reporter&& report) const;

 private:
  std::vector<planned_field> fields_;
  int length_ = 0;
};

// The table's name for element n of a repeated field.
QString element_source_name(const char* base, int n, element_names naming);

// Reads the value of a planned field from the current row: Null for a
// missing optional field; the engine's "not found" error for another
// missing field.
platform::Value planned_value(const planned_field& field, const platform::recordset& rs);
// Whether the cleaned value of the field is the empty text.
bool planned_value_is_blank(const planned_field& field, const platform::recordset& rs);

template <typename Reporter>
void conversion_plan::fill(const platform::recordset& rs, QByteArray& record, field_failure on_failure,
                           Reporter&& report) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const planned_field& field = fields_[i];
    try {
      if (field.element_size > 0 && planned_value_is_blank(field, rs)) {
        i += std::size_t(field.element_size) - 1;
        continue;
      }
      store_by_rule(field.how, planned_value(field, rs), record, field.offset, field.width, field.count);
    } catch (const platform::platform_error& failure) {
      if (on_failure == field_failure::rethrow) throw;
      if (on_failure == field_failure::report) report(failure);
      // A key that failed leaves its element untouched.
      if (field.element_size > 0) i += std::size_t(field.element_size) - 1;
    }
  }
}

}  // namespace km
