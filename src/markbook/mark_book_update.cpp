#include "markbook/mark_book_update.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <vector>

#include "common/file_error_reason.h"
#include "common/file_not_written.h"
#include "common/language_text.h"
#include "common/save_folder.h"
#include "common/text_routines.h"
#include "markbook/book_rebuild.h"
#include "markbook/book_table.h"
#include "markbook/mark_book_messages.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_error.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace km {

namespace {

struct learner {
  QString number_text;  // what records are matched on
  double number = 0;
  QString name;
};

learner_list_state list_state(table_state state) {
  switch (state) {
    case table_state::open:
      return learner_list_state::read;
    case table_state::missing:
      return learner_list_state::missing;
    case table_state::in_use:
      return learner_list_state::in_use;
    case table_state::read_only:
      return learner_list_state::read_only;
    case table_state::damaged:
      return learner_list_state::damaged;
    case table_state::failed:
      break;
  }
  return learner_list_state::read_failed;
}

// Makes the book from the template when it is missing; false, with the
// reason in the book message, when there is no book afterwards.
bool make_book_when_missing(const QString& book_path, const QString& program_folder,
                            mark_book_update_result& result) {
  if (platform::file_exists(book_path)) return true;
  const QString template_path = platform::join_win_path(program_folder, mark_book_template_name);
  result.book_missing = true;
  if (!platform::file_exists(template_path)) {
    result.book_message = template_missing_message();
    return false;
  }
  try {
    platform::copy_file(template_path, book_path, false);
  } catch (const platform::file_error& e) {
    result.book_message =
        file_not_written_text(book_path) + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")");
    return false;
  }
  result.book_missing = false;
  result.book_created = true;
  return true;
}

// What the update had changed when a later step failed, for the message
// of that failure; "" when it had changed nothing.
QString changes_made(const mark_book_update_result& r) {
  QStringList done;
  const auto add = [&](int count, const char16_t* afrikaans, const char16_t* english) {
    if (count > 0) done << in_language(afrikaans, english) + QString::number(count);
  };
  add(r.learners_cleared, u"HERHAALDE NOMMERS IN LEERDERLYS UITGEVEE: ",
      u"REPEATED NUMBERS CLEARED IN THE LEARNER LIST: ");
  add(r.records_cleared, u"HERHAALDE NOMMERS IN PUNTEBOEK UITGEVEE: ",
      u"REPEATED NUMBERS CLEARED IN THE MARK BOOK: ");
  add(r.added, u"LEERDERS BYGEVOEG: ", u"LEARNERS ADDED: ");
  add(r.deleted, u"LEERDERS VERWYDER: ", u"LEARNERS REMOVED: ");
  if (done.isEmpty()) return {};
  return in_language(u" ... REEDS GEDOEN: ", u" ... ALREADY DONE: ") + done.join(QStringLiteral("; "));
}

// The failure of a step after others that may have changed the tables.
QString failure_after_changes(const QString& failure, const mark_book_update_result& r) {
  return failure + changes_made(r);
}

// Pass 1: reads every learner to the end, clearing the number of each later
// learner who repeats a number already met.
std::vector<learner> read_learners(platform::recordset& rs, mark_book_update_result& result) {
  std::vector<learner> learners;
  QSet<QString> met;
  for_each_record(rs, [&] {
    learner l{clean_field_value(rs.value(0)), platform::val(clean_field_value(rs.value(0))),
              clean_field_value(rs.value(1))};
    if (met.contains(l.number_text) && l.number > 0) {
      rs.edit();
      rs.set_value(0, platform::Value(0));
      rs.update();
      ++result.learners_cleared;
      l.number = 0;
    }
    met.insert(l.number_text);
    learners.push_back(l);
  });
  return learners;
}

// Pass 2: the record number of each learner number in the book; a later
// record repeating a number loses its number and name, never its marks.
QHash<QString, std::uint32_t> index_book(platform::recordset& rs, mark_book_update_result& result) {
  QHash<QString, std::uint32_t> index;
  for_each_record(rs, [&] {
    const QString text = clean_field_value(rs.value(0));
    if (platform::val(text) <= 0) return;
    if (index.contains(text)) {
      // The name first, each in a write of its own: a record a crash left
      // between the two still repeats the number, and the next update
      // clears it then.
      for (const auto& [field, cleared] :
           {std::pair{1, platform::Value(QString())}, std::pair{0, platform::Value(0)}}) {
        rs.edit();
        rs.set_value(field, cleared);
        rs.update();
      }
      ++result.records_cleared;
    } else {
      index.insert(text, rs.record_number());
    }
  });
  return index;
}

