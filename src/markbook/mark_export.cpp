#include "markbook/mark_export.h"

#include <vector>

#include "common/language_text.h"
#include "common/step_journal.h"
#include "common/text_routines.h"
#include "markbook/book_table.h"
#include "markbook/export_value.h"
#include "markbook/mark_book_messages.h"
#include "markbook/mark_value.h"
#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_table.h"
#include "platform/sync_file.h"
#include "platform/value.h"
#include "platform/win_path.h"

namespace km {

namespace {

const QString obe_mark_field = QStringLiteral("EO_PUNT");
constexpr int learner_mark_field = 2;

QString obe_table_file(int n) {
  return QStringLiteral("obe_p") + QString::number(n) + QStringLiteral(".dbf");
}

QString without_extension(const QString& table_file) { return table_file.left(table_file.lastIndexOf('.')); }

// Opens one table of the export; "" when it is open, else what to tell.
QString open_export_table(platform::data_control& control, const QString& folder, const QString& table_file,
                          bool read_only) {
  const table_opening opened = open_book_table(control, folder, table_file, read_only);
  if (opened.state == table_state::open) return {};
  if (opened.state == table_state::in_use || opened.state == table_state::read_only) return opened.message;
  return missing_dataset_message(folder, without_extension(table_file));
}

// A target table needs the field the mark goes into.
bool has_mark_field(platform::recordset& rs, int field) { return field >= 0 && field < rs.field_count(); }

qint64 learner_number(const platform::recordset& book) {
  return qint64(platform::val(clean_field_value(book.value(0))));
}

// Records whose learner number is not above 0 are no learners (what the
// update leaves of a duplicate it cleared).
bool is_learner(const platform::recordset& book) { return learner_number(book) > 0; }

bool any_numeric_mark(platform::recordset& book, int mark_field) {
  bool found = false;
  for_each_record(book, [&] {
    if (!found && is_learner(book)) found = !is_uncounted_mark(clean_field_value(book.value(mark_field)));
  });
  return found;
}

// The exported text as its field takes it: a numeric field takes the
// number, and stays blank for a letter or blank mark.
platform::Value stored_value(const platform::recordset& rs, int field, const QString& text) {
  const char type = rs.field_type(field);
  if (type != 'N' && type != 'F') return platform::Value(text);
  if (is_uncounted_mark(text)) return platform::Value::null();
  return platform::Value(platform::val(text));
}

// One target table and the positions of the records this export appended
// to it, so they can be removed again.
struct target {
  platform::recordset& rs;
  int mark_field;
  std::vector<qint64> appended;

  void append(const platform::recordset& book, const QString& mark, int& appends,
              const mark_export_hooks& hooks) {
    rs.add_new();
    rs.set_value(0, book.value(0));
    rs.set_value(1, book.value(1));
    rs.set_value(mark_field, stored_value(rs, mark_field, mark));
    ++appends;
    if (hooks.before_write) hooks.before_write(appends);
    rs.update();
    appended.push_back(rs.absolute_position());
  }

  // What this export wrote stands on the disk: only then may the journal
  // that can undo it go.
  void sync() const {
    platform::sync_native_file(rs.table().path());
    if (!rs.table().memo_path().isEmpty()) platform::sync_native_file(rs.table().memo_path());
  }

