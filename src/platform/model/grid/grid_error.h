#pragma once
// The run-time errors a grid raises: a cell, row or column index outside
// the grid, a row or column count the grid cannot take, and the removal of
// its last scrolling row.

#include "platform/platform_error.h"

namespace km::platform {

class grid_error : public platform_error {
 public:
  enum class kind {
    subscript_out_of_range,  // 381: a cell, row or column index outside the grid
    invalid_row,             // 30009: current row or selection end outside the grid
    invalid_col,             // 30010: current column or selection end outside the grid
    invalid_value,           // 380: a count or index argument the grid cannot take
    last_row,                // 30015: removing the only row below the fixed rows
  };

  explicit grid_error(kind k);
  kind which() const { return kind_; }

 private:
  kind kind_;
};

}  // namespace km::platform
