#pragma once
// The registry as the program uses it: named values under keys, given as
// one path ("HKLM\SOFTWARE\...\Policies\System\EnableLinkedConnections":
// the hive, the key, and the value's name last). This system has no
// registry, so the values live in an INI file on the machine's C: drive,
// "C:\Windows\registry.ini" (through the drive map, so a test's drives carry
// their own registry):
//
//   [HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced]
//   Hidden=dword:00000002
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion]
//   ProductName="Windows 10 Pro"
//
// Keys and names match without regard to letter case, as in the registry.
// A value the file does not hold may come from the running system: the
// operating system's product name. Anything else reads as missing.

#include <QString>
#include <optional>

#include "platform/platform_error.h"
#include "platform/value.h"

namespace km::platform {

// A registry step that failed: a path outside the known hives (5, "Invalid
// procedure call or argument"), a DWORD value that is no number (13, "Type
// mismatch"), or a file that could not be written (75, "Path/File access
// error"). what() names the path concerned.
class registry_error : public platform_error {
 public:
  enum class kind { invalid_path, not_a_number, not_written };
  registry_error(kind k, const QString& detail);
};

enum class registry_type { sz, dword };

// The value at the path: text for REG_SZ, a 32-bit integer for REG_DWORD;
// nothing when it is missing or the path names no known hive.
std::optional<Value> registry_read(const QString& value_path);

// Writes the value (a REG_DWORD takes the value's whole number, which must
// fit 32 bits, signed or unsigned). Throws registry_error when the path is
// invalid, the value is no number or the file cannot be written, and
// value_error (overflow) for a number a REG_DWORD cannot hold.
void registry_write(const QString& value_path, const Value& value, registry_type type);

// Where the values are kept, as a Windows path; "" puts back the default,
// "C:\Windows\registry.ini".
void set_registry_file(const QString& win_path);
QString registry_file();

}  // namespace km::platform