// Pass 3: a record with blank marks for each learner the book does not
// have; returns the numbers of the learners it has.
QSet<QString> add_new_learners(platform::recordset& rs, const std::vector<learner>& learners,
                               const QHash<QString, std::uint32_t>& index, mark_book_update_result& result) {
  QSet<QString> present;
  const int name_width = rs.field_size(1);
  for (const learner& l : learners) {
    if (l.number <= 0) continue;  // cleared as a duplicate, or never numbered
    if (index.contains(l.number_text)) {
      present.insert(l.number_text);
      continue;
    }
    rs.add_new();
    rs.set_value(0, platform::Value(l.number));
    rs.set_value(1, platform::Value(l.name.left(name_width)));
    rs.update();
    ++result.added;
  }
  return present;
}

// Pass 4: deletes the records pass 2 found for learners no longer listed,
// by their record numbers, after the book was copied into "save".
void delete_leavers(platform::recordset& rs, const QString& data_folder, const QString& book_file,
                    const QHash<QString, std::uint32_t>& index, const QSet<QString>& present,
                    mark_book_update_result& result) {
  QSet<std::uint32_t> leavers;
  for (auto it = index.cbegin(); it != index.cend(); ++it)
    if (!present.contains(it.key())) leavers.insert(it.value());
  if (leavers.isEmpty()) return;
  try {
    copy_into_save_folder(data_folder, book_file);
  } catch (const platform::file_error& e) {
    result.save_failed = true;
    const QString book_path = platform::join_win_path(data_folder, book_file);
    const QString changes = changes_made(result);
    // "Nothing was changed" only when nothing was: learners added or
    // numbers cleared before this step are named.
    result.book_message =
        changes.isEmpty() ? save_copy_failed_message(book_path, e)
                          : in_language(u"GEEN KOPIE VAN ", u"NO COPY OF ") + book_path +
                                in_language(u" KON GEMAAK WORD NIE ... GEEN LEERDER IS VERWYDER NIE",
                                            u" COULD BE MADE ... NO LEARNER WAS REMOVED") +
                                changes + QStringLiteral(" (") + file_error_reason(e) + QStringLiteral(")");
    return;
  }
  for_each_record(rs, [&] {
    if (!leavers.contains(rs.record_number())) return;
    rs.delete_current();
    ++result.deleted;
  });
}

}  // namespace

mark_book_update_result update_mark_book(const QString& data_folder, int n, const QString& program_folder) {
  platform::data_control learner_control;
  platform::data_control book_control;
  return update_mark_book(learner_control, book_control, data_folder, n, program_folder);
}

mark_book_update_result update_mark_book(platform::data_control& learner_control,
                                         platform::data_control& book_control, const QString& data_folder,
                                         int n, const QString& program_folder) {
  // Both controls are closed whatever way the update ends.
  struct closer {
    platform::data_control& a;
    platform::data_control& b;
    ~closer() {
      a.close_database();
      b.close_database();
    }
  } close_both{learner_control, book_control};
  mark_book_update_result result;
  const QString book_file = marks_table_file(n);
  const QString learner_file = learner_table_file(n);
  if (!make_book_when_missing(platform::join_win_path(data_folder, book_file), program_folder, result))
    return result;

  std::vector<learner> learners;
  {
    platform::data_control& control = learner_control;
    const table_opening opened = open_book_table(control, data_folder, learner_file);
    result.learners = list_state(opened.state);
    result.learner_message = opened.message;
    if (opened.state != table_state::open) return result;
    try {
      learners = read_learners(control.recordset(), result);
    } catch (const platform::dbf_error& e) {
      result.learners = learner_list_state::read_failed;
      result.learner_message =
          failure_after_changes(table_failure(data_folder, learner_file, e).message, result);
      return result;
    }
    control.close_database();
  }
  const bool numbered =
      std::any_of(learners.begin(), learners.end(), [](const learner& l) { return l.number > 0; });
  if (!numbered) {
    result.learners = learner_list_state::empty;
    return result;
  }

  platform::data_control& control = book_control;
  const table_opening opened = open_book_table(control, data_folder, book_file);
  if (opened.state != table_state::open) {
    result.book_message = opened.message;
    return result;
  }
  try {
    platform::recordset& rs = control.recordset();
    const QHash<QString, std::uint32_t> index = index_book(rs, result);
    const QSet<QString> present = add_new_learners(rs, learners, index, result);
    delete_leavers(rs, data_folder, book_file, index, present, result);
  } catch (const platform::dbf_error& e) {
    result.book_message = failure_after_changes(table_failure(data_folder, book_file, e).message, result);
  }
  return result;
}

}  // namespace km
