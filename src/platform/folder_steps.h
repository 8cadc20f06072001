#pragma once
// Steps on whole folders named by Windows paths: copying a folder with
// everything in it, and renaming a folder. Failures throw file_error.

#include <QString>

#include "platform/file_error.h"

namespace km::platform {

// Copies the folder and all it holds into the destination folder, which is
// created when missing; files already there are overwritten when overwrite
// is set (else file_already_exists). Every file is copied as copy_file
// copies one (written aside, checked, put in place). Throws path_not_found
// when the source folder is missing; a failure part way leaves what was
// copied so far and throws.
void copy_folder(const QString& source, const QString& destination, bool overwrite = true);

// Copies the folder and all it holds to a destination that is not there
// yet, so that the destination only ever appears complete: the copy is made
// under a temporary name beside it (the name followed by ".partial") and
// renamed into place at the end. The copy holds its partial copy while it
// writes it. A failure removes the partial copy and throws; a partial copy
// left by an earlier run that was cut off is removed before the copy
// starts. Throws path_not_found when the source folder is
// missing, file_already_exists when a file or folder of the destination's
// name is there.
void copy_folder_whole(const QString& source, const QString& destination);

// Removes the partial copies (folders named "<name>.partial") that copies
// of copy_folder_whole cut off part way left directly in the folder, with
// all they hold; a partial copy another copy is still writing (it holds
// it) is left alone. Called by the opening of the folder they belong to.
// Failures are passed over.
void remove_partial_copies(const QString& folder);

// Renames (or moves on the same drive) a folder. Throws path_not_found when
// the source folder or the destination's parent is missing,
// file_already_exists when a file or folder of the new name is there, and
// permission_denied when the system refuses.
void rename_folder(const QString& source, const QString& destination);

}  // namespace km::platform
