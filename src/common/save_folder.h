#pragma once
// Keeping a file aside before it leaves a data folder: the file goes into
// the folder's "save" folder, and the original is removed only once the
// copy there is complete. A copy kept aside earlier under the same name is
// never replaced: it is renamed first (see keep_earlier_copies).

#include <QString>
#include <QStringList>

namespace km {

// The folder's "\save" folder (folder & "\save").
QString save_folder_of(const QString& folder);

// Copies folder\file_name into folder\save\file_name (the save folder is
// created when missing; an older copy there is kept under a numbered name)
// and checks that the copy is of the same length. Throws
// platform::file_error when a step fails.
void copy_into_save_folder(const QString& folder, const QString& file_name);

// Moves folder\file_name into folder\save\file_name (the save folder is
// created when missing; an older copy there is kept under a numbered name).
// The original is deleted only after its copy has been made and found to be
// of the same length. Throws platform::file_error when a step fails; the
// original is then still in place.
void move_into_save_folder(const QString& folder, const QString& file_name);

// Takes folder\file_name out of the folder: an empty file is deleted, a file
// that holds anything is moved into the save folder as above. Nothing is
// done when the file is not there.
void remove_keeping_copy(const QString& folder, const QString& file_name);

// Makes room in a folder of kept copies for new copies of these names:
// each one present is renamed to "<name>_<n>.<extension>" ("sb_random.txt"
// becomes "sb_random_1.txt"), with the first n that is free for all of them,
// so that files kept together (a table and its memo file) keep one number.
// Throws platform::file_error when a rename fails or no number is free.
void keep_earlier_copies(const QString& folder, const QStringList& file_names);

}  // namespace km
