#include "common/save_folder.h"

#include "common/folder_path.h"
#include "platform/file_error.h"
#include "platform/file_system.h"

namespace km {

QString save_folder_of(const QString& folder) { return file_in_folder(folder, QStringLiteral("save")); }

void move_into_save_folder(const QString& folder, const QString& file_name) {
  using platform::file_error;
  const QString source = file_in_folder(folder, file_name);
  const QString save = save_folder_of(folder);
  if (!platform::folder_exists(save)) platform::create_folder(save);
  const QString copy = file_in_folder(save, file_name);
  platform::copy_file(source, copy, true);
  if (platform::file_length(copy) != platform::file_length(source)) {
    throw file_error(file_error::kind::other, copy, QStringLiteral("the copy is not complete"));
  }
  platform::delete_file(source, true);
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
