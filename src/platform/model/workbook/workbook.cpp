#include <stdexcept>

#include "platform/model/workbook/worksheet_data.h"

namespace km::platform {

workbook::workbook() { add_sheet(); }
workbook::~workbook() = default;

int workbook::sheet_count() const { return int(sheets_.size()); }

worksheet& workbook::add_sheet() { return *sheets_.emplace_back(std::make_unique<worksheet>()); }

worksheet& workbook::sheet(int number) {
  if (number < 1 || number > sheet_count()) throw std::out_of_range("no worksheet of that number");
  return *sheets_[number - 1];
}

const worksheet& workbook::sheet(int number) const {
  if (number < 1 || number > sheet_count()) throw std::out_of_range("no worksheet of that number");
  return *sheets_[number - 1];
}

}  // namespace km::platform
