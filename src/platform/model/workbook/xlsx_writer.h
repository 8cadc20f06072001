#pragma once
// Writes worksheets as one .xlsx file with libxlsxwriter.

#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/model/workbook/workbook.h"

namespace km::platform {

// Writes the sheets, in order, to the native path (the file is made or
// replaced in place). False with the writer's reason in `error` when any
// step failed; what was written of the file is then of no use.
[[nodiscard]] bool write_xlsx(const std::vector<const worksheet*>& sheets, const QByteArray& native_path,
                              QString& error);

}  // namespace km::platform
