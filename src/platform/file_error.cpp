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

QString error_description(file_error::kind k) { return standard_error_text(error_number(k)); }

namespace {
QString detailed_text(file_error::kind k, const QString& path, const QString& detail) {
  QString text = error_description(k);
  if (!path.isEmpty()) text += QStringLiteral(": ") + path;
  if (!detail.isEmpty()) text += QStringLiteral(" (") + detail + QLatin1Char(')');
  return text;
}
}  // namespace

file_error::file_error(kind k, const QString& path, const QString& detail)
    : platform_error(error_number(k), error_description(k), detailed_text(k, path, detail)),
      kind_(k),
      path_(path) {}

}  // namespace km::platform
