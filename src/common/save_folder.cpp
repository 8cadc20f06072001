#include "common/save_folder.h"

#include "common/folder_path.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace km {

namespace {

constexpr int most_earlier_copies = 9999;

// "sb_random.txt", 2 -> "sb_random_2.txt"; a name without extension gets
// the number at its end.
QString numbered_name(const QString& file_name, int n) {
  const qsizetype dot = file_name.lastIndexOf(u'.');
  const QString suffix = QStringLiteral("_") + QString::number(n);
  if (dot <= 0) return file_name + suffix;
  return file_name.left(dot) + suffix + file_name.mid(dot);
}

}  // namespace

QString save_folder_of(const QString& folder) { return file_in_folder(folder, QStringLiteral("save")); }

void keep_earlier_copies(const QString& folder, const QStringList& file_names) {
  using platform::file_error;
  QStringList present;
  for (const QString& name : file_names) {
    if (platform::file_exists(file_in_folder(folder, name))) present << name;
  }
  if (present.isEmpty()) return;
  for (int n = 1; n <= most_earlier_copies; ++n) {
    bool free = true;
    for (const QString& name : file_names) {
      if (platform::file_exists(file_in_folder(folder, numbered_name(name, n)))) free = false;
    }
    if (!free) continue;
    for (const QString& name : present) {
      platform::move_file(file_in_folder(folder, name), file_in_folder(folder, numbered_name(name, n)));
    }
    return;
  }
  throw file_error(file_error::kind::file_already_exists, file_in_folder(folder, present.first()),
                   QStringLiteral("no free name for the earlier copy"));
}

void copy_into_save_folder(const QString& folder, const QString& file_name) {
  using platform::file_error;
  const QString source = file_in_folder(folder, file_name);
  const QString save = save_folder_of(folder);
  if (!platform::folder_exists(save)) platform::create_folder(save);
  keep_earlier_copies(save, {file_name});
  const QString copy = file_in_folder(save, file_name);
  platform::copy_file(source, copy, false);
  if (platform::file_length(copy) != platform::file_length(source)) {
    throw file_error(file_error::kind::other, copy, QStringLiteral("the copy is not complete"));
  }
}

void move_into_save_folder(const QString& folder, const QString& file_name) {
  copy_into_save_folder(folder, file_name);
  platform::delete_file(file_in_folder(folder, file_name), true);
}

void remove_keeping_copy(const QString& folder, const QString& file_name) {
  const QString file = file_in_folder(folder, file_name);
  if (!platform::file_exists(file)) return;
  if (platform::file_length(file) == 0) {
    platform::delete_file(file, true);
    return;
  }
  move_into_save_folder(folder, file_name);
}

}  // namespace km
