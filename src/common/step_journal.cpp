#include "common/step_journal.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "common/language_text.h"
#include "common/text_routines.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/value.h"
#include "platform/win_path.h"

namespace km {

namespace {

using platform::dbf_table;

const QString export_journal_name = QStringLiteral("export.jnl");
const QString move_journal_name = QStringLiteral("move.jnl");

QString native_in(const QString& data_folder, const QString& file) {
  return platform::to_native_path(platform::join_win_path(data_folder, file));
}

QString one_line(QString text) {
  return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace('\n', ' ');
}

void write_journal(const QString& data_folder, const QString& name, const QStringList& lines) {
  const QString native = native_in(data_folder, name);
  if (native.isEmpty())
    throw platform::dbf_error(platform::dbf_error_kind::not_found,
                              QStringLiteral("Folder '%1' not found").arg(data_folder));
  platform::dbf_io::replace_files({{native, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()}});
}

void remove_journal(const QString& data_folder, const QString& name) {
  try {
    platform::delete_file(platform::join_win_path(data_folder, name), true);
    // Made lasting at once: a journal a power cut brought back would undo
    // a step that was done.
    platform::dbf_io::sync_folder_of(native_in(data_folder, name));
  } catch (const platform::platform_error&) {
    // Passed over: the step it names is complete, and the next opening
    // finds it so.
  }
}

// The lines of a journal; empty when there is none or it cannot be read.
QStringList journal_lines(const QString& data_folder, const QString& name) {
  const QString native = native_in(data_folder, name);
  if (native.isEmpty()) return {};
  platform::dbf_io::remove_stale_temporaries(native);  // what a killed write of it left
  if (!QFileInfo(native).isFile()) return {};
  try {
    const platform::dbf_io::file_handle f = platform::dbf_io::open_existing(native, false, name);
    return QString::fromUtf8(platform::dbf_io::read_all(f, name))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  } catch (const platform::dbf_error&) {
    return {};
  }
}

// A table missing now has nothing to settle: nullptr.
std::unique_ptr<dbf_table> open_for_writing(const QString& data_folder, const QString& file) {
  const QString native = native_in(data_folder, file);
  if (native.isEmpty() || !QFileInfo(native).isFile()) return nullptr;
  return std::make_unique<dbf_table>(native, dbf_table::access::read_write);
}

// Marks deleted the live records from `first` on that carry the learner
// numbers, one a record in order, up to the first that does not.
void delete_appended(dbf_table& t, std::uint32_t first, const QStringList& learners) {
  for (qsizetype i = 0; i < learners.size() && first + i < t.record_count(); ++i) {
    const std::uint32_t r = first + std::uint32_t(i);
    if (platform::val(clean_field_value(t.value(r, 0))) != platform::val(learners[i])) return;
    if (!t.is_deleted(r)) t.set_deleted(r, true);
  }
}

// "file count number,number,..." -> the table, or false when the line is not one.
bool parse_table(const QString& line, journal_table& out) {
  const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != 2 && parts.size() != 3) return false;
  bool ok = false;
  out = {parts[0], parts[1].toUInt(&ok),
         parts.size() == 3 ? parts[2].split(QLatin1Char(',')) : QStringList()};
  return ok;
}

void tell(const QString& text) {
  platform::message_box(text, platform::msg_buttons::ok, platform::msg_icon::exclamation);
}

void settle_export(const QString& data_folder) {
  const QStringList lines = journal_lines(data_folder, export_journal_name);
  if (lines.size() < 2 || lines[0] != QLatin1String("export")) return;
  std::vector<journal_table> tables;
  for (qsizetype i = 2; i < lines.size(); ++i) {
    journal_table t;
    if (!parse_table(lines[i], t)) return;  // not a journal this program wrote: left alone
    tables.push_back(t);
  }
  try {
    for (const journal_table& t : tables)
      if (const std::unique_ptr<dbf_table> table = open_for_writing(data_folder, t.file))
        delete_appended(*table, t.records, t.learners);
  } catch (const platform::platform_error&) {
    return;  // a table is busy or cannot be written now: tried again at the next opening
  }
  remove_journal(data_folder, export_journal_name);
  tell(export_undone_message(lines[1]));
}

bool parse_move(const QStringList& lines, move_journal& j) {
  if (lines.size() != 5 || lines[0] != QLatin1String("move")) return false;
  j.learner = lines[1];
  j.target_written = lines[2] == QLatin1String("1");
  const QStringList source = lines[3].split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const QStringList target = lines[4].split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (source.size() != 3 || target.size() != 4) return false;
  j.learner_number = source[2];
  bool ok[3] = {};
  j.source_file = source[0];
  j.source_record = source[1].toUInt(&ok[0]);
  j.target_file = target[0];
  j.target_records = target[1].toUInt(&ok[1]);
  j.edited_record = target[2].toLongLong(&ok[2]);
  j.edited_before =
      target[3] == QLatin1String("-") ? QByteArray() : QByteArray::fromHex(target[3].toLatin1());
  return ok[0] && ok[1] && ok[2];
}

// The learner stands in the target book: out of the source book.
void finish_move(const QString& data_folder, const move_journal& j) {
  const std::unique_ptr<dbf_table> source = open_for_writing(data_folder, j.source_file);
  if (source && j.source_record < source->record_count() && !source->is_deleted(j.source_record))
    source->set_deleted(j.source_record, true);
}

// The target book gets back what it held before the move.
void undo_move(const QString& data_folder, const move_journal& j) {
  const std::unique_ptr<dbf_table> target = open_for_writing(data_folder, j.target_file);
  if (!target) return;
  const std::int64_t e = j.edited_record;
  if (e < 0) delete_appended(*target, j.target_records, {j.learner_number});  // the record it appends
  if (e >= 0 && e < std::int64_t(target->record_count()) &&
      j.edited_before.size() == target->header().record_length)
    target->write_changes(std::uint32_t(e), target->record_bytes(std::uint32_t(e)), j.edited_before);
}

void settle_move(const QString& data_folder) {
  move_journal j;
  if (!parse_move(journal_lines(data_folder, move_journal_name), j)) return;
  try {
    if (j.target_written)
      finish_move(data_folder, j);
    else
      undo_move(data_folder, j);
  } catch (const platform::platform_error&) {
    return;  // tried again at the next opening
  }
  remove_journal(data_folder, move_journal_name);
  tell(j.target_written ? move_finished_message(j.learner) : move_undone_message(j.learner));
}

}  // namespace

