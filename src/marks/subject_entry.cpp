#include "marks/subject_entry.h"

#include "common/text_routines.h"

namespace km {

namespace {

constexpr int number_width = 3;
constexpr int class_width = 5;
constexpr int class_start = number_width + 1;

}  // namespace

QString subject_entry(const QStringList& subject_cells) {
  const QString blank = QStringLiteral(" ");
  const QString used_class = subject_cells.value(5);
  const QString classes = trim_blanks(clean_field_value(Value(used_class))).isEmpty()
                              ? subject_cells.value(3) + blank + subject_cells.value(4)
                              : used_class;
  return right_justify(Value(subject_cells.value(0)), number_width) + blank +
         left_justify(Value(subject_cells.value(1)), class_width) + blank + classes;
}

subject_entry_parts parts_of_subject_entry(const QString& entry) {
  return {trim_blanks(entry.left(number_width)), trim_blanks(entry.mid(class_start, class_width))};
}

}  // namespace km
