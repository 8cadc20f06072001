#pragma once
// The journal of a step that changes two tables of a data folder: the
// export of a task into punte<N>.dbf and obe_p<N>.dbf, and the move of a
// learner from one mark book to another. The journal is a small file in
// the data folder, written whole (under a temporary name, synced, renamed)
// before the first change and removed after the last, so that a step a
// crash stopped half-way is found by the next opening of either table and
// settled: an export is undone (the records it appended are marked
// deleted), a move whose learner is already in the target book is finished
// (the learner leaves the source book), one whose learner is not is undone.
// The teacher is told once, in the chosen language.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace km {

// A table of an export: its record count (deleted records included)
// before the export, and the learner numbers of the records the export
// appends to it, in order. Only records that carry those numbers in that
// order are taken back: a record another program appended after them stays.
struct journal_table {
  QString file;  // "punte3.dbf"
  std::uint32_t records = 0;
  QStringList learners;
};

// Throws platform_error (dbf_error) when the journal cannot be written.
void write_export_journal(const QString& data_folder, const QString& task,
                          const std::vector<journal_table>& tables);

struct move_journal {
  QString learner;  // as the teacher knows the learner: number and name
  QString source_file;
  std::uint32_t source_record = 0;
  QString target_file;
  std::uint32_t target_records = 0;  // record count before the move
  // The target record the move writes over (a record with no marks yet),
  // with its bytes before; -1 when the move appends.
  std::int64_t edited_record = -1;
  QByteArray edited_before;
  bool target_written = false;  // the learner stands in the target book
  QString learner_number;       // as field 0 of the learner's record holds it
};

// Throws platform_error (dbf_error) when the journal cannot be written.
void write_move_journal(const QString& data_folder, const move_journal& journal);

// Remove the journal once the step is done (or undone); a journal that
// cannot be removed is settled by the next opening, which finds the step
// complete. Failures are passed over.
void remove_export_journal(const QString& data_folder);
void remove_move_journal(const QString& data_folder);

// Settles the journals of the data folder (Windows form) and what killed
// writes of them left beside them; a journal whose tables cannot be opened
// for writing now stays for a later opening.
void finish_interrupted_steps(const QString& data_folder);

// "THE EXPORT OF TASK <task> WAS INTERRUPTED AND UNDONE ... EXPORT AGAIN"
QString export_undone_message(const QString& task);
QString move_finished_message(const QString& learner);
QString move_undone_message(const QString& learner);

}  // namespace km
