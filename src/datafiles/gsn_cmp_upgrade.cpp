#include "datafiles/gsn_cmp_upgrade.h"

#include <QByteArray>
#include <cmath>

#include "common/file_number_pool.h"
#include "common/folder_path.h"
#include "common/save_folder.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "datafiles/checked_files.h"
#include "datafiles/gsn_cmp_layouts.h"
#include "datafiles/layout_upgrades.h"
#include "platform/file_system.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr std::int16_t most_family_members = 10;
constexpr int last_array_element = 10;

// The day of a stored date value, or the zero date for anything that is not
// one.
double date_kept_to_its_day(double stored) {
  if (!std::isfinite(stored)) return 0.0;
  try {
    return parse_date(format_date(platform::Value::date(stored)));
  } catch (const std::exception&) {
    return 0.0;
  }
}

}  // namespace

void carry_gsn_cmp_record(const platform::record_buffer& old_record, platform::record_buffer& new_record) {
  for (const platform::field_def& field : new_record.layout().fields) {
    const std::string_view name = field.name;
    if (name == "F39" || platform::find_field(old_record.layout(), name) == nullptr) continue;
    if (name == "F58") {
      new_record.set_int16(
          "F58", static_cast<std::int16_t>(get_min_value(platform::Value::int16(old_record.get_int16("F58")),
                                                         most_family_members)));
    } else if (field.count == 1) {
      new_record.set_raw(name, old_record.get_raw(name));
    } else if (field.kind == platform::field_kind::date) {
      for (int i = 1; i <= last_array_element; ++i)
        new_record.set_double(name, date_kept_to_its_day(old_record.get_double(name, i)), i);
    } else {
      for (int i = 1; i <= last_array_element; ++i) new_record.set_raw(name, old_record.get_raw(name, i), i);
    }
  }
}

void convert_gsn_cmp_random(const QString& folder) {
  const QString first_marker = file_in_folder(folder, QStringLiteral("gsncmp_convert.2016"));
  const QString second_marker = file_in_folder(folder, QStringLiteral("gsncmp_convert2.2016"));
  if (platform::file_exists(second_marker)) {
    if (!platform::file_exists(first_marker)) write_date_marker(first_marker);
    return;
  }
  const bool second_pass = platform::file_exists(first_marker);
  const platform::record_layout& old_layout = second_pass ? gsn_cmp_2090_record : gsn_cmp_2046_record;
  const platform::record_layout& new_layout = second_pass ? gsn_cmp_record : gsn_cmp_2090_record;
  const QString& marker = second_pass ? second_marker : first_marker;

  close_file(g_gsn_file_number);
  const QString name = QStringLiteral("Gsn_Cmp_random.txt");
  const QString current = file_in_folder(folder, name);
  if (!platform::file_exists(current)) {
    write_date_marker(marker);
    return;
  }
  const qint64 length = platform::file_length(current);
  const layout_of_file layout = layout_by_length(length, old_layout.length, new_layout.length);
  if (layout == layout_of_file::damaged) return;
  // An empty file has nothing to rebuild, and an empty copy must never
  // replace the last copy of the families in gsn_cmp_random.old.
  // The old bytes are kept in gsn_cmp_random.old before the new file takes
  // their place; a pass stopped after that, before its marker, left the
  // rebuild of that copy in place, whatever the length says.
  const QString old_copy = file_in_folder(folder, QStringLiteral("gsn_cmp_random.old"));
  if (layout == layout_of_file::old_layout && length > 0 &&
      !rebuilt_from(current, old_copy, old_layout, new_layout, &carry_gsn_cmp_record)) {
    if (!second_pass) copy_group_into_save_folder(folder, {name});
    const QString work = file_in_folder(folder, QStringLiteral("gsn_cmp_random.new"));
    copy_checked(current, old_copy);
    write_in_new_layout(current, work, old_layout, new_layout, &carry_gsn_cmp_record);
    put_in_place(work, current);
    try {
      write_date_marker(marker);
    } catch (const platform::file_error&) {
      // Nothing is changed when the pass is not marked done: the old bytes
      // take their name back, and the next opening makes the pass again.
      try {
        platform::replace_file(old_copy, current);
      } catch (const platform::file_error&) {
        // The rebuilt file stays; the next opening knows it by its bytes.
      }
      throw;
    }
  } else {
    write_date_marker(marker);
  }
  if (second_pass)
    g_gsn_record_count = static_cast<std::int32_t>(platform::file_length(current) / gsn_cmp_record.length);
}

}  // namespace km
