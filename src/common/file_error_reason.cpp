#include "common/file_error_reason.h"

#include "common/shared_variables.h"

namespace km {

namespace {

QString afrikaans_reason(platform::file_error::kind k) {
  using K = platform::file_error::kind;
  switch (k) {
    case K::file_not_found:
      return QStringLiteral("L\u00EAer nie gevind nie");
    case K::path_not_found:
      return QStringLiteral("Pad nie gevind nie");
    case K::permission_denied:
      return QStringLiteral("Toegang geweier");
    case K::bad_file_mode:
      return QStringLiteral("Verkeerde l\u00EAermodus");
    case K::bad_record_number:
      return QStringLiteral("Verkeerde rekordnommer");
    case K::bad_record_length:
      return QStringLiteral("Verkeerde rekordlengte");
    case K::file_already_open:
      return QStringLiteral("L\u00EAer is reeds oop");
    case K::input_past_end:
      return QStringLiteral("Lees verby die einde van die l\u00EAer");
    case K::disk_full:
      return QStringLiteral("Skyf is vol");
    case K::bad_file_name:
      return QStringLiteral("Verkeerde l\u00EAernaam of -nommer");
    case K::file_already_exists:
      return QStringLiteral("L\u00EAer bestaan reeds");
    case K::other:
      break;
  }
  return QStringLiteral("Pad-/l\u00EAertoegangsfout");
}

}  // namespace

QString file_error_reason(platform::file_error::kind k) {
  return g_language ? afrikaans_reason(k) : platform::error_description(k);
}

QString file_error_reason(const platform::file_error& e) { return file_error_reason(e.which()); }

}  // namespace km
