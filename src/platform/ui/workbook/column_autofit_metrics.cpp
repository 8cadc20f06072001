#include "platform/ui/workbook/worksheet_data.h"

namespace km::platform {

void worksheet::autofit_columns(int, int) {}
void worksheet::autofit_row(int) {}

}  // namespace km::platform
