#include "marks/marks_table_steps.h"

#include <QByteArray>
#include <cstdint>
#include <unordered_map>

#include "common/mark_text.h"
#include "common/shared_variables.h"
#include "common/table_messages.h"
#include "common/text_routines.h"
#include "marks/marks_messages.h"
#include "platform/cp1252.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/recordset.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/value.h"
#include "platform/win_path.h"

namespace km {

namespace {

// The field's position. A field the set does not have raises the engine's
// own "item not found" error, naming the field as the caller gave it.
int required_field(const platform::recordset& rs, const field_ref& field) {
  const int position = field_position(rs, field);
  if (position >= 0) return position;
  if (field.position >= 0 || field.name.isEmpty()) rs.field(field.position);
  (void)rs.value(field.name);  // looks the name up first, so it throws here
  return -1;
}

// A text fits a field when its Windows-1252 bytes do.
bool fits(const platform::recordset& rs, int field, const QString& text) {
  return platform::encode_cp1252(text).size() <= rs.field_size(field);
}

// A learner number as a double: a blank or Null field is 0, a number field
// gives its number unrounded (eight digits stay exact), a text field the
// number it starts with.
double learner_number(const platform::Value& v) {
  const QString text = clean_field_value(v);
  if (text.isEmpty()) return 0.0;
  return v.is_text() ? platform::val(text) : v.to_double();
}

// The text a mark is copied as: blank, "A" and "a" as they are stored,
// anything else as "##0.0" of its number.
QString copied_mark(const platform::Value& v) {
  const QString stored = clean_field_value(v);
  const QString trimmed = trim_blanks(stored);
  if (is_uncounted_mark(trimmed)) return stored;
  return mark_text(platform::val(trimmed));
}

void drop_edit(platform::recordset& rs) {
  if (rs.mode() != platform::recordset::edit_mode::none) rs.cancel_update();
}

}  // namespace

int field_position(const platform::recordset& rs, const field_ref& field) {
  if (field.position >= 0) return field.position < rs.field_count() ? field.position : -1;
  if (field.name.isEmpty()) return -1;
  return rs.field_index(field.name);
}

table_step make_backup(const QString& data_folder, const QString& table, const QString& backup) {
  try {
    platform::copy_file(platform::join_win_path(data_folder, table),
                        platform::join_win_path(data_folder, backup), true);
  } catch (const platform::file_error&) {
    return {false, backup_failed_message(backup)};
  }
  return {};
}

sort_result sort_table_by_name(platform::data_control& control, platform::flex_grid& sort_grid,
                               const field_ref& name_field,
                               const std::function<void(int done, int total)>& progress) {
  sort_result result;
  std::vector<std::uint32_t> order;
  try {
    platform::recordset& rs = control.recordset();
    const int name = required_field(rs, name_field);
    const int count = int(rs.record_count());
    sort_grid.clear();
    sort_grid.set_fixed_rows(0);
    sort_grid.set_fixed_cols(0);
    sort_grid.set_cols(2);
    sort_grid.set_rows(count);
    int row = 0;
    for (rs.move_first(); !rs.eof(); rs.move_next(), ++row) {
      sort_grid.set_text_matrix(row, 0, clean_field_value(rs.value(name)));
      sort_grid.set_text_matrix(row, 1, QString::number(rs.record_number()));
    }
    rs.move_first();
    if (count < 2) return result;
    // The whole grid (current row and selection end on one row), keyed on
    // the name column alone.
    sort_grid.set_row(0);
    sort_grid.set_col(0);
    sort_grid.set_col_sel(0);
    sort_grid.sort(platform::sort_order::generic_ascending);
    bool in_order = true;
    order.reserve(std::size_t(count));
    for (row = 0; row < count; ++row) {
      order.push_back(sort_grid.text_matrix(row, 1).toUInt());
      if (row > 0 && order[std::size_t(row)] < order[std::size_t(row) - 1]) in_order = false;
    }
    if (in_order) return result;
  } catch (const platform::dbf_error& e) {
    result.ok = false;
    result.message = e.text();
    return result;
  }

  try {
    const QString path = control.table_path();
    control.close_database();
    platform::reorder_dbf_records(path, order, [&](std::uint32_t placed, std::uint32_t total) {
      if (progress) progress(int(placed), int(total));
    });
    result.rewritten = true;
  } catch (const platform::dbf_error& e) {
    result.ok = false;
    // A table that another program or computer has open is told of in the
    // teacher's language; other failures in the engine's words.
    result.message = e.kind() == platform::dbf_error_kind::in_use
                         ? table_failure_message(control.database_name(), control.record_source(), e)
                         : e.text();
  }
  try {
    control.refresh();
  } catch (const platform::dbf_error& e) {
    if (result.ok) {
      result.ok = false;
      result.message = e.text();
    }
  }
  return result;
}

table_step restore_backup(platform::data_control& control, const QString& data_folder, const QString& table,
                          const QString& backup) {
  const QString from = platform::join_win_path(data_folder, backup);
  if (!platform::file_exists(from)) return {false, no_backup_message(backup)};
  table_step step;
  control.close_database();
  try {
    platform::copy_file(from, platform::join_win_path(data_folder, table), true);
  } catch (const platform::file_error& e) {
    step = {false, e.text()};
  }
  try {
    control.refresh();
  } catch (const platform::dbf_error& e) {
    if (step.ok) step = {false, e.text()};
  }
  return step;
}

table_step write_mark_column(platform::recordset& rs, const field_ref& mark_field,
                             const std::vector<std::optional<QString>>& texts) {
  try {
    const int field = required_field(rs, mark_field);
    // Every text is checked and compared before the first write, so a text
    // that does not fit (or a record that is not there) changes nothing.
    std::vector<platform::recordset::record_change> changed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (!texts[i]) continue;
      if (!fits(rs, field, *texts[i]))
        return {false, mark_does_not_fit_message(*texts[i], rs.field_name(field))};
      if (*texts[i] != clean_field_value(rs.value_at(qint64(i), field)))
        changed.push_back({qint64(i), {{field, platform::Value(*texts[i])}}});
    }
    // All the column at once: a crash or a full disk leaves the table as it
    // was or with every mark, never with some.
    rs.write_records(changed);
  } catch (const platform::dbf_error& e) {
    drop_edit(rs);
    return {false, e.text()};
  }
  return {};
}

