#pragma once
// Reads a saved workbook back with an independent reader, Debian's python3
// with openpyxl, and hands the tests what it found: per worksheet the cells
// (value and its kind, font, alignment, rotation, fill, number format and
// the four borders), the merged ranges, the column widths and the row
// heights.

#include <QJsonObject>
#include <QString>

namespace km::test {

class xlsx_reading {
 public:
  // Reads the file at a native path. ok() is false, with the reader's
  // complaint in error(), when openpyxl could not read it.
  explicit xlsx_reading(const QString& native_path);

  bool ok() const { return ok_; }
  QString error() const { return error_; }
  int sheet_count() const;

  // A cell of a worksheet (1-based), by its address ("C7"); an empty object
  // when the worksheet holds nothing there. Keys: "v" (value), "t" ("n"
  // number, "s" text), "font" {name, size, b, i, u, strike, color}, "h"
  // (horizontal alignment or ""), "rot" (text rotation), "fill" (ARGB or
  // ""), "fmt" (number format), "border" (the sides that have a line, in the
  // order "tblr").
  QJsonObject cell(int sheet, const QString& address) const;
  QString text(int sheet, const QString& address) const;
  QString borders(int sheet, const QString& address) const;
  // The merged ranges ("A6:C6"), sorted.
  QStringList merges(int sheet) const;
  // A column's width and whether it is hidden; its number format.
  double column_width(int sheet, const QString& letters) const;
  bool column_hidden(int sheet, const QString& letters) const;
  QString column_format(int sheet, const QString& letters) const;
  // A row's height in points; 0 when the row has none of its own.
  double row_height(int sheet, int row) const;
  // The last row that holds a cell.
  int max_row(int sheet) const;

 private:
  QJsonObject sheet(int number) const;

  bool ok_ = false;
  QString error_;
  QJsonObject dump_;
};

}  // namespace km::test
