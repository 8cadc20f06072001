#pragma once
// The failure of a file step: a missing file or folder, a refused access,
// a statement that does not suit the mode a file was opened in, and so on.
// Every file routine of the platform layer throws this one type; callers
// choose per step whether to skip, stop or report it.

#include <QString>

#include "platform/platform_error.h"

namespace km::platform {

// number() and text() are the kind's error number and short English
// description (53, "File not found"); what() adds the path and detail.
class file_error : public platform_error {
 public:
  enum class kind {
    file_not_found,       // 53
    path_not_found,       // 76: folder missing, drive not mapped
    permission_denied,    // 70: read-only file, folder in the way, copy onto itself
    bad_file_mode,        // 54: statement does not suit the open mode
    bad_record_number,    // 63: record or byte position below 1
    bad_record_length,    // 59: record longer than the record length
    file_already_open,    // 55
    input_past_end,       // 62
    disk_full,            // 61
    bad_file_name,        // 52: invalid characters, or a number outside 1..511 or not open
    file_already_exists,  // 58
    other                 // 75: any other failure of the file system
  };

  file_error(kind k, const QString& path, const QString& detail = {});

  kind which() const { return kind_; }
  // The Windows path the step was given ("" when none).
  const QString& path() const { return path_; }

 private:
  kind kind_;
  QString path_;
};

// Error number and description of a kind, for messages that show them.
int error_number(file_error::kind k);
QString error_description(file_error::kind k);

}  // namespace km::platform
