// The Excel export of report grids, read back from the saved file with
// openpyxl: the table's place, hidden rows and columns, fonts, alignment,
// rotated headings, merges, borders, fills, number formats and the column
// letters; opening and saving an export and what the user is told.
#include "printing/excel_export.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/file_system.h"
#include "platform/model/grid/flex_grid.h"
#include "printing/print_job_end.h"
#include "printing/report_header.h"
#include "printing_fixture.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::flex_grid;
using platform::grid_alignment;
using platform::msg_icon;

const QString excel_title = QStringLiteral("FOLDER ADDRESS FOR EXCEL EXPORT");
constexpr int hidden = 0;

class excel_export_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    drives.make_native_folder(QStringLiteral("D/Export"));
  }

  // An export open on D:\Export\<name>, as the printer choice leaves it.
  void open_export(const QString& name = QStringLiteral("Report")) {
    g_export_excel = true;
    g_excel_workbook = std::make_unique<platform::workbook>();
    g_excel_folder = QStringLiteral("D:\\Export\\");
    g_excel_file_name = name;
  }
  QString native_target(const QString& name = QStringLiteral("Report")) const {
    return drives.native_drive('D') + QStringLiteral("/Export/") + name + QStringLiteral(".xlsx");
  }
  // Saves the open export and reads the file back.
  xlsx_reading save_and_read() {
    const QString name = g_excel_file_name;
    EXPECT_TRUE(save_excel_export());
    xlsx_reading book(native_target(name));
    EXPECT_TRUE(book.ok()) << book.error().toStdString();
    return book;
  }
  // The horizontal rule between a row and the next one, in a column.
  static bool rule_below(const xlsx_reading& book, const QString& column, int row) {
    return book.borders(1, column + QString::number(row)).contains(u'b') ||
           book.borders(1, column + QString::number(row + 1)).contains(u't');
  }
};

// A report grid: two heading rows (a merged band over the marks and rotated
// term headings), a hidden column D, and 14 body rows of which two are
// hidden.
struct report_grid {
  report_grid() {
    grid.set_cols(5);
    grid.set_rows(16);
    grid.set_fixed_rows(2);
    grid.set_fixed_cols(0);
    grid.set_col_width(3, hidden);
    grid.set_merge_cells(platform::merge_mode::free);
    grid.set_merge_row(0, true);
    const char* const band[] = {"X", "X", "X", "SECRET", "ID"};
    const char* const heads[] = {"Name", "~~R~~TERM 1", " ~~R~~TERM 2 ", "", "ID number"};
    for (int c = 0; c < 5; ++c) {
      grid.set_text_matrix(0, c, QString::fromLatin1(band[c]));
      grid.set_text_matrix(1, c, QString::fromLatin1(heads[c]));
    }
    for (int r = 2; r < 16; ++r) {
      grid.set_text_matrix(r, 0, QStringLiteral("Learner %1").arg(r - 1));
      grid.set_text_matrix(r, 1, QString::number(40 + r));
      grid.set_text_matrix(r, 2, QString::number(50 + r));
      grid.set_text_matrix(r, 3, QStringLiteral("SECRET"));
      grid.set_text_matrix(r, 4, QStringLiteral("0%1").arg(r));
    }
    for (const int r : {4, 9}) {
      grid.set_text_matrix(r, 0, QStringLiteral("HIDDEN"));
      grid.set_row_height(r, 0);
    }
  }
  flex_grid grid;
};

