#include "markbook/learner_move.h"

#include <memory>

#include "common/file_number_pool.h"
#include "common/language_text.h"
#include "common/open_exp_mrk_control.h"
#include "common/shared_variables.h"
#include "common/step_journal.h"
#include "common/text_routines.h"
#include "common/ui/subject_grid.h"
#include "markbook/book_table.h"
#include "markbook/mark_book_messages.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/setup_finder.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/win_path.h"

namespace km {

namespace {

bool book_exists(const QString& data_folder, int n) {
  return platform::file_exists(platform::join_win_path(data_folder, marks_table_file(n)));
}

bool holds_marks(const platform::recordset& rs, qint64 position) {
  for (int f = 2; f < rs.field_count(); ++f)
    if (!trim_blanks(clean_field_value(rs.value_at(position, f))).isEmpty()) return true;
  return false;
}

// The record of the learner with this number, -1 when none has it.
qint64 learner_position(const platform::recordset& rs, const QString& number) {
  if (trim_blanks(number).isEmpty()) return -1;
  for (qint64 p = 0; p < rs.record_count(); ++p)
    if (trim_blanks(clean_field_value(rs.value_at(p, 0))) == trim_blanks(number)) return p;
  return -1;
}

}  // namespace

std::vector<group_entry> combination_groups(const QString& data_folder) {
  std::vector<group_entry> groups;
  try {
    open_exp_mrk_control(QStringLiteral("E_C"), data_folder);
    for (int n = 1; n <= g_exp_mrk_control_count; ++n) {
      platform::get_record(g_exp_mrk_control_file_number, n, g_exp_mrk_control_rec);
      const QStringList cells = subject_grid_cells(g_exp_mrk_control_rec);
      const QString group = class_part(cells);
      if (!group.isEmpty()) groups.push_back({group, n});
    }
  } catch (const platform::file_error&) {
    // An unreadable export-control file offers no groups.
  }
  close_file(g_exp_mrk_control_file_number);
  return groups;
}

QString group_prompt(const std::vector<group_entry>& groups) {
  QStringList names;
  for (const group_entry& g : groups) names << g.group;
  return names.join(QStringLiteral(", "));
}

int group_combination(const std::vector<group_entry>& groups, const QString& group) {
  const QString wanted = trim_blanks(group);
  for (const group_entry& g : groups)
    if (g.group == wanted) return g.combination;
  return 0;
}

QString group_pair_refusal(const std::vector<group_entry>& groups, const QString& from, const QString& to) {
  if (trim_blanks(from) == trim_blanks(to))
    return in_language(u"'VAN' en 'NA' GROEPE MOET VERSKIL ...", u"'FROM' and 'TO' GROUPS MUST DIFFER ...");
  if (!group_combination(groups, from))
    return in_language(u"'VAN' GROEP ONGELDIG ...", u"'FROM' GROUP INVALID ...");
  if (!group_combination(groups, to))
    return in_language(u"'NA' GROEP ONGELDIG ...", u"'TO' GROUP INVALID ...");
  return {};
}

std::vector<move_entry> move_list(const QString& data_folder, int combination) {
  std::vector<move_entry> entries;
  platform::data_control control;
  if (open_book_table(control, data_folder, marks_table_file(combination), true).state != table_state::open)
    return entries;
  const platform::recordset& rs = control.recordset();
  for (qint64 p = 0; p < rs.record_count(); ++p) {
    const QString number = trim_blanks(clean_field_value(rs.value_at(p, 0)));
    entries.push_back({right_justify(platform::Value(number), 6) + QStringLiteral(" ") +
                           trim_blanks(clean_field_value(rs.value_at(p, 1))),
                       number});
  }
  return entries;
}

move_result move_learner(const QString& data_folder, int from_combination, int to_combination,
                         const move_entry& entry, const QString& to_group) {
  if (!book_exists(data_folder, from_combination))
    return {false, in_language(u"Sien 'PUNTEBOEK OPSTEL' om punteboek vir VAN-GROEP te skep",
                               u"See 'MARK BOOK SETUP' to create FROM GROUP mark book")};
  if (!book_exists(data_folder, to_combination))
    return {false, in_language(u"Sien 'PUNTEBOEK OPSTEL' om punteboek vir NA-GROEP te skep",
                               u"See 'MARK BOOK SETUP' to create TO GROUP mark book")};
  const QString from_file = marks_table_file(from_combination);
  const QString to_file = marks_table_file(to_combination);
  platform::data_control from;
  platform::data_control to;
  for (auto [control, file] : {std::pair{&from, from_file}, std::pair{&to, to_file}}) {
    const table_opening opened = open_book_table(*control, data_folder, file);
    if (opened.state != table_state::open) return {false, opened.message};
  }
  platform::recordset& source = from.recordset();
  platform::recordset& target = to.recordset();
  if (target.field_count() < marks_dbf_field_count) return {false, too_few_mark_sets_message()};
  const qint64 position = learner_position(source, entry.number);
  if (position < 0)
    return {false, in_language(u"LEERDER ", u"LEARNER ") + entry.text +
                       in_language(u" IS NIE MEER IN DIE VAN-GROEP NIE ...",
                                   u" IS NO LONGER IN THE FROM GROUP ...")};
  std::vector<platform::Value> values;
  for (int f = 0; f < source.field_count(); ++f) values.push_back(source.value_at(position, f));
  const QString number = clean_field_value(values[0]);

  // Into the to-group: a record an update added for this learner (no marks
  // yet) takes the values; one that holds marks is never overwritten.
  qint64 existing = -1;
  for (qint64 p = 0; p < target.record_count() && existing < 0; ++p)
    if (clean_field_value(target.value_at(p, 0)) == number) existing = p;
  if (existing >= 0 && holds_marks(target, existing))
    return {false, in_language(u"LEERDER ", u"LEARNER ") + entry.text +
                       in_language(u" HET REEDS PUNTE IN GROEP ", u" ALREADY HAS MARKS IN GROUP ") +
                       trim_blanks(to_group) + QStringLiteral(" ...")};
  // The move is recorded before the first write, and again once the
  // learner stands in the to-group's book, so that the next opening undoes
  // or finishes a move a crash stopped (common/step_journal.h).
  move_journal journal;
  try {
    journal = {entry.text,
               from_file,
               0,
               to_file,
               target.table().record_count(),
               -1,
               {},
               false,
               QString::number(platform::val(number), 'g', 15)};
    source.set_absolute_position(position);
    journal.source_record = source.record_number();
    if (existing >= 0) {
      target.set_absolute_position(existing);
      journal.edited_record = target.record_number();
      journal.edited_before = target.table().record_bytes(target.record_number());
    }
    write_move_journal(data_folder, journal);
  } catch (const platform::platform_error& e) {
    return {false, e.text()};
  }
  try {
    if (existing >= 0) {
      target.set_absolute_position(existing);
      target.edit();
    } else {
      target.add_new();
    }
    for (int f = 0; f < target.field_count(); ++f) {
      const bool held = f < int(values.size()) && !values[std::size_t(f)].is_null();
      target.set_value(f, held ? values[std::size_t(f)] : platform::Value(QString()));
    }
    target.update();
    journal.target_written = true;
    write_move_journal(data_folder, journal);
  } catch (const platform::platform_error& e) {
    // The journal still says the learner is not in the to-group's book:
    // the next opening takes back what this write left there.
    if (target.mode() != platform::recordset::edit_mode::none) target.cancel_update();
    return {false, e.text()};
  }
  // Only now out of the from-group.
  try {
    source.set_absolute_position(position);
    source.delete_current();
  } catch (const platform::dbf_error& e) {
    return {true, e.text()};  // the learner stands in both books: the next opening finishes the move
  }
  remove_move_journal(data_folder);
  return {true, QString()};
}

}  // namespace km
