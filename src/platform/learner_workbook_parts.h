#pragma once
// The two readers behind read_learner_workbook, one per kind of file.
#include "platform/learner_workbook.h"

namespace km::platform {

std::optional<std::vector<learner_cells>> read_xls_learners(const QString& native_path);
std::optional<std::vector<learner_cells>> read_xlsx_learners(const QString& native_path);

}  // namespace km::platform
