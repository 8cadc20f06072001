#include "common/save_folder.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include "common/folder_path.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

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

// The whole content of a file; a file that cannot be read is an error.
QByteArray file_bytes(const QString& win_path) {
  QFile file(platform::to_native_path(win_path));
  if (!file.open(QIODevice::ReadOnly))
    throw platform::file_error(platform::file_error::kind::permission_denied, win_path, file.errorString());
  return file.readAll();
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

void copy_group_into_save_folder(const QString& folder, const QStringList& file_names) {
  using platform::file_error;
  // Each name as the folder spells it, for those that are there.
  QStringList present;
  for (const QString& name : file_names) {
    const QString file = file_in_folder(folder, name);
    if (!platform::file_exists(file)) continue;
    const QString native = platform::to_native_path(file);
    present << (native.isEmpty() ? name : QFileInfo(native).fileName());
  }
  if (present.isEmpty()) return;
  const QString save = save_folder_of(folder);
  if (!platform::folder_exists(save)) platform::create_folder(save);
  // A copy there already with the same bytes (a move that was stopped
  // before its sources went) is the copy: it is neither kept aside again
  // nor copied again.
  QStringList to_copy;
  for (const QString& name : present) {
    const QString copy = file_in_folder(save, name);
    if (!platform::file_exists(copy) || file_bytes(copy) != file_bytes(file_in_folder(folder, name)))
      to_copy << name;
  }
  keep_earlier_copies(save, to_copy);
  for (const QString& name : to_copy) {
    const QString source = file_in_folder(folder, name);
    const QString copy = file_in_folder(save, name);
    platform::copy_file(source, copy, false);
    if (file_bytes(copy) != file_bytes(source))
      throw file_error(file_error::kind::other, copy, QStringLiteral("the copy differs from its source"));
  }
}

void move_group_into_save_folder(const QString& folder, const QStringList& file_names) {
  copy_group_into_save_folder(folder, file_names);
  for (const QString& name : file_names) {
    const QString file = file_in_folder(folder, name);
    if (platform::file_exists(file)) platform::delete_file(file, true);
  }
}

void move_into_save_folder(const QString& folder, const QString& file_name) {
  move_group_into_save_folder(folder, {file_name});
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
