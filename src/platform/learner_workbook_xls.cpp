// The old binary workbook (.xls), read with libfreexl.
#include <freexl.h>

#include "platform/learner_workbook_parts.h"

namespace km::platform {

std::optional<std::vector<learner_cells>> read_xls_learners(const QString& native_path) {
  const void* handle = nullptr;
  if (freexl_open(native_path.toLocal8Bit().constData(), &handle) != FREEXL_OK) {
    if (handle) freexl_close(handle);
    return std::nullopt;
  }
  std::optional<std::vector<learner_cells>> rows;
  unsigned int row_count = 0;
  unsigned short column_count = 0;
  if (freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
      freexl_worksheet_dimensions(handle, &row_count, &column_count) == FREEXL_OK) {
    rows.emplace();
    const auto cell = [&](unsigned int r, unsigned short c) -> Value {
      FreeXL_CellValue v;
      if (c >= column_count || freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) return Value();
      switch (v.type) {
        case FREEXL_CELL_INT:
          return Value(double(v.value.int_value));
        case FREEXL_CELL_DOUBLE:
          return Value(v.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
          return Value(QString::fromUtf8(v.value.text_value));
        default:
          return Value();
      }
    };
    for (unsigned int r = 1; r < row_count; ++r) rows->push_back({cell(r, 0), cell(r, 1)});
  }
  freexl_close(handle);
  return rows;
}

}  // namespace km::platform
