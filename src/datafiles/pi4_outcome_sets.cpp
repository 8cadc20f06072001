// The outcome sets of the subjects: pi4_su_random.txt built from the
// subject text files su_<code>.txt of the data folder, one record per file,
// and pi4_vh_random.txt, the same records in the wider layout.

#include <QStringList>
#include <functional>
#include <optional>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "datafiles/checked_files.h"
#include "datafiles/code_file_name.h"
#include "datafiles/hand_written_conversions.h"
#include "datafiles/hand_written_layouts.h"
#include "datafiles/temporary_record_file.h"
#include "datafiles/value_groups.h"
#include "platform/file_system.h"
#include "platform/name_case.h"
#include "platform/numbered_files.h"

namespace km {

namespace {

constexpr int subject_group_size = 8;
// Values 5 to 8 of a group are the flags of columns 1, 2, 3 and 5.
constexpr int flag_columns[] = {1, 2, 3, 5};

// The save folder is made before anything else; when it cannot be made the
// text files simply stay where they are.
void make_save_folder(const QString& folder) {
  const QString save = save_folder_of(folder);
  if (!platform::folder_exists(save)) static_cast<void>(platform::ensure_folder(save));
}

// The subject code of a subject text file: its name is su_<code>.txt in any
// case and holds no "_random.txt" in any case. The code is the name before
// its extension in upper case, every "SU_" taken out (su_wisk.txt gives
// WISK). Any other name gives nothing.
std::optional<QString> subject_code_of(const QString& file_name) {
  const QString folded = platform::fold_name_case(file_name);
  if (!folded.startsWith(QLatin1String("SU_")) || !folded.endsWith(QLatin1String(".TXT")) ||
      folded.contains(QLatin1String("_RANDOM.TXT")))
    return std::nullopt;
  const QString stem = file_name.left(file_name.size() - 4);
  if (stem.contains(u'.')) return std::nullopt;
  QString code = upper_case_afrikaans(stem);
  code.remove(QLatin1String("SU_"));
  if (code.isEmpty()) return std::nullopt;
  return code;
}

// A flag value: a Boolean literal or a number. Anything else leaves the
// flag cleared.
void set_flag(platform::record_buffer& record, int row, int column, const platform::Value& value) {
  try {
    record.set_int16("su_flags", value.to_bool() ? -1 : 0, su_flag_element(row, column));
  } catch (const platform::value_error&) {
  }
}

// The record of one subject text file, from a cleared record: the code and
// a row for each group of eight values up to the tenth (later groups are
// read and dropped). Nothing when the file cannot be opened or ends inside
// a group.
std::optional<platform::record_buffer> subject_record(const QString& path, const QString& code) {
  platform::record_buffer record(pi4_su_record);
  record.set_text("su_code", code);
  int row = 0;
  try {
    read_value_groups(path, subject_group_size, g_file_number, [&](const value_group& values) {
      if (++row > su_outcome_rows) return;
      record.set_text("su_text_a", value_text(values[0]), row);
      record.set_text("su_text_b", value_text(values[2]), row);
      for (int k = 0; k < 4; ++k) set_flag(record, row, flag_columns[k], values[4 + k]);
    });
  } catch (const platform::file_error&) {
    return std::nullopt;
  }
  return record;
}

// One subject's outcome set in the wide layout: the code, and rows 1 to 10
// with both texts and flag columns 1 to 5; the rest stays zero bytes.
platform::record_buffer widened(const platform::record_buffer& su) {
  platform::record_buffer vh(pi4_vh_record);
  vh.set_raw("vh_code", su.get_raw("su_code"));
  for (int row = 1; row <= su_outcome_rows; ++row) {
    vh.set_raw("vh_text_a", su.get_raw("su_text_a", row), row);
    vh.set_raw("vh_text_b", su.get_raw("su_text_b", row), row);
    for (int column = 1; column <= outcome_flag_columns; ++column) {
      vh.set_raw("vh_flags", su.get_raw("su_flags", su_flag_element(row, column)),
                 vh_flag_element(row, column));
    }
  }
  return vh;
}

// Each subject text file of the folder that gives a record, in listing
// order, with its name and record.
void for_each_subject_record(
    const QString& folder, const std::function<void(const QString&, const platform::record_buffer&)>& take) {
  for (const QString& name : platform::list_files(folder)) {
    const std::optional<QString> code = subject_code_of(name);
    if (!code) continue;
    const std::optional<platform::record_buffer> record = subject_record(file_in_folder(folder, name), *code);
    if (record) take(name, *record);
  }
}

// Moves the subject text files whose records are written into \save, each
// after its copy there is checked. One that cannot be moved stays in the
// folder, for the next opening to move.
void move_subject_files(const QString& folder, const QStringList& names) {
  for (const QString& name : names) {
    try {
      move_into_save_folder(folder, name);
    } catch (const platform::file_error&) {
    }
  }
}

// Whether the records of a record file, read whole, hold this record.
bool holds_outcome_set(const QByteArray& sets, const QByteArray& record) {
  for (qsizetype at = 0; at + record.size() <= sets.size(); at += record.size()) {
    if (sets.mid(at, record.size()) == record) return true;
  }
  return false;
}

}  // namespace

// A file present before is kept in \save first. The records go into a
// temporary file that is put in place once every subject is written; only
// then do the subject text files move into \save, each after its copy
// there is checked (a stop before they have all gone is finished by
// finish_pi4_su_random at the next opening). A subject file that cannot be
// opened or read gives no record and stays in the folder.
void create_pi4_su_random(const QString& folder) {
  make_save_folder(folder);
  const QString file_name = code_file_name("PI4SU");
  remove_keeping_copy(folder, file_name);
  QStringList written;
  write_record_file(folder, file_name, g_pi4su_file_number, pi4_su_record.length, start_from::nothing, [&] {
    g_pi4su_record_count = 0;
    for_each_subject_record(folder, [&](const QString& name, const platform::record_buffer& record) {
      platform::put_record(g_pi4su_file_number, g_pi4su_record_count + 1, record);
      ++g_pi4su_record_count;
      written << name;
    });
  });
  move_subject_files(folder, written);
}

// The subject text files beside pi4_su_random.txt whose records it holds
// are the sources of a build stopped (or failed) before it had moved them
// all: they go into \save now. A subject file whose record the file does
// not hold (one added since, or one that could not be read) stays.
void finish_pi4_su_random(const QString& folder) {
  QStringList built;
  QByteArray sets;
  try {
    for_each_subject_record(folder, [&](const QString& name, const platform::record_buffer& record) {
      if (sets.isEmpty()) sets = file_bytes(file_in_folder(folder, code_file_name("PI4SU")));
      if (holds_outcome_set(sets, record.bytes())) built << name;
    });
  } catch (const platform::file_error&) {
    return;  // the record file cannot be read: the next opening looks again
  }
  move_subject_files(folder, built);
}

// Every record of pi4_su_random.txt (built first when it is missing) in
// the wide layout, in the same order.
void create_pi4_vh_random(const QString& folder) {
  make_save_folder(folder);
  const QString file_name = code_file_name("PI4VH");
  remove_keeping_copy(folder, file_name);
  if (!platform::file_exists(file_in_folder(folder, code_file_name("PI4SU")))) {
    try {
      create_pi4_su_random(folder);
    } catch (const platform::platform_error&) {
      // A narrow file made before the failure (its subject files not all
      // moved) is widened below; without one there is nothing to widen, and
      // no wide file is made, so that the next opening tries again.
      if (!platform::file_exists(file_in_folder(folder, code_file_name("PI4SU")))) throw;
    }
  }
  // The narrow sets are read whole first: a file that cannot be read makes
  // no wide file at all, rather than an empty one that is never made again.
  const QString narrow = file_in_folder(folder, code_file_name("PI4SU"));
  const QByteArray sets = platform::file_exists(narrow) ? file_bytes(narrow) : QByteArray();
  write_record_file(folder, file_name, g_pi4vh_file_number, pi4_vh_record.length, start_from::nothing, [&] {
    g_pi4vh_record_count = 0;
    for (qsizetype at = 0; at + pi4_su_record.length <= sets.size(); at += pi4_su_record.length) {
      const platform::record_buffer su(pi4_su_record, sets.mid(at, pi4_su_record.length));
      platform::put_record(g_pi4vh_file_number, g_pi4vh_record_count + 1, widened(su));
      ++g_pi4vh_record_count;
    }
  });
}

}  // namespace km
