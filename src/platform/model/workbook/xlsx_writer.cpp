#include "platform/model/workbook/xlsx_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/model/workbook/merge_index.h"
#include "platform/model/workbook/xlsx_format_cache.h"
#include "platform/number_locale.h"
#include "platform/value.h"

namespace km::platform {

namespace {

// The first failure of the writer's calls is kept; later calls are still
// made (they fail alike or do no harm) so the code reads straight.
struct outcome {
  lxw_error first = LXW_NO_ERROR;
  void operator+=(lxw_error e) {
    if (first == LXW_NO_ERROR) first = e;
  }
};

void write_columns(lxw_worksheet* ws, const worksheet_data& d, xlsx_format_cache& formats, outcome& out) {
  for (size_t i = 0; i < d.columns.size(); ++i) {
    const sheet_column& c = d.columns[i];
    if (c.width < 0 && c.number_format.isEmpty()) continue;
    const double width = c.width < 0 ? default_column_width : c.width;
    lxw_row_col_options options{};
    options.hidden = width == 0;
    out += worksheet_set_column_opt(ws, lxw_col_t(i), lxw_col_t(i), width, formats.column_format(int(i) + 1),
                                    &options);
  }
}

void write_rows(lxw_worksheet* ws, const worksheet_data& d, outcome& out) {
  for (size_t r = 0; r < d.rows.size(); ++r) {
    const double height = d.rows[r].height;
    if (height < 0) continue;
    lxw_row_col_options options{};
    options.hidden = height == 0;
    out += worksheet_set_row_opt(ws, lxw_row_t(r), height, nullptr, &options);
  }
}

void write_merges(lxw_worksheet* ws, const std::vector<cell_range>& merges, outcome& out) {
  for (const cell_range& m : merges)
    if (!m.single_cell())
      out += worksheet_merge_range(ws, lxw_row_t(m.first_row - 1), lxw_col_t(m.first_column - 1),
                                   lxw_row_t(m.last_row - 1), lxw_col_t(m.last_column - 1), "", nullptr);
}

void write_cells(lxw_worksheet* ws, const worksheet_data& d, const merge_index& merged,
                 xlsx_format_cache& formats, outcome& out) {
  for (size_t r = 0; r < d.rows.size(); ++r) {
    const int row = int(r) + 1;
    const std::vector<sheet_cell>& cells = d.rows[r].cells;
    for (size_t c = 0; c < cells.size(); ++c) {
      const sheet_cell& cell = cells[c];
      if (!cell.present()) continue;
      const int column = int(c) + 1;
      lxw_format* format = formats.cell_format(cell.style, column);
      const bool valued = !merged.covered(row, column);
      const lxw_row_t fr = lxw_row_t(r);
      const lxw_col_t fc = lxw_col_t(c);
      if (valued && cell.kind == cell_kind::number && std::isfinite(cell.number))
        out += worksheet_write_number(ws, fr, fc, cell.number, format);
      else if (valued && cell.kind == cell_kind::number)  // the file holds no infinity: its text then
        out += worksheet_write_string(ws, fr, fc, number_text(cell.number).toUtf8().constData(), format);
      else if (valued && cell.kind == cell_kind::text)
        out += worksheet_write_string(ws, fr, fc, cell.text.toUtf8().constData(), format);
      else if (format)
        out += worksheet_write_blank(ws, fr, fc, format);
    }
  }
}

}  // namespace

bool write_xlsx(const std::vector<const worksheet*>& sheets, const QByteArray& native_path, QString& error) {
  // The writer formats numbers, widths and heights with the C library: "."
  // must be the decimal point whatever locale the process has.
  const c_numbers_in_this_thread c_numbers;
  lxw_workbook_options options{};
  lxw_workbook* book = workbook_new_opt(native_path.constData(), &options);
  if (!book) {
    error = QStringLiteral("The workbook could not be started (out of memory).");
    return false;
  }
  xlsx_format_cache formats(book);
  outcome out;
  for (const worksheet* sheet : sheets) {
    const worksheet_data& d = sheet->data();
    lxw_worksheet* ws = workbook_add_worksheet(book, nullptr);
    if (!ws) {
      out += LXW_ERROR_MEMORY_MALLOC_FAILED;
      break;
    }
    formats.begin_sheet(d);
    const std::vector<cell_range> merges = sheet->merges();
    write_columns(ws, d, formats, out);
    write_rows(ws, d, out);
    write_merges(ws, merges, out);
    write_cells(ws, d, merge_index(merges), formats, out);
  }
  errno = 0;
  const lxw_error closed = workbook_close(book);  // frees the workbook whatever the outcome
  const int close_errno = errno;
  out += closed;
  if (out.first == LXW_NO_ERROR) return true;
  error = QString::fromUtf8(lxw_strerror(out.first));
  if (closed != LXW_NO_ERROR && close_errno != 0)
    error += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(close_errno)) + u')';
  return false;
}

}  // namespace km::platform
