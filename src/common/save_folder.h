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

// Moves folder\file_name into folder\save\file_name: the group move of
// one name. Throws platform::file_error when a step fails; the original is
// then still in place.
void move_into_save_folder(const QString& folder, const QString& file_name);

// The same for files that belong together (a table and its memo file):
// of the names given, those in the folder (a missing one is passed over)
// are copied into folder\save under one number for their earlier copies,
// and each copy is compared with its source byte for byte. A copy already
// there with the same bytes is taken as the copy (a move stopped before its
// sources went is finished without a second copy). The group move
// deletes the sources (read-only ones too) only when every copy is
// identical; when anything fails, no source is deleted and the failure is
// thrown as platform::file_error. The copy takes each file's name as it
// stands in the folder.
void copy_group_into_save_folder(const QString& folder, const QStringList& file_names);
void move_group_into_save_folder(const QString& folder, const QStringList& file_names);

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