void write_export_journal(const QString& data_folder, const QString& task,
                          const std::vector<journal_table>& tables) {
  QStringList lines{QStringLiteral("export"), one_line(task)};
  for (const journal_table& t : tables)
    lines << t.file + QLatin1Char(' ') + QString::number(t.records) + QLatin1Char(' ') +
                 t.learners.join(QLatin1Char(','));
  write_journal(data_folder, export_journal_name, lines);
}

void write_move_journal(const QString& data_folder, const move_journal& j) {
  const QString before =
      j.edited_before.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(j.edited_before.toHex());
  write_journal(data_folder, move_journal_name,
                {QStringLiteral("move"), one_line(j.learner),
                 j.target_written ? QStringLiteral("1") : QStringLiteral("0"),
                 j.source_file + QLatin1Char(' ') + QString::number(j.source_record) + QLatin1Char(' ') +
                     j.learner_number,
                 j.target_file + QLatin1Char(' ') + QString::number(j.target_records) + QLatin1Char(' ') +
                     QString::number(j.edited_record) + QLatin1Char(' ') + before});
}

void remove_export_journal(const QString& data_folder) { remove_journal(data_folder, export_journal_name); }

void remove_move_journal(const QString& data_folder) { remove_journal(data_folder, move_journal_name); }

void finish_interrupted_steps(const QString& data_folder) {
  settle_export(data_folder);
  settle_move(data_folder);
}

QString export_undone_message(const QString& task) {
  return in_language(QStringLiteral("DIE UITVOER VAN TAAK ") + task +
                         QStringLiteral(" IS ONDERBREEK EN ONGEDAAN GEMAAK ... VOER DIT WEER UIT"),
                     QStringLiteral("THE EXPORT OF TASK ") + task +
                         QStringLiteral(" WAS INTERRUPTED AND UNDONE ... EXPORT IT AGAIN"));
}

QString move_finished_message(const QString& learner) {
  return in_language(QStringLiteral("DIE SKUIF VAN LEERDER ") + learner +
                         QStringLiteral(" IS ONDERBREEK EN NOU KLAAR GEMAAK"),
                     QStringLiteral("THE MOVE OF LEARNER ") + learner +
                         QStringLiteral(" WAS INTERRUPTED AND HAS NOW BEEN FINISHED"));
}

QString move_undone_message(const QString& learner) {
  return in_language(QStringLiteral("DIE SKUIF VAN LEERDER ") + learner +
                         QStringLiteral(" IS ONDERBREEK EN ONGEDAAN GEMAAK ... SKUIF WEER"),
                     QStringLiteral("THE MOVE OF LEARNER ") + learner +
                         QStringLiteral(" WAS INTERRUPTED AND UNDONE ... MOVE AGAIN"));
}

}  // namespace km
