#include "platform/platform_error.h"

namespace km::platform {

QString standard_error_text(int number) {
  switch (number) {
    case 5:
      return QStringLiteral("Invalid procedure call or argument");
    case 6:
      return QStringLiteral("Overflow");
    case 13:
      return QStringLiteral("Type mismatch");
    case 52:
      return QStringLiteral("Bad file name or number");
    case 53:
      return QStringLiteral("File not found");
    case 54:
      return QStringLiteral("Bad file mode");
    case 55:
      return QStringLiteral("File already open");
    case 58:
      return QStringLiteral("File already exists");
    case 59:
      return QStringLiteral("Bad record length");
    case 61:
      return QStringLiteral("Disk full");
    case 62:
      return QStringLiteral("Input past end of file");
    case 63:
      return QStringLiteral("Bad record number");
    case 70:
      return QStringLiteral("Permission denied");
    case 75:
      return QStringLiteral("Path/File access error");
    case 76:
      return QStringLiteral("Path not found");
    case 94:
      return QStringLiteral("Invalid use of Null");
    case 380:
      return QStringLiteral("Invalid property value");
    default:
      return QStringLiteral("Application-defined or object-defined error");
  }
}

}  // namespace km::platform
