#include "datafiles/previous_year_setup.h"

#include "common/folder_path.h"
#include "common/shared_variables.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace km {

std::optional<QString> previous_year_folder(const QString& folder, const QString& year) {
  bool is_number = false;
  const int value = year.trimmed().toInt(&is_number);
  if (!is_number || year.size() < 2) return std::nullopt;
  const QString current_digits = year.right(2);
  const QString previous_digits = QString::number(value - 1).right(2);
  return QString(folder).replace(current_digits, previous_digits, Qt::CaseSensitive);
}

void copy_previous_year_setup(const QString& folder) {
  const std::optional<QString> source = previous_year_folder(folder, g_year);
  if (!source || source->compare(folder, Qt::CaseInsensitive) == 0 || !platform::folder_exists(*source))
    return;
  const QString patterns[] = {QStringLiteral("pi*.*"), QStringLiteral("rt*.*"),
                              QStringLiteral("*.") + g_grade};
  for (const QString& pattern : patterns) {
    for (const QString& name : platform::list_files(*source, pattern)) {
      const QString target = file_in_folder(folder, name);
      try {
        if (platform::file_exists(target) && platform::file_length(target) > 0) continue;
        platform::copy_file(file_in_folder(*source, name), target, true);
      } catch (const platform::file_error&) {
        // This file stays as it was; the set-up's other files still come.
      }
    }
  }
}

}  // namespace km
