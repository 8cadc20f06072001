#pragma once
// The workbook an Excel export writes into. The printer-choice window starts
// one for an Excel export, the report header moves it to a fresh worksheet
// per report and fills the heading rows, the grid exporter copies report
// grids into it, and the end of the job saves it. The program installs the
// real workbook through set_workbook_factory; until then, and in tests that
// want nothing written, a null workbook stands in: it counts its worksheets,
// forgets every cell and cannot be saved.

#include <QString>
#include <functional>
#include <memory>

namespace km {

class workbook_sink {
 public:
  virtual ~workbook_sink() = default;

  // Worksheets, numbered from 1; a new workbook has one.
  virtual int sheet_count() const = 0;
  // Adds a worksheet after the last one.
  virtual void add_sheet() = 0;
  // Makes worksheet `number` the current one; a number outside 1 to
  // sheet_count() is refused with std::out_of_range.
  virtual void select_sheet(int number) = 0;
  virtual int current_sheet() const = 0;

  // The text of a cell of the current worksheet; rows and columns from 1.
  virtual void set_cell_text(int row, int column, const QString& text) = 0;
  // The font name of every cell of the current worksheet.
  virtual void set_sheet_font_name(const QString& name) = 0;

  // Writes the workbook to the file (a Windows path, extension included).
  // False, with the reason in `error`, when it could not be written.
  [[nodiscard]] virtual bool save(const QString& win_path, QString& error) = 0;
};

class null_workbook : public workbook_sink {
 public:
  int sheet_count() const override { return sheets_; }
  void add_sheet() override { ++sheets_; }
  void select_sheet(int number) override;
  int current_sheet() const override { return current_; }
  void set_cell_text(int, int, const QString&) override {}
  void set_sheet_font_name(const QString&) override {}
  [[nodiscard]] bool save(const QString& win_path, QString& error) override;

 private:
  int sheets_ = 1;
  int current_ = 1;
};

using workbook_factory = std::function<std::unique_ptr<workbook_sink>()>;

// Installs the maker of new workbooks; an empty factory puts the null
// workbook back.
void set_workbook_factory(workbook_factory factory);
// A new, empty workbook from the installed factory; nullptr (or an
// exception) when the factory could not make one.
std::unique_ptr<workbook_sink> new_workbook();

// The extension exported workbooks are written with.
QString workbook_extension();

}  // namespace km
