#include "marks/code_lists.h"

#include "common/file_number_pool.h"
#include "common/language_text.h"
#include "common/text_routines.h"
#include "platform/cp1252_case.h"
#include "platform/dbase/recordset.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr int effort_code_field = 0;
constexpr int effort_description_field = 4;

// The first values of every record of the file, joined; reading stops
// at the end of the file, also after a record's first value.
QString joined_first_values(const QString& win_path) {
  QString text;
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, win_path, platform::open_mode::input);
    while (!platform::eof(number)) {
      text += platform::input_text(number);
      if (platform::eof(number)) break;
      platform::input_field(number);  // the second value is not used
    }
  } catch (const platform::file_error&) {
    // what was read before the failure stands
  }
  close_file(number);
  return text;
}

}  // namespace

QString effort_key_table_name(const QString& subject_number) {
  return QStringLiteral("L") + trim_blanks(subject_number) + QStringLiteral("_P_S");
}

QString formative_file_name(const QString& subject_number, const QString& subject_class) {
  QString extension = subject_class;
  extension.remove(u'/');
  extension.remove(u'-');
  return QStringLiteral("L") + trim_blanks(subject_number) + QStringLiteral("_f_e.") + trim_blanks(extension);
}

code_list effort_key_list(const platform::recordset& table) {
  code_list list;
  if (table.record_count() == 0) return list;
  const bool described = table.field_count() > effort_description_field;
  for (qint64 p = 0; p < table.record_count(); ++p) {
    const QString code = clean_field_value(table.value_at(p, effort_code_field));
    if (trim_blanks(code).isEmpty()) continue;
    list.codes << code;
    list.entries << (described ? code + QStringLiteral(" ") +
                                     clean_field_value(table.value_at(p, effort_description_field))
                               : code);
  }
  list.codes << QStringLiteral(" ");
  list.entries << in_language(u"   GEEN", u"   NONE");
  return list;
}

code_list formative_list(const QString& win_path) {
  code_list list;
  if (!platform::file_exists(win_path)) return list;
  QString text = joined_first_values(win_path);
  const QString line_end = QStringLiteral("\r\n");
  for (int k = 1; !text.isEmpty(); ++k) {
    const qsizetype end = text.indexOf(line_end);
    QString description;
    if (end < 0) {
      if (trim_blanks(text).isEmpty()) break;
      description = text;
      text.clear();
    } else {
      description = text.left(end);
      text.remove(0, end + line_end.size());
    }
    const QString code = right_justify(platform::Value(QString::number(k)), 2, QStringLiteral("0"));
    list.codes << code;
    list.entries << code + QStringLiteral(" ") + description;
  }
  return list;
}

std::optional<QString> listed_code(const code_list& list, const QString& typed) {
  const QString wanted = platform::lower_text(trim_blanks(typed));
  for (const QString& code : list.codes)
    if (platform::lower_text(trim_blanks(code)) == wanted) return code;
  return std::nullopt;
}

}  // namespace km
