#include "platform/dbase/dbf_error.h"

#include <QFileInfo>

namespace km::platform {

int dbf_error_number(dbf_error_kind kind) {
  switch (kind) {
    case dbf_error_kind::not_found:
      return dbf_errno::not_found;
    case dbf_error_kind::unreadable:
      return dbf_errno::unreadable;
    case dbf_error_kind::bad_format:
      return dbf_errno::bad_format;
    case dbf_error_kind::disk_error:
      return dbf_errno::disk_error;
    case dbf_error_kind::read_only:
      return dbf_errno::read_only;
    case dbf_error_kind::in_use:
      return dbf_errno::in_use;
    case dbf_error_kind::null_value:
      return dbf_errno::null_value;
    case dbf_error_kind::other:
      break;
  }
  return dbf_errno::other;
}

dbf_error::dbf_error(dbf_error_kind kind, const QString& reason, int number)
    : platform_error(number != 0 ? number : dbf_error_number(kind), reason), kind_(kind) {}

dbf_file_held_open::dbf_file_held_open(const QString& native_path)
    : dbf_error(dbf_error_kind::in_use,
                QStringLiteral("Cannot replace '%1': another program has it open; nothing was changed")
                    .arg(native_path)),
      file_name_(QFileInfo(native_path).fileName()) {}

}  // namespace km::platform
