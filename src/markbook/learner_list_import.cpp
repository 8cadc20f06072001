#include "markbook/learner_list_import.h"

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/file_system.h"
#include "platform/learner_workbook.h"
#include "platform/win_path.h"

namespace km {

namespace {

// The workbook's path as it stands, with ".xls" or with ".xlsx"; "" when
// none is there.
QString workbook_path(const QString& base) {
  for (const QString& ending : {QString(), QStringLiteral(".xls"), QStringLiteral(".xlsx")})
    if (platform::file_exists(base + ending)) return base + ending;
  return {};
}

double learner_number(const platform::Value& a) {
  return a.is_text() ? platform::val(a.as_text()) : a.to_double();
}

}  // namespace

learner_import_result add_learner(platform::recordset& book, const QString& data_folder,
                                  const QString& subject_cell, const QString& class_part) {
  learner_import_result result;
  const QString base =
      platform::join_win_path(data_folder, trim_blanks(subject_cell) + QStringLiteral("_") + class_part);
  const QString path = workbook_path(base);
  if (path.isEmpty()) return result;
  const auto rows = platform::read_learner_workbook(path);
  if (!rows) {
    result.outcome = learner_import_outcome::unreadable;
    result.message = in_language(u"LEERDERLYS ", u"LEARNER LIST ") + path +
                     in_language(u" KAN NIE GELEES WORD NIE ...", u" CANNOT BE READ ...");
    return result;
  }
  result.outcome = learner_import_outcome::filled;
  const int name_width = book.field_size(1);
  for (const platform::learner_cells& row : *rows) {
    if (trim_blanks(row.a.is_empty() ? QString() : row.a.to_text()).isEmpty()) break;
    const double number = learner_number(row.a);
    g_current_t_nr = float(number);
    book.add_new();
    book.set_value(0, platform::Value(number));
    book.set_value(
        1, platform::Value(trim_blanks(row.b.is_empty() ? QString() : row.b.to_text()).left(name_width)));
    book.update();
    ++result.added;
  }
  return result;
}

}  // namespace km
