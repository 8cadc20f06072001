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

bool blank(const platform::Value& v) { return trim_blanks(v.is_empty() ? QString() : v.to_text()).isEmpty(); }

// How many rows the list holds (up to the first blank number), or the
// sheet row of the first of them with a cell that cannot be read: then
// nothing is added, so a list is never taken in part.
struct list_extent {
  std::size_t rows = 0;
  int unreadable_row = 0;
};

list_extent measure(const std::vector<platform::learner_cells>& rows) {
  list_extent extent;
  for (; extent.rows < rows.size(); ++extent.rows) {
    const platform::learner_cells& row = rows[extent.rows];
    if (!row.a.is_null() && blank(row.a)) break;
    if (row.a.is_null() || row.b.is_null()) {
      extent.unreadable_row = int(extent.rows) + 2;  // the list starts on the sheet's row 2
      break;
    }
  }
  return extent;
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
  const list_extent extent = measure(*rows);
  if (extent.unreadable_row > 0) {
    result.outcome = learner_import_outcome::unreadable;
    result.message = in_language(u"LEERDERLYS ", u"LEARNER LIST ") + path + in_language(u" RY ", u" ROW ") +
                     QString::number(extent.unreadable_row) +
                     in_language(u" KAN NIE GELEES WORD NIE ...", u" CANNOT BE READ ...");
    return result;
  }
  result.outcome = learner_import_outcome::filled;
  const int name_width = book.field_size(1);
  for (std::size_t i = 0; i < extent.rows; ++i) {
    const platform::learner_cells& row = (*rows)[i];
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
