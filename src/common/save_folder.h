#pragma once
// Keeping a file aside before it leaves a data folder: the file goes into
// the folder's "save" folder, and the original is removed only once the
// copy there is complete.

#include <QString>

namespace km {

// The folder's "\save" folder (folder & "\save").
QString save_folder_of(const QString& folder);

// Moves folder\file_name into folder\save\file_name (the save folder is
// created when missing; an older copy there is replaced). The original is
// deleted only after its copy has been made and found to be of the same
// length. Throws platform::file_error when a step fails; the original is
// then still in place.
void move_into_save_folder(const QString& folder, const QString& file_name);

// Takes folder\file_name out of the folder: an empty file is deleted, a file
// that holds anything is moved into the save folder as above. Nothing is
// done when the file is not there.
void remove_keeping_copy(const QString& folder, const QString& file_name);

}  // namespace km
