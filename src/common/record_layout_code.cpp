#include "common/record_layout_code.h"

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/dbase/recordset.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

const QString code_folder = QStringLiteral("C:\\VB_PROJECT");

QString declared_type(const platform::dbf_field& f) {
  switch (f.type) {
    case 'N':
    case 'F':
      return f.decimals == 0 ? QStringLiteral("Integer") : QStringLiteral("Single");
    case 'D':
      return QStringLiteral("Date");
    case 'L':
      return QStringLiteral("Boolean");
    default:
      return QStringLiteral("String * ") + QString::number(f.width);
  }
}

// Writes the lines to a new file under a short-pool number held in `number`,
// and gives the number back.
void write_lines(std::int16_t& number, const QString& path, const QStringList& lines) {
  number = get_free_file_number(1);
  try {
    platform::open_file(number, path, platform::open_mode::output);
    for (const QString& line : lines) platform::print_line(number, line);
  } catch (...) {
    abandon_file(number);  // a half-written file never replaces the old one
    throw;
  }
  close_file(number);
}

}  // namespace

QStringList record_layout_lines(const platform::recordset& rs) {
  QStringList lines;
  for (int i = 0; i < rs.field_count(); ++i) {
    const platform::dbf_field& f = rs.field(i);
    lines << f.name + QStringLiteral(" as ") + declared_type(f);
  }
  return lines;
}

QStringList record_program_lines(const platform::recordset& rs, const QString& control_name) {
  QStringList lines;
  for (int i = 0; i < rs.field_count(); ++i) {
    const QString name = rs.field_name(i);
    lines << QStringLiteral("MyRecord.") + name + QStringLiteral(" = clean_field_value(") + control_name +
                 QStringLiteral(".Recordset(\"") + name + QStringLiteral("\"))");
  }
  return lines;
}

void generate_record_layout_code(platform::data_control& control, const QString& /*folder*/,
                                 const QString& table) {
  const platform::recordset& rs = control.recordset();
  const QString control_name =
      control.objectName().isEmpty() ? QStringLiteral("Data1") : control.objectName();
  if (!platform::ensure_folder(code_folder))
    throw platform::file_error(platform::file_error::kind::path_not_found, code_folder);
  write_lines(g_file_number2, code_folder + QStringLiteral("\\") + table + QStringLiteral("_layout.txt"),
              record_layout_lines(rs));
  write_lines(g_file_number3, code_folder + QStringLiteral("\\") + table + QStringLiteral("_program.txt"),
              record_program_lines(rs, control_name));
  std::int16_t all = close_all_files;
  close_file(all);
}

}  // namespace km
