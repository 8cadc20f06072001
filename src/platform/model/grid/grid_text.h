#pragma once
// How a grid judges the text of a cell.

#include <QString>

namespace km::platform {

// True when the text, blanks around it aside, reads wholly as a number;
// the number goes to *number when given. Such texts sort as numbers in the
// generic order and stand to the right under the general alignment.
bool grid_text_is_number(const QString& text, double* number = nullptr);

}  // namespace km::platform
