#include "markbook/book_rebuild.h"

#include <memory>
#include <vector>

#include "common/language_text.h"
#include "common/save_folder.h"
#include "common/text_routines.h"
#include "markbook/book_table.h"
#include "markbook/mark_book_messages.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::dbf_cell;
using platform::dbf_table;

// The template, or nullptr when it is missing or has no room for 40 sets.
std::unique_ptr<dbf_table> open_template(const QString& program_folder) {
  const QString path = platform::join_win_path(program_folder, mark_book_template_name);
  if (!platform::file_exists(path)) return nullptr;
  try {
    auto t = std::make_unique<dbf_table>(platform::to_native_path(path), dbf_table::access::read_only);
    if (t->field_count() < marks_dbf_field_count) return nullptr;
    return t;
  } catch (const platform::dbf_error&) {
    return nullptr;
  }
}

// The same fields, one by one (name aside: fields are taken by position).
bool same_fields(const dbf_table& a, const dbf_table& b) {
  if (a.field_count() != b.field_count()) return false;
  for (int f = 0; f < a.field_count(); ++f) {
    const platform::dbf_field& x = a.fields()[std::size_t(f)];
    const platform::dbf_field& y = b.fields()[std::size_t(f)];
    if (x.type != y.type || x.width != y.width || x.decimals != y.decimals || x.offset != y.offset)
      return false;
  }
  return true;
}

bool holds_a_mark(const dbf_table& book, std::uint32_t record) {
  for (int f = 2; f < book.field_count(); ++f)
    if (!trim_blanks(clean_field_value(book.value(record, f))).isEmpty()) return true;
  return false;
}

// One kept record: its cells for the template's fields.
std::vector<dbf_cell> cells_of(const dbf_table& book, const dbf_table& tpl, std::uint32_t record) {
  std::vector<dbf_cell> cells;
  const int count = std::min(book.field_count(), tpl.field_count());
  for (int f = 0; f < count; ++f) {
    const platform::dbf_field& from = book.fields()[std::size_t(f)];
    const platform::dbf_field& to = tpl.fields()[std::size_t(f)];
    if (f == 1 && (from.type != to.type || from.width != to.width))
      cells.emplace_back(
          platform::Value(clean_field_value(book.value(record, f)).left(to.width)));  // a name is cut
    else
      cells.push_back(dbf_cell::stored(book, record, f));
  }
  return cells;
}

// The kept rows in ascending order of name, by the grid's generic sort
// (numbers as numbers, the rest as text); equal names keep their order.
std::vector<std::size_t> name_order(const QStringList& names) {
  platform::flex_grid grid;
  grid.set_fixed_rows(0);
  grid.set_fixed_cols(0);
  grid.set_cols(2);
  grid.set_rows(int(names.size()));
  for (int r = 0; r < names.size(); ++r) {
    grid.set_text_matrix(r, 0, QString::number(r));
    grid.set_text_matrix(r, 1, names[r]);
  }
  if (grid.rows() > 1) {
    grid.set_row(0);
    grid.set_col(1);
    grid.sort(platform::sort_order::generic_ascending);
  }
  std::vector<std::size_t> order;
  for (int r = 0; r < grid.rows(); ++r) order.push_back(grid.text_matrix(r, 0).toULongLong());
  return order;
}

}  // namespace

QString template_missing_message() {
  return in_language(u"SJABLOON MRK_BOOK.ORG ONTBREEK OF IS ONVOLLEDIG ...",
                     u"TEMPLATE MRK_BOOK.ORG IS MISSING OR INCOMPLETE ...");
}

rebuild_result rebuild_mark_book(const QString& data_folder, int n, const QString& program_folder) {
  rebuild_result result;
  const QString book_file = marks_table_file(n);
  const QString book_path = platform::to_native_path(platform::join_win_path(data_folder, book_file));
  const std::unique_ptr<dbf_table> tpl = open_template(program_folder);
  if (!tpl) return {rebuild_outcome::no_template, template_missing_message()};
  // A book of the template's own layout is copied record by record as it
  // stands; any other is copied field by field.
  bool same_layout = false;
  std::vector<std::vector<dbf_cell>> kept;
  std::vector<QByteArray> kept_records;
  QStringList names;
  bool dropped_marks = false;
  try {
    const dbf_table book(book_path, dbf_table::access::read_only);
    same_layout = same_fields(book, *tpl);
    for (std::uint32_t r = 0; r < book.record_count(); ++r) {
      if (book.is_deleted(r)) continue;
      if (platform::val(clean_field_value(book.value(r, 0))) > 0) {
        if (same_layout)
          kept_records.push_back(book.record_bytes(r));
        else
          kept.push_back(cells_of(book, *tpl, r));
        names << clean_field_value(book.value(r, 1));
      } else {
        ++result.dropped;
        dropped_marks = dropped_marks || holds_a_mark(book, r);
      }
    }
  } catch (const platform::dbf_error& e) {
    const table_opening failure = table_failure(data_folder, book_file, e);
    return {failure.state == table_state::in_use ? rebuild_outcome::in_use : rebuild_outcome::failed,
            failure.message};
  }
  if (dropped_marks) {
    try {
      copy_into_save_folder(data_folder, book_file);
      result.copy_kept = true;
    } catch (const platform::file_error& e) {
      return {rebuild_outcome::failed,
              save_copy_failed_message(platform::join_win_path(data_folder, book_file), e)};
    }
  }
  const std::vector<std::size_t> order = name_order(names);
  std::vector<std::vector<dbf_cell>> rows;
  std::vector<QByteArray> records;
  for (const std::size_t i : order) {
    if (same_layout)
      records.push_back(std::move(kept_records[i]));
    else
      rows.push_back(std::move(kept[i]));
  }
  try {
    if (same_layout)
      platform::rebuild_dbf_table_from_records(book_path, tpl->path(), records);
    else
      platform::rebuild_dbf_table(book_path, tpl->path(), rows);
  } catch (const platform::dbf_error& e) {
    const table_opening failure = table_failure(data_folder, book_file, e);
    if (failure.state == table_state::in_use) return {rebuild_outcome::in_use, failure.message};
    return {rebuild_outcome::failed, e.text()};  // a mark that does not fit its field, or a disk failure
  }
  result.outcome = rebuild_outcome::rebuilt;
  result.kept = int(order.size());
  return result;
}

}  // namespace km