TEST_F(excel_export_test, column_letters_run_to_the_last_worksheet_column) {
  const struct {
    int column;
    const char* letters;
  } cases[] = {{1, "A"},     {26, "Z"},    {27, "AA"},   {52, "AZ"},     {53, "BA"},  {702, "ZZ"},
               {703, "AAA"}, {728, "AAZ"}, {729, "ABA"}, {16384, "XFD"}, {16385, ""}, {0, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(get_excel_column_letters(c.column), QString::fromLatin1(c.letters)) << c.column;
}

TEST_F(excel_export_test, a_report_grid_goes_below_the_heading_without_its_hidden_rows) {
  open_export();
  QString title = QStringLiteral("CLASS LIST");
  print_report_header(title);
  report_grid report;
  int heading_rows = 2;
  copy_flexgrid_to_excel_sheet(report.grid, heading_rows, 5, false);
  // 2 heading rows and 12 shown body rows from row 6 on; the next row is 20.
  EXPECT_EQ(g_excel_row, 20);
  const xlsx_reading book = save_and_read();

  EXPECT_EQ(book.text(1, QStringLiteral("C3")), QStringLiteral("CLASS LIST"));
  EXPECT_EQ(book.text(1, QStringLiteral("A4")), QString());
  EXPECT_EQ(book.text(1, QStringLiteral("A7")), QStringLiteral("Name"));
  // Body rows follow one another with the hidden ones left out.
  const int learners[] = {1, 2, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(book.text(1, QStringLiteral("A%1").arg(8 + i)), QStringLiteral("Learner %1").arg(learners[i]));
  EXPECT_EQ(book.text(1, QStringLiteral("A20")), QString());
  EXPECT_EQ(book.max_row(1), 20);
  // The hidden column is there with width 0 and none of its texts.
  EXPECT_TRUE(book.column_hidden(1, QStringLiteral("D")));
  EXPECT_EQ(book.column_width(1, QStringLiteral("D")), 0.0);
  EXPECT_EQ(book.text(1, QStringLiteral("D8")), QString());
  EXPECT_GT(book.column_width(1, QStringLiteral("A")), 0);
  EXPECT_FALSE(book.column_hidden(1, QStringLiteral("E")));
}

TEST_F(excel_export_test, rotated_headings_merged_bands_and_the_grey_heading_band) {
  open_export();
  report_grid report;
  int heading_rows = 2;
  copy_flexgrid_to_excel_sheet(report.grid, heading_rows, 5, false);
  const xlsx_reading book = save_and_read();

  for (const char* address : {"B7", "C7"}) {
    SCOPED_TRACE(address);
    const QJsonObject cell = book.cell(1, QString::fromLatin1(address));
    EXPECT_EQ(cell[QStringLiteral("rot")].toInt(), 90);
    EXPECT_EQ(cell[QStringLiteral("h")].toString(), QStringLiteral("center"));
  }
  EXPECT_EQ(book.text(1, QStringLiteral("B7")), QStringLiteral("TERM 1"));
  EXPECT_EQ(book.text(1, QStringLiteral("C7")), QStringLiteral("TERM 2"));
  // The row of rotated headings is as high as its longest turned text.
  EXPECT_GT(book.row_height(1, 7), 20.0);

  // X X X: the pairs 1-2 and 2-3 joined into one range; the hidden column
  // takes no part.
  EXPECT_EQ(book.merges(1), QStringList{QStringLiteral("A6:C6")});
  EXPECT_EQ(book.cell(1, QStringLiteral("A6"))[QStringLiteral("h")].toString(), QStringLiteral("center"));

  const QString grey = QStringLiteral("FFF7F7F7");
  for (const char* address : {"A6", "E6", "A7", "E7"})
    EXPECT_EQ(book.cell(1, QString::fromLatin1(address))[QStringLiteral("fill")].toString(), grey) << address;
  EXPECT_EQ(book.cell(1, QStringLiteral("A8"))[QStringLiteral("fill")].toString(), QString());
  // No rule inside the heading band; one below it.
  EXPECT_FALSE(rule_below(book, QStringLiteral("A"), 6));
  EXPECT_TRUE(rule_below(book, QStringLiteral("A"), 7));
}

TEST_F(excel_export_test, rules_stay_only_between_row_groups_down_to_the_row_below_the_table) {
  open_export();
  report_grid report;
  int heading_rows = 2;
  copy_flexgrid_to_excel_sheet(report.grid, heading_rows, 5, false);
  const xlsx_reading book = save_and_read();

  for (int row = 8; row < 20; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(rule_below(book, QStringLiteral("B"), row), row == 12 || row == 17);
  }
  // Every table row and the row below the table have their side lines; the
  // row below is closed at the bottom.
  for (int row = 6; row <= 20; ++row) {
    SCOPED_TRACE(row);
    EXPECT_TRUE(book.borders(1, QStringLiteral("A%1").arg(row)).contains(u'l'));
    EXPECT_TRUE(book.borders(1, QStringLiteral("E%1").arg(row)).contains(u'r'));
  }
  EXPECT_TRUE(rule_below(book, QStringLiteral("C"), 20));
  EXPECT_EQ(book.borders(1, QStringLiteral("A21")), QString());
  EXPECT_EQ(book.borders(1, QStringLiteral("F10")), QString());
}

TEST_F(excel_export_test, a_group_size_below_one_rules_every_row) {
  open_export();
  flex_grid grid;
  grid.set_cols(2);
  grid.set_rows(4);
  for (int r = 0; r < 4; ++r) grid.set_text_matrix(r, 0, QString::number(r));
  int heading_rows = 1;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 0, false);
  const xlsx_reading book = save_and_read();
  for (int row = 6; row <= 9; ++row) EXPECT_TRUE(rule_below(book, QStringLiteral("A"), row)) << row;
}

TEST_F(excel_export_test, cell_fonts_colours_and_sizes_are_kept_with_eight_points_at_least) {
  open_export();
  flex_grid grid;
  grid.set_font_name(QStringLiteral("Tahoma"));
  grid.set_cols(3);
  grid.set_rows(2);
  grid.set_text_matrix(0, 0, QStringLiteral("small"));
  grid.set_text_matrix(0, 1, QStringLiteral("plain"));
  grid.set_text_matrix(0, 2, QStringLiteral("styled"));
  grid.set_row(0);
  grid.set_col(0);
  grid.set_cell_font_size(6);
  grid.set_col(1);
  grid.set_cell_font_size(10);
  grid.set_col(2);
  grid.set_cell_font_name(QStringLiteral("Courier New"));
  grid.set_cell_font_size(12);
  grid.set_cell_font_bold(true);
  grid.set_cell_font_italic(true);
  grid.set_cell_font_underline(true);
  grid.set_cell_font_strikethrough(true);
  grid.set_cell_fore_color(flex_grid::rgb(255, 0, 0));
  int heading_rows = 0;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
  EXPECT_EQ(g_excel_workbook->sheet(1).font_name(), QStringLiteral("Tahoma"));
  const xlsx_reading book = save_and_read();

  const auto font = [&](const char* address) {
    return book.cell(1, QString::fromLatin1(address))[QStringLiteral("font")].toObject();
  };
  EXPECT_EQ(font("A6")[QStringLiteral("size")].toDouble(), 8.0);
  EXPECT_EQ(font("B6")[QStringLiteral("size")].toDouble(), 10.0);
  // Named by the font every platform shows alike (Tahoma's place is taken
  // by Arial, whose twin the heights were measured in).
  EXPECT_EQ(font("B6")[QStringLiteral("name")].toString(), QStringLiteral("Arial"));
  EXPECT_FALSE(font("B6")[QStringLiteral("b")].toBool());
  const QJsonObject styled = font("C6");
  EXPECT_EQ(styled[QStringLiteral("name")].toString(), QStringLiteral("Courier New"));
  EXPECT_EQ(styled[QStringLiteral("size")].toDouble(), 12.0);
  EXPECT_TRUE(styled[QStringLiteral("b")].toBool());
  EXPECT_TRUE(styled[QStringLiteral("i")].toBool());
  EXPECT_EQ(styled[QStringLiteral("u")].toString(), QStringLiteral("single"));
  EXPECT_TRUE(styled[QStringLiteral("strike")].toBool());
  EXPECT_EQ(styled[QStringLiteral("color")].toString(), QStringLiteral("FFFF0000"));
}

TEST_F(excel_export_test, alignment_follows_the_cell_or_its_column) {
  open_export();
  flex_grid grid;
  grid.set_cols(5);
  grid.set_rows(2);
  grid.set_fixed_rows(0);
  grid.set_fixed_cols(0);
  for (int c = 0; c < 5; ++c) grid.set_text_matrix(0, c, QStringLiteral("  ab  "));
  const grid_alignment own[] = {grid_alignment::center_center, grid_alignment::right_center,
                                grid_alignment::left_bottom, grid_alignment::general};
  grid.set_row(0);
  for (int c = 0; c < 4; ++c) {
    grid.set_col(c);
    grid.set_cell_alignment(own[c]);
  }
  // Column 5 is centred as a column, its cell keeps the column's.
  grid.set_col_alignment(4, grid_alignment::center_center);
  // A cell with a back colour is grey, blank or not.
  grid.set_row(1);
  grid.set_col(0);
  grid.set_cell_back_color(flex_grid::rgb(200, 255, 200));
  int heading_rows = 0;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
  const xlsx_reading book = save_and_read();

  const struct {
    const char* address;
    const char* horizontal;
    const char* value;
  } cases[] = {
      {"A6", "center", "  ab"}, {"B6", "right", "  ab"},  {"C6", "left", "  ab"},
      {"D6", "left", "  ab  "}, {"E6", "center", "  ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    const QJsonObject cell = book.cell(1, QString::fromLatin1(c.address));
    EXPECT_EQ(cell[QStringLiteral("h")].toString(), QString::fromLatin1(c.horizontal));
    EXPECT_EQ(cell[QStringLiteral("v")].toString(), QString::fromLatin1(c.value));
  }
  EXPECT_EQ(book.cell(1, QStringLiteral("A7"))[QStringLiteral("fill")].toString(),
            QStringLiteral("FFF7F7F7"));
  EXPECT_EQ(book.cell(1, QStringLiteral("B7"))[QStringLiteral("fill")].toString(), QString());
}

TEST_F(excel_export_test, numbers_go_in_as_numbers_and_identity_numbers_as_text) {
  open_export();
  flex_grid grid;
  const char* const texts[] = {"74", " 62.5 ", "-3", "007", "12345678901", "9999999999", "'0123", "1 234"};
  grid.set_cols(8);
  grid.set_rows(1);
  grid.set_fixed_rows(0);
  grid.set_fixed_cols(0);
  for (int c = 0; c < 8; ++c) grid.set_text_matrix(0, c, QString::fromLatin1(texts[c]));
  int heading_rows = 0;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
  const xlsx_reading book = save_and_read();

  const struct {
    const char* column;
    const char* kind;
    const char* value;
    bool long_format;
  } cases[] = {
      {"A", "n", "74", false},  {"B", "n", "62.5", false},       {"C", "n", "-3", false},
      {"D", "s", "007", false}, {"E", "s", "12345678901", true}, {"F", "n", "9999999999", false},
      {"G", "s", "0123", true}, {"H", "s", "1 234", false},
  };
  const QString thirteen_zeros = QStringLiteral("0000000000000");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    const QString address = QString::fromLatin1(c.column) + u'6';
    const QJsonObject cell = book.cell(1, address);
    EXPECT_EQ(cell[QStringLiteral("t")].toString(), QString::fromLatin1(c.kind));
    EXPECT_EQ(book.text(1, address), QString::fromLatin1(c.value));
    // The whole column shows long numbers in full, its cells too.
    EXPECT_EQ(book.column_format(1, QString::fromLatin1(c.column)) == thirteen_zeros, c.long_format);
    EXPECT_EQ(cell[QStringLiteral("fmt")].toString() == thirteen_zeros, c.long_format);
  }
}

TEST_F(excel_export_test, a_picture_cell_is_exported_empty) {
  open_export();
  flex_grid grid;
  grid.set_text_matrix(1, 1, QStringLiteral("123"));
  grid.set_row(1);
  grid.set_col(1);
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  grid.set_cell_picture(picture);
  int heading_rows = 1;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
  EXPECT_EQ(g_excel_workbook->sheet(1).text(7, 2), QString());
  const xlsx_reading book = save_and_read();
  EXPECT_TRUE(book.cell(1, QStringLiteral("B7"))[QStringLiteral("v")].isNull());
}

TEST_F(excel_export_test, the_grid_is_left_as_it_was_and_tables_follow_one_another) {
  open_export();
  report_grid report;
  report.grid.set_row(3);
  report.grid.set_col(2);
  const int width = report.grid.col_width(1);
  int heading_rows = 2;
  copy_flexgrid_to_excel_sheet(report.grid, heading_rows, 5, false);
  EXPECT_EQ(report.grid.col_width(1), width);
  EXPECT_EQ(report.grid.col_width(3), hidden);
  EXPECT_TRUE(report.grid.redraw());
  EXPECT_EQ(report.grid.row(), 3);
  EXPECT_EQ(report.grid.col(), 2);

  // A second table of the same report starts where the first left off.
  flex_grid second;
  second.set_text_matrix(0, 0, QStringLiteral("TOTALS"));
  int one = 1;
  copy_flexgrid_to_excel_sheet(second, one, 1, false);
  EXPECT_EQ(g_excel_workbook->sheet(1).text(20, 1), QStringLiteral("TOTALS"));
  EXPECT_EQ(g_excel_row, 22);
}

TEST_F(excel_export_test, a_table_wider_than_a_worksheet_is_left_out_with_a_message) {
  const struct {
    bool afrikaans;
    const char* message;
  } cases[] = {
      {false, "THE TABLE HAS 16385 COLUMNS; A WORKSHEET HOLDS AT MOST 16384. THE TABLE WAS NOT EXPORTED."},
      {true, "DIE TABEL HET 16385 KOLOMME; 'N WERKBLAD HOU HOOGSTENS 16384. DIE TABEL IS NIE UITGEVOER NIE."},
  };
  flex_grid grid;
  grid.set_cols(16385);
  grid.set_text_matrix(0, 0, QStringLiteral("WIDE"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    g_language = c.afrikaans;
    open_export();
    dialogs.expect_message(QString::fromLatin1(c.message)).icon(msg_icon::exclamation);
    int heading_rows = 1;
    copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
    dialogs.verify();
    EXPECT_EQ(g_excel_workbook->sheet(1).last_row(), 0);
    EXPECT_EQ(g_excel_row, 0);
  }
}

TEST_F(excel_export_test, the_current_worksheet_follows_the_report_count) {
  EXPECT_EQ(current_excel_sheet(), nullptr);
  g_excel_workbook = std::make_unique<platform::workbook>();
  g_excel_workbook->add_sheet();
  const struct {
    int count;
    int sheet;  // 0: none
  } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 0}};
  for (const auto& c : cases) {
    g_excel_sheet_count = std::int16_t(c.count);
    platform::worksheet* expected = c.sheet ? &g_excel_workbook->sheet(c.sheet) : nullptr;
    EXPECT_EQ(current_excel_sheet(), expected) << c.count;
  }
}

TEST_F(excel_export_test, begin_asks_the_file_and_opens_a_workbook) {
  g_excel_file_name = QStringLiteral("MARKS 10/A");
  dialogs.expect_file(excel_title)
      .file_kind(platform::file_dialog_kind::save)
      .file_name(QStringLiteral("MARKS 10A"))
      .choose(QStringLiteral("D:\\Export\\Marks 10A.xlsx"));
  begin_excel_export();
  EXPECT_TRUE(g_export_excel);
  ASSERT_TRUE(g_excel_workbook);
  EXPECT_EQ(g_excel_workbook->sheet_count(), 1);
  EXPECT_EQ(g_excel_folder, QStringLiteral("D:\\Export\\"));
  EXPECT_EQ(g_excel_file_name, QStringLiteral("Marks 10A"));
  EXPECT_EQ(g_excel_sheet_count, 0);
  EXPECT_EQ(g_excel_row, 0);
  EXPECT_EQ(native_bytes(QStringLiteral("C/ProgramData/OSKAVEN/excel_uitvoer_gids")),
            QByteArrayLiteral("\"D:\\Export\"\r\n"));

  // The direct export of a grid report: begin, copy, save. No name is
  // doubled.
  flex_grid grid;
  grid.set_text_matrix(1, 1, QStringLiteral("42"));
  int heading_rows = 1;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, true);
  EXPECT_TRUE(save_excel_export());
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(g_excel_workbook);
  const xlsx_reading book(native_target(QStringLiteral("Marks 10A")));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  EXPECT_EQ(book.text(1, QStringLiteral("B7")), QStringLiteral("42"));
}

