#pragma once
// The record-lock file user_lock_record.txt of the user folder: 140-byte
// records (layout user_lock_record), each naming a user, a lock type and the
// locked item (a folder). The other programs of the suite write the locks;
// this program only releases its own folder lock when it closes every file.

#include <QString>

namespace km {

// Blanks the first lock record of type "L" for the folder held by the
// current user: its lock type is "L", its locked item equals the folder
// (blanks around either ignored, letter case counted) and its user name
// equals get_user_name() (blanks around ignored, letter case not counted).
// Another user's lock is never touched. The record stays in the file as a
// blank record (texts blanks, date and number zero).
//
// False when the folder does not exist (the lock file is not opened); True
// otherwise, whether or not a record was released. The lock file is
// g_user_folder & "\user_lock_record.txt", made empty when missing; a
// failure on it ends the scan, gives its number back and still answers True.
bool release_user_record_locks(const QString& folder);

// Makes close-all release this user's lock on the data folder. The
// application and the tests call it at start.
void install_record_lock_hook();

}  // namespace km
