#include "markbook/marks_dbf_record.h"

#include "markbook/pboek_setup_line.h"

namespace km {

std::vector<platform::dbf_field> marks_dbf_fields() {
  std::vector<platform::dbf_field> fields;
  int offset = 1;  // after the deletion byte
  const auto add = [&](const QString& name, char type, int width) {
    fields.push_back({name, type, width, 0, offset});
    offset += width;
  };
  add(QStringLiteral("MB_T_NR"), 'N', 8);
  add(QStringLiteral("MB_NAME"), 'C', marks_dbf_name_width);
  for (int row = 1; row <= setup_row_count; ++row)
    add(QStringLiteral("MB_R") + QString::number(row), 'C', marks_dbf_mark_width);
  return fields;
}

QByteArray mark_book_template_bytes() {
  platform::dbf_header header = platform::make_dbf_header(marks_dbf_fields());
  header.year = 2000;
  header.month = 1;
  header.day = 1;
  return platform::build_dbf_header(header) + QByteArray(1, '\x1A');
}

QString marks_table_file(int n) {
  return QStringLiteral("marks") + QString::number(n) + QStringLiteral(".dbf");
}

QString learner_table_file(int n) {
  return QStringLiteral("punte") + QString::number(n) + QStringLiteral(".dbf");
}

}  // namespace km