TEST_F(excel_export_test, a_cancelled_begin_opens_nothing_and_says_nothing) {
  dialogs.expect_file(excel_title).cancel();
  begin_excel_export();
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(g_excel_workbook);
  flex_grid grid;
  int heading_rows = 1;
  copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, true);
  EXPECT_FALSE(save_excel_export());
  EXPECT_FALSE(platform::file_exists(QStringLiteral("C:\\ProgramData\\OSKAVEN\\excel_uitvoer_gids")));
}

TEST_F(excel_export_test, an_existing_file_is_replaced_whole) {
  QFile old(native_target());
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("an old workbook");
  old.close();
  open_export();
  g_excel_workbook->sheet(1).set_text(1, 1, QStringLiteral("new"));
  const xlsx_reading book = save_and_read();
  EXPECT_EQ(book.text(1, QStringLiteral("A1")), QStringLiteral("new"));
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(drives.native_drive('D') + QStringLiteral("/Export")).entryList(QDir::Files),
            QStringList{QStringLiteral("Report.xlsx")});
}

TEST_F(excel_export_test, a_folder_that_cannot_be_written_keeps_the_old_file) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
  const QString folder = drives.native_drive('D') + QStringLiteral("/Export");
  QFile old(native_target());
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("an old workbook");
  old.close();
  const QFile::Permissions before = QFile::permissions(folder);
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
  open_export();
  dialogs
      .expect_message(
          QStringLiteral("EXPORT OF Report TO D:\\Export\\Report FAILED !!\r\n"
                         "The workbook could not be written: Cannot write a temporary file beside '") +
          native_target() + QStringLiteral("': ") + QString::fromLocal8Bit(std::strerror(EACCES)))
      .icon(msg_icon::critical);
  EXPECT_FALSE(save_excel_export());
  QFile::setPermissions(folder, before);
  EXPECT_FALSE(g_export_excel);
  EXPECT_FALSE(g_excel_workbook);
  EXPECT_EQ(native_bytes(QStringLiteral("D/Export/Report.xlsx")), QByteArrayLiteral("an old workbook"));
}

