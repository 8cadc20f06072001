#pragma once
// The check that the drive of a data folder is there. A folder on a network
// drive that has gone away cannot be worked in: the user is told to call
// the network administrator and the program ends.

#include <QString>

namespace km {

// The drive a path names, as the check tests it: its letter with colon
// ("D:") or its server and share ("\\server\share"); "C:" when the path
// names neither (a relative or rooted path, or a blank one).
QString data_drive_of(const QString& path);

// The message shown for a drive that is not available, in the language of
// g_language.
QString drive_unavailable_message(const QString& drive);

// g_data_drive becomes the drive of the path. When that drive is not
// available the message is shown (critical icon, OK) and the program ends
// (platform::program_ended).
void require_data_drive(const QString& path);

}  // namespace km
