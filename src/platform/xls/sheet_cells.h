#pragma once
// The cells of columns A and B of the first worksheet of a workbook stream
// (BIFF8, or the BIFF5 of Excel 5 and 95), as the workbook last stored
// them: a formula cell gives the
// result kept with it (a text result comes in the STRING record after the
// formula).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/xls/byte_view.h"

namespace km::platform::xls {

struct sheet_cell {
  enum class kind : std::uint8_t {
    empty,
    number,
    boolean,
    text,
    unreadable  // an error value, a shared string or formula text that is missing, a number that is no number
  };
  kind what = kind::empty;
  double number = 0;       // number; a boolean as 0 or 1
  std::u16string text;     // text
  bool eight_bit = false;  // text holds the bytes of the workbook's code page, one a unit (BIFF5)
};

using sheet_row = std::array<sheet_cell, 2>;

// Rows 1, 2, ... (index 0 is row 1) up to the last that holds a value in
// column A or B; nullopt when the stream is not a BIFF8 or BIFF5 workbook with a
// worksheet, is encrypted, or its globals or first worksheet cannot be
// found or end before their EOF record.
std::optional<std::vector<sheet_row>> first_sheet_columns(bytes workbook);

}  // namespace km::platform::xls
