#pragma once
// The file formats of one workbook being written: one libxlsxwriter format
// per distinct look (font, alignment, rotation, fill, edges, number format),
// made the first time a cell needs it and shared by every cell after that.
// A report of thousands of cells thus carries a handful of formats, and a
// cell costs one look-up in a small table.

#include <xlsxwriter.h>

#include <QHash>
#include <QString>
#include <vector>

#include "platform/model/workbook/worksheet_data.h"

namespace km::platform {

class xlsx_format_cache {
 public:
  explicit xlsx_format_cache(lxw_workbook* book) : book_(book) {}

  // Starts a worksheet: its styles, font name and column number formats.
  void begin_sheet(const worksheet_data& sheet);
  // The format of a cell of the sheet in the column; nullptr for the
  // workbook's default look.
  lxw_format* cell_format(int style, int column);
  // The format of a whole column (its number format); nullptr when none.
  lxw_format* column_format(int column);

 private:
  struct look {
    cell_style style;  // font name resolved
    QString number_format;
    bool operator==(const look&) const = default;
  };
  friend size_t qHash(const look& l, size_t seed) { return qHashMulti(seed, l.style, l.number_format); }

  lxw_format* format_for(const look& l);
  lxw_format* make_format(const look& l);

  lxw_workbook* book_;
  QHash<look, lxw_format*> formats_;
  // For the sheet being written: the number formats met (0 is none), each
  // column's one, and the format of each style under each of them.
  const worksheet_data* sheet_ = nullptr;
  QStringList number_formats_;
  std::vector<int> column_slot_;
  std::vector<std::vector<lxw_format*>> by_slot_;
  std::vector<std::vector<bool>> known_;
};

}  // namespace km::platform
