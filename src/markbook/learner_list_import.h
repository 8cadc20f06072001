#pragma once
// Filling an empty mark book from the learner list the school keeps as a
// workbook in the data folder, named after the subject and class
// ("AFR_A", tried as it stands, then with ".xls" and ".xlsx").
#include <QString>

#include "platform/dbase/recordset.h"

namespace km {

enum class learner_import_outcome { filled, no_file, unreadable };

struct learner_import_result {
  learner_import_outcome outcome = learner_import_outcome::no_file;
  QString message;  // for an unreadable workbook, or a row of it that cannot be read
  int added = 0;
};

// Rows 2, 3, ... of the workbook until the first whose column A is blank:
// each adds a record with mb_t_nr = the number of column A (unrounded; a
// text reads by its leading number) and mb_name = column B trimmed, cut to
// the field. A missing workbook adds nothing and says nothing; a workbook,
// or a row of the list, that cannot be read adds nothing and is told.
learner_import_result add_learner(platform::recordset& book, const QString& data_folder,
                                  const QString& subject_cell, const QString& class_part);

}  // namespace km
