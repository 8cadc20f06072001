#include "platform/learner_workbook.h"

#include <QFile>

#include "platform/learner_workbook_parts.h"
#include "platform/win_path.h"

namespace km::platform {

std::optional<std::vector<learner_cells>> read_learner_workbook(const QString& win_path) {
  const QString native = to_native_path(win_path);
  QFile file(native);
  if (native.isEmpty() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray start = file.read(8);
  file.close();
  if (start == QByteArray::fromHex("D0CF11E0A1B11AE1")) return read_xls_learners(native);
  if (start.startsWith(QByteArray::fromHex("504B0304"))) return read_xlsx_learners(native);
  return std::nullopt;
}

}  // namespace km::platform