  // Last first, so the positions of the earlier ones stay as they were.
  void remove_appended(const mark_export_hooks& hooks) {
    if (rs.mode() != platform::recordset::edit_mode::none) rs.cancel_update();
    for (auto it = appended.rbegin(); it != appended.rend(); ++it) {
      if (hooks.before_remove) hooks.before_remove();
      rs.set_absolute_position(*it);
      rs.delete_current();
    }
    appended.clear();
  }
};

// The checks made before the first append; "" when the export may go on.
QString refusal(platform::recordset& book, platform::recordset& punte, platform::recordset& obe,
                const mark_export_request& request, const QString& punte_file, const QString& obe_file) {
  if (!has_mark_field(punte, learner_mark_field)) return missing_dataset_message(request.folder, punte_file);
  if (!has_mark_field(obe, obe.field_index(obe_mark_field)))
    return missing_dataset_message(request.folder, obe_file);
  const int mark_field = mark_field_of_row(request.setup_row);
  if (request.setup_row < 1 || book.field_count() <= mark_field) return too_few_mark_sets_message();
  if (request.subject_total != 0 && !(request.task_total > 0) && any_numeric_mark(book, mark_field))
    return task_total_message();
  return {};
}

void close_all(const mark_export_tables& tables) {
  for (platform::data_control* c : {&tables.punte, &tables.book, &tables.obe}) c->close_database();
}

}  // namespace

QString missing_dataset_message(const QString& folder, const QString& table) {
  const QString dataset = platform::join_win_path(folder, table);
  return in_language(
      QStringLiteral("DATASTEL ") + dataset + QStringLiteral(" ONTBREEK OF KAN NIE OOPGEMAAK WORD NIE ..."),
      QStringLiteral("DATASET ") + dataset + QStringLiteral(" IS MISSING OR CANNOT BE OPENED ..."));
}

QString task_total_message() {
  return in_language(u"TOTAAL VAN REEKS IS NIE 'N GETAL BO 0 NIE ...",
                     u"TOTAL OF SERIES IS NOT A NUMBER ABOVE 0 ...");
}

QString export_failed_message(const QString& reason) {
  return in_language(
      QStringLiteral("UITVOER HET MISLUK: ") + reason + QStringLiteral(" ... GEEN PUNTE IS UITGEVOER NIE"),
      QStringLiteral("EXPORT FAILED: ") + reason + QStringLiteral(" ... NO MARKS WERE EXPORTED"));
}

QString export_half_done_message(const QString& reason) {
  return in_language(QStringLiteral("UITVOER HET MISLUK: ") + reason +
                         QStringLiteral(" ... SOMMIGE PUNTE IS DALK REEDS UITGEVOER"),
                     QStringLiteral("EXPORT FAILED: ") + reason +
                         QStringLiteral(" ... SOME MARKS MAY ALREADY HAVE BEEN EXPORTED"));
}

mark_export_result export_mark_row(const mark_export_tables& tables, const mark_export_request& request,
                                   const mark_export_hooks& hooks) {
  const QString book_file = marks_table_file(request.combination);
  const QString punte_file = learner_table_file(request.combination);
  const QString obe_file = obe_table_file(request.combination);
  // Every table is opened before anything is written.
  for (const auto& [control, file, read_only] :
       {std::tuple{&tables.book, book_file, true}, std::tuple{&tables.punte, punte_file, false},
        std::tuple{&tables.obe, obe_file, false}}) {
    const QString message = open_export_table(*control, request.folder, file, read_only);
    if (!message.isEmpty()) {
      close_all(tables);
      return {mark_export_outcome::refused, message, 0};
    }
  }
  platform::recordset& book = tables.book.recordset();
  target punte{tables.punte.recordset(), learner_mark_field, {}};
  target obe{tables.obe.recordset(), tables.obe.recordset().field_index(obe_mark_field), {}};
  const QString refused =
      refusal(book, punte.rs, obe.rs, request, without_extension(punte_file), without_extension(obe_file));
  if (!refused.isEmpty()) {
    close_all(tables);
    return {mark_export_outcome::refused, refused, 0};
  }

  // The export is recorded before the first append, so that a crash part
  // way is undone by the next opening of either table.
  QStringList learners;  // the numbers of the records each table gets, in order
  for_each_record(book, [&] {
    if (is_learner(book)) learners << clean_field_value(book.value(0));
  });
  try {
    write_export_journal(request.folder, request.task,
                         {{punte_file, punte.rs.table().record_count(), learners},
                          {obe_file, obe.rs.table().record_count(), learners}});
  } catch (const platform::platform_error& e) {
    close_all(tables);
    return {mark_export_outcome::failed, export_failed_message(e.text()), 0};
  }
  const int mark_field = mark_field_of_row(request.setup_row);
  const qint64 count = book.record_count();
  if (hooks.progress) hooks.progress(0, count);
  qint64 handled = 0;
  int appends = 0;
  mark_export_result result{mark_export_outcome::exported, {}, 0};
  bool settled = true;  // every append stands, or every one was taken back
  try {
    for_each_record(book, [&] {
      ++handled;
      if (is_learner(book)) {
        const QString mark = exported_mark(clean_field_value(book.value(mark_field)), request.task_total,
                                           request.subject_total);
        punte.append(book, mark, appends, hooks);
        obe.append(book, mark, appends, hooks);
        ++result.exported;
      }
      if (hooks.progress) hooks.progress(std::min(handled, count), count);
    });
    punte.sync();
    obe.sync();
  } catch (const platform::platform_error& e) {
    result = {mark_export_outcome::failed, export_failed_message(e.text()), 0};
    try {
      punte.remove_appended(hooks);
      obe.remove_appended(hooks);
      punte.sync();
      obe.sync();
    } catch (const platform::platform_error& again) {
      // The removal failed as well: some marks stay in the tables, and the
      // message must not say that none were exported.
      result.message = export_half_done_message(e.text() + QStringLiteral("; ") + again.text());
      settled = false;
    }
  }
  close_all(tables);
  // A roll-back that failed keeps the journal: the next opening finishes it.
  if (settled) remove_export_journal(request.folder);
  return result;
}

}  // namespace km