TEST_F(excel_export_test, the_excel_choice_of_the_printer_window_writes_the_workbook) {
  g_print_title = QStringLiteral("CLASS LIST");
  g_excel_file_name = QStringLiteral("Class list");
  dialogs.expect_file(excel_title).choose(QStringLiteral("D:\\Export\\Class list"));
  ASSERT_TRUE(choose_by_clicking(QStringLiteral("kies_excel")));
  ASSERT_TRUE(g_export_excel);

  QString title = g_print_title;
  print_report_header(title);
  report_grid report;
  int heading_rows = 2;
  copy_flexgrid_to_excel_sheet(report.grid, heading_rows, 5, false);
  dialogs.expect_message(QStringLiteral("EXPORT OF Class list TO D:\\Export\\Class list COMPLETE !!"))
      .icon(msg_icon::information);
  end_print_job(false, false);
  EXPECT_FALSE(g_export_excel);

  const xlsx_reading book(native_target(QStringLiteral("Class list")));
  ASSERT_TRUE(book.ok()) << book.error().toStdString();
  EXPECT_EQ(book.sheet_count(), 1);
  EXPECT_EQ(book.text(1, QStringLiteral("C3")), QStringLiteral("CLASS LIST"));
  EXPECT_EQ(book.text(1, QStringLiteral("A8")), QStringLiteral("Learner 1"));
  EXPECT_EQ(book.text(1, QStringLiteral("B8")), QStringLiteral("42"));
  EXPECT_EQ(book.merges(1), QStringList{QStringLiteral("A6:C6")});
}

}  // namespace
}  // namespace km::test
