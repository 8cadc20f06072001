#pragma once
// The one way every mark-book window finds a combination's set-up file.
// The windows of the suite have built the key of setup_<key>.txt in several
// ways over the years (grade trimmed or not, blanks of the subject cell as
// "_" or kept, "_" dropped); the finder tries each of those names in a fixed
// order and takes the first the data folder holds, under any letter case.
#include <QString>
#include <QStringList>

#include "common/combination_cells.h"

namespace km {

// The keys to try for a subject-grid row (its nine cells: grade, subject,
// total, class, second class, class used when the class is blank, ...), in
// order and without repeats. Every "/" becomes "_", so no name makes a
// sub-folder.
QStringList setup_candidate_keys(const QStringList& subject_cells);

struct setup_file_found {
  // The key whose file exists, or the key a new set-up is saved under.
  QString key;
  // data folder & "\setup_" & key & ".txt"
  QString win_path;
  bool exists = false;
};

setup_file_found find_setup_file(const QString& data_folder, const QStringList& subject_cells);

// The file name of a key: "setup_" & key & ".txt".
QString setup_file_name(const QString& key);

}  // namespace km
