#include "markbook/pboek_setup_line.h"

#include <stdexcept>

namespace km {

QString& pboek_setup_line::cell(int column) {
  return const_cast<QString&>(static_cast<const pboek_setup_line&>(*this).cell(column));
}

const QString& pboek_setup_line::cell(int column) const {
  switch (column) {
    case 1:
      return task_project;
    case 2:
      return total;
    case 3:
      return result_row;
    case 4:
      return out_of;
    case 5:
      return cycle_name;
    default:
      throw std::out_of_range("set-up column outside 1..5");
  }
}

}  // namespace km
