#include "platform/file_error.h"

namespace km::platform {

int error_number(file_error::kind k) {
  using K = file_error::kind;
  switch (k) {
    case K::file_not_found:
      return 53;
    case K::path_not_found:
      return 76;
    case K::permission_denied:
      return 70;
    case K::bad_file_mode:
      return 54;
    case K::bad_record_number:
      return 63;
    case K::bad_record_length:
      return 59;
    case K::file_already_open:
      return 55;
    case K::input_past_end:
      return 62;
    case K::disk_full:
      return 61;
    case K::bad_file_name:
      return 52;
    case K::file_already_exists:
      return 58;
    case K::other:
      return 75;
  }
  return 75;
}

QString error_description(file_error::kind k) {
  using K = file_error::kind;
  switch (k) {
    case K::file_not_found:
      return QStringLiteral("File not found");
    case K::path_not_found:
      return QStringLiteral("Path not found");
    case K::permission_denied:
      return QStringLiteral("Permission denied");
    case K::bad_file_mode:
      return QStringLiteral("Bad file mode");
    case K::bad_record_number:
      return QStringLiteral("Bad record number");
    case K::bad_record_length:
      return QStringLiteral("Bad record length");
    case K::file_already_open:
      return QStringLiteral("File already open");
    case K::input_past_end:
      return QStringLiteral("Input past end of file");
    case K::disk_full:
      return QStringLiteral("Disk full");
    case K::bad_file_name:
      return QStringLiteral("Bad file name or number");
    case K::file_already_exists:
      return QStringLiteral("File already exists");
    case K::other:
      return QStringLiteral("Path/File access error");
  }
  return QStringLiteral("Path/File access error");
}

namespace {
std::string what_text(file_error::kind k, const QString& path, const QString& detail) {
  QString text = error_description(k);
  if (!path.isEmpty()) text += QStringLiteral(": ") + path;
  if (!detail.isEmpty()) text += QStringLiteral(" (") + detail + QLatin1Char(')');
  return text.toStdString();
}
}  // namespace

file_error::file_error(kind k, const QString& path, const QString& detail)
    : std::runtime_error(what_text(k, path, detail)), kind_(k), path_(path) {}

int file_error::error_number() const { return km::platform::error_number(kind_); }

QString file_error::description() const { return error_description(kind_); }

}  // namespace km::platform