copy_result copy_marks(platform::recordset& from, const field_ref& from_number, const field_ref& from_mark,
                       platform::recordset& to, const field_ref& to_number, const field_ref& to_mark) {
  copy_result result;
  try {
    const int from_nr = required_field(from, from_number);
    const int from_mk = required_field(from, from_mark);
    const int to_nr = required_field(to, to_number);
    const int to_mk = required_field(to, to_mark);

    // The first record of each number in `to`.
    std::unordered_map<double, qint64> position_of;
    result.numbers.reserve(std::size_t(to.record_count()));
    for (qint64 i = 0; i < to.record_count(); ++i) {
      result.numbers.push_back(learner_number(to.value_at(i, to_nr)));
      position_of.try_emplace(result.numbers.back(), i);
    }

    // What to copy, checked to fit before the first write.
    struct copied {
      double number;
      QString mark;
    };
    std::vector<copied> marks;
    marks.reserve(std::size_t(from.record_count()));
    for (qint64 i = 0; i < from.record_count(); ++i) {
      const double number = learner_number(from.value_at(i, from_nr));
      if (!(number > 0)) continue;
      marks.push_back({number, copied_mark(from.value_at(i, from_mk))});
      if (!fits(to, to_mk, marks.back().mark)) {
        result.ok = false;
        result.message = mark_does_not_fit_message(marks.back().mark, to.field_name(to_mk));
        return result;
      }
    }

    // Every learner's change, written at once: a crash or a full disk
    // leaves `to` as it was or with every mark, never with some learners
    // copied. A number met again changes the entry of its first meeting.
    std::vector<platform::recordset::record_change> changes;
    std::unordered_map<double, std::size_t> change_of;
    for (const copied& c : marks) {
      // The shared learner number of the record being copied, for whoever
      // reads it; matching uses the exact number.
      g_current_t_nr = float(c.number);
      if (const auto met = change_of.find(c.number); met != change_of.end()) {
        changes[met->second].values.back().second = platform::Value(c.mark);
        ++result.updated;
        continue;
      }
      change_of.emplace(c.number, changes.size());
      if (const auto found = position_of.find(c.number); found != position_of.end()) {
        changes.push_back({found->second, {{to_mk, platform::Value(c.mark)}}});
        ++result.updated;
        continue;
      }
      changes.push_back({-1, {{to_nr, platform::Value(c.number)}, {to_mk, platform::Value(c.mark)}}});
      ++result.added;
    }
    to.write_records(changes);
  } catch (const platform::dbf_error& e) {
    drop_edit(to);
    result.ok = false;
    result.message = e.text();
    result.updated = result.added = 0;  // nothing was written
  }
  return result;
}

}  // namespace km
