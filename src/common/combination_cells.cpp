#include "common/combination_cells.h"

#include "common/text_routines.h"
#include "platform/value.h"

namespace km {

namespace {

QString cleaned_cell(const QStringList& cells, int index) {
  return trim_blanks(clean_field_value(platform::Value(cells.value(index))));
}

}  // namespace

QString class_part(const QStringList& subject_cells) {
  const QString own = cleaned_cell(subject_cells, 3);
  return own.isEmpty() ? cleaned_cell(subject_cells, 5) : own;
}

QString combination_report_title(const QStringList& subject_cells) {
  QString subject = subject_cells.value(1);
  subject.replace(QLatin1Char(' '), QLatin1Char('_'));
  return trim_blanks(subject_cells.value(0) + QStringLiteral(" ") + subject + QStringLiteral(" ") +
                     class_part(subject_cells)) +
         QStringLiteral(" ") + cleaned_cell(subject_cells, 4);
}

}  // namespace km
