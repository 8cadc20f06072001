// Saved workbooks read back with an independent reader (python3-openpyxl),
// and the save's temporary file and rename.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/dialog_language.h"
#include "platform/model/print/font_mapping.h"
#include "platform/model/workbook/workbook.h"
#include "support/decimal_comma_locale.h"
#include "support/python_peer.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

// Every cell, merge, column and row of every sheet, as openpyxl reads them.
const char* const k_dump = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
def colour(c):
    return c.rgb if c is not None and c.type == 'rgb' else None
out = []
for ws in book.worksheets:
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            b = c.border
            cells[c.coordinate] = {
                'value': c.value,
                'font': [c.font.name, c.font.sz, bool(c.font.b), bool(c.font.i), c.font.u, bool(c.font.strike),
                         colour(c.font.color)],
                'align': c.alignment.horizontal, 'rotation': c.alignment.textRotation,
                'fill': colour(c.fill.fgColor) if c.fill.fill_type == 'solid' else None,
                'borders': ''.join(k for k, s in (('t', b.top), ('b', b.bottom), ('l', b.left), ('r', b.right))
                                   if s is not None and s.style == 'thin'),
                'format': c.number_format}
    out.append({
        'cells': cells,
        'merges': sorted(str(r) for r in ws.merged_cells.ranges),
        'columns': {k: [d.width, bool(d.hidden)] for k, d in ws.column_dimensions.items()},
        'rows': {str(k): [d.height, bool(d.hidden)] for k, d in ws.row_dimensions.items() if d.height is not None}})
print(json.dumps(out))
)";

class workbook_xlsx_test : public test::temp_drives_test {
 protected:
  void SetUp() override {
    if (!test::python_module_available("openpyxl"))
      FAIL() << "/usr/bin/python3 cannot import openpyxl: install python3-openpyxl (scripts/install-deps.sh)";
  }

  QJsonArray read_back(const QString& native_path) {
    const test::python_result r = test::run_python(QString::fromLatin1(k_dump), {native_path});
    EXPECT_EQ(r.exit_code, 0) << r.err.constData();
    return QJsonDocument::fromJson(r.out).array();
  }

  // The names in the folder of drive C: (hidden ones too).
  QStringList names_on_c() const {
    return QDir(drives.native_drive('C'))
        .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  }

  static QByteArray bytes_of(const QString& native_path) {
    QFile f(native_path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

// The C library's text for an error number, in the language of the
// machine's locale ("File name too long" in English).
QString system_reason(int error_number) { return QString::fromLocal8Bit(std::strerror(error_number)); }

// The width the file holds for a width in characters: the reader's 5 pixels
// of margin are added and the whole is held in 1/256 of a 7-pixel character.
double file_width(double characters) {
  return std::floor((std::floor(characters * 7 + 0.5) + 5) / 7 * 256) / 256;
}

TEST_F(workbook_xlsx_test, values_and_formats_read_back) {
  workbook book;
  worksheet& s = book.sheet(1);
  s.set_font_name("Arial");
  // A heading row with a rotated cell, a band fill and fonts.
  workbook_font heading;
  heading.size = 12;
  heading.bold = true;
  heading.colour = 0x0000FF;  // red
  s.set_text(6, 1, "Name");
  s.set_font(6, 1, heading);
  s.set_text(6, 2, "Mark");
  s.set_rotation(6, 2, 90);
  s.set_horizontal_alignment(6, 2, horizontal_alignment::centre);
  workbook_font small;
  small.size = 8;
  small.italic = true;
  small.underline = true;
  small.strikethrough = true;
  small.name = "Lucida Console";
  s.set_text(7, 1, "Ann");
  s.set_font(7, 1, small);
  s.set_number(7, 2, 75.5);
  s.set_horizontal_alignment(7, 2, horizontal_alignment::right);
  s.set_number(7, 3, 12345678901.0);
  s.set_column_number_format(3, "0000000000000");
  s.set_number(7, 4, 9999999999.0);
  s.set_text(7, 5, "left");
  s.set_horizontal_alignment(7, 5, horizontal_alignment::left);
  // X X X merged in pairs.
  for (int c = 1; c <= 3; ++c) s.set_text(8, c, "X");
  s.merge({8, 1, 8, 2});
  s.merge({8, 2, 8, 3});
  s.set_horizontal_alignment({8, 1, 8, 3}, horizontal_alignment::centre);
  // Borders down to the row below, the heading band without its inside line.
  s.set_borders({6, 1, 9, 3}, true);
  s.set_fill({6, 1, 6, 3}, 0xF7F7F7);
  s.clear_inside_horizontal({6, 1, 7, 3});
  // Widths and heights.
  s.set_column_width(4, 0);
  s.set_column_width(5, 12);
  s.set_row_height(6, 43.5);
  s.set_row_height(20, 30);  // a row of no cells
  s.set_number(9, 6, std::numeric_limits<double>::infinity());
  book.add_sheet().set_text(1, 1, "Sheet two");

  const QString target = c("report.xlsx");
  QString error;
  ASSERT_TRUE(book.save("C:\\report.xlsx", error)) << error.toStdString();
  EXPECT_TRUE(error.isEmpty());
  EXPECT_EQ(names_on_c(), QStringList{"report.xlsx"});

  const QJsonArray sheets = read_back(target);
  ASSERT_EQ(sheets.size(), 2);
  const QJsonObject one = sheets[0].toObject();
  const QJsonObject cells = one["cells"].toObject();
  auto cell = [&](const char* address) { return cells[address].toObject(); };
  auto font = [&](const char* address) { return cell(address)["font"].toArray(); };

  EXPECT_EQ(cell("A6")["value"].toString(), "Name");
  EXPECT_EQ(font("A6"), (QJsonArray{"Arial", 12, true, false, QJsonValue(), false, "FFFF0000"}));
  EXPECT_EQ(font("B6")[0].toString(), "Arial");  // a cell never given a font: the sheet's name
  EXPECT_EQ(font("B6")[1].toDouble(), 11);
  EXPECT_EQ(cell("B6")["rotation"].toInt(), 90);
  EXPECT_EQ(cell("B6")["align"].toString(), "center");
  EXPECT_EQ(cell("A7")["value"].toString(), "Ann");
  // Named by the fixed-pitch font every platform shows with the same metrics.
  EXPECT_EQ(font("A7"), (QJsonArray{"Courier New", 8, false, true, "single", true, QJsonValue()}));
  EXPECT_EQ(cell("B7")["value"].toDouble(), 75.5);
  EXPECT_EQ(cell("B7")["align"].toString(), "right");
  EXPECT_EQ(cell("E7")["align"].toString(), "left");
  EXPECT_TRUE(cell("A7")["align"].isNull());
  EXPECT_EQ(cell("C7")["value"].toDouble(), 12345678901.0);
  EXPECT_EQ(cell("C7")["format"].toString(), "0000000000000");
  EXPECT_EQ(cell("C6")["format"].toString(), "0000000000000");  // a formatted empty cell of the column
  EXPECT_EQ(cell("D7")["format"].toString(), "General");

  EXPECT_EQ(one["merges"].toArray(), QJsonArray{"A8:C8"});
  EXPECT_EQ(cell("A8")["value"].toString(), "X");
  EXPECT_EQ(cell("A8")["align"].toString(), "center");

  // Borders: the band keeps its outline but not the line between its rows;
  // the row below the table has all its lines, empty as it is.
  const std::pair<const char*, const char*> borders[] = {
      {"A6", "tlr"}, {"A7", "blr"}, {"A8", "tblr"}, {"C9", "tblr"}, {"D9", ""},
  };
  for (const auto& [address, sides] : borders) {
    SCOPED_TRACE(address);
    EXPECT_EQ(cell(address)["borders"].toString(), sides);
  }
  EXPECT_EQ(cell("A6")["fill"].toString(), "FFF7F7F7");
  EXPECT_EQ(cell("C6")["fill"].toString(), "FFF7F7F7");
  EXPECT_TRUE(cell("A7")["fill"].isNull());

  const QJsonObject columns = one["columns"].toObject();
  EXPECT_TRUE(columns["D"].toArray()[1].toBool());
  EXPECT_EQ(columns["D"].toArray()[0].toDouble(), 0);
  EXPECT_FALSE(columns["E"].toArray()[1].toBool());
  EXPECT_DOUBLE_EQ(columns["E"].toArray()[0].toDouble(), file_width(12));
  EXPECT_EQ(one["rows"].toObject()["6"].toArray()[0].toDouble(), 43.5);
  EXPECT_EQ(one["rows"].toObject()["20"].toArray()[0].toDouble(), 30);
  EXPECT_FALSE(cells.contains("A20"));
  // The file holds no infinity: the cell holds its text.
  EXPECT_EQ(cell("F9")["value"].toString(), s.text(9, 6));
  EXPECT_FALSE(s.text(9, 6).isEmpty());

  EXPECT_EQ(sheets[1].toObject()["cells"].toObject()["A1"].toObject()["value"].toString(), "Sheet two");
}

TEST_F(workbook_xlsx_test, an_existing_file_is_replaced) {
  drives.write_native("C/report.xlsx", "old contents");
  workbook book;
  book.sheet(1).set_text(1, 1, "new");
  QString error;
  ASSERT_TRUE(book.save("C:\\REPORT.XLSX", error)) << error.toStdString();
  // The name is matched without regard to case: the old file is replaced,
  // not joined by a second one.
  EXPECT_EQ(names_on_c(), QStringList{"report.xlsx"});
  const QJsonArray sheets = read_back(c("report.xlsx"));
  ASSERT_EQ(sheets.size(), 1);
  EXPECT_EQ(sheets[0].toObject()["cells"].toObject()["A1"].toObject()["value"].toString(), "new");
}

TEST_F(workbook_xlsx_test, what_a_killed_save_left_goes_at_the_next_save) {
  drives.write_native("C/report.xlsx", "old contents");
  drives.write_native("C/report.xlsx.0123abcd.tmp", "half a workbook");
  workbook book;
  book.sheet(1).set_text(1, 1, "new");
  QString error;
  ASSERT_TRUE(book.save("C:\\report.xlsx", error)) << error.toStdString();
  EXPECT_EQ(names_on_c(), QStringList{"report.xlsx"});
}

TEST_F(workbook_xlsx_test, a_failed_save_leaves_the_old_file_and_no_temporary) {
  workbook book;
  book.sheet(1).set_text(1, 1, "new");
  QString error;

  // A folder that is not there.
  EXPECT_FALSE(book.save("C:\\missing\\report.xlsx", error));
  EXPECT_EQ(error, "The folder of the file does not exist.");

  // The temporary file's name is too long for the file system, though the
  // target's is not: the writer fails and the old file stays.
  const QString long_name = QString(240, 'n') + ".xlsx";
  drives.write_native("C/" + long_name, "old contents");
  error.clear();
  EXPECT_FALSE(book.save("C:\\" + long_name, error));
  EXPECT_TRUE(error.startsWith("The workbook could not be written: ")) << error.toStdString();
  EXPECT_TRUE(error.contains(system_reason(ENAMETOOLONG))) << error.toStdString();
  EXPECT_EQ(bytes_of(c(long_name)), "old contents");
  EXPECT_EQ(names_on_c(), QStringList{long_name});

  // The target is a folder with a file in it: the rename fails.
  drives.write_native("C/report.xlsx/inside.txt", "kept");
  error.clear();
  EXPECT_FALSE(book.save("C:\\report.xlsx", error));
  EXPECT_TRUE(error.startsWith("The new workbook could not replace the file: ")) << error.toStdString();
  EXPECT_EQ(bytes_of(c("report.xlsx/inside.txt")), "kept");
  EXPECT_EQ(names_on_c(), (QStringList{long_name, "report.xlsx"}));

  // The reason comes in the language of the dialogs.
  set_dialog_language_source([] { return dialog_language::afrikaans; });
  EXPECT_FALSE(book.save("C:\\missing\\report.xlsx", error));
  EXPECT_EQ(error, "Die gids van die lêer bestaan nie.");
}

TEST_F(workbook_xlsx_test, a_read_only_folder_keeps_the_old_file) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  const QString folder = drives.make_native_folder("C/locked");
  drives.write_native("C/locked/report.xlsx", "old contents");
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
  workbook book;
  book.sheet(1).set_text(1, 1, "new");
  QString error;
  EXPECT_FALSE(book.save("C:\\locked\\report.xlsx", error));
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(error.startsWith("The workbook could not be written: ")) << error.toStdString();
  EXPECT_TRUE(error.contains(system_reason(EACCES))) << error.toStdString();
  EXPECT_EQ(bytes_of(folder + "/report.xlsx"), "old contents");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"report.xlsx"});
}

// The first sheet's XML as the file holds it.
const char* const k_sheet_xml = R"(
import sys, zipfile
print(zipfile.ZipFile(sys.argv[1]).read('xl/worksheets/sheet1.xml').decode())
)";

// A machine whose locale writes a decimal comma writes the same numbers:
// the writer formats them with the C library, and a comma in the file is
// refused by every reader.
TEST_F(workbook_xlsx_test, numbers_keep_their_point_under_a_decimal_comma_locale) {
  workbook book;
  worksheet& s = book.sheet(1);
  s.set_number(2, 2, 75.5);
  s.set_number(3, 2, -0.25);
  s.set_column_width(2, 12.5);
  s.set_row_height(2, 43.5);
  const test::decimal_comma_locale comma;
  ASSERT_TRUE(comma.active()) << comma.error();
  QString error;
  ASSERT_TRUE(book.save("C:\\marks.xlsx", error)) << error.toStdString();

  const test::python_result xml = test::run_python(QString::fromLatin1(k_sheet_xml), {c("marks.xlsx")});
  ASSERT_EQ(xml.exit_code, 0) << xml.err.constData();
  const QString text = QString::fromUtf8(xml.out);
  for (const char* held : {"<v>75.5</v>", "<v>-0.25</v>", "ht=\"43.5\""})
    EXPECT_TRUE(text.contains(QLatin1String(held))) << held << " is not in " << xml.out.constData();
  const QRegularExpression comma_number(QStringLiteral("(=\"|<v>)-?[0-9]+,[0-9]"));
  EXPECT_FALSE(text.contains(comma_number)) << xml.out.constData();

  const QJsonArray sheets = read_back(c("marks.xlsx"));
  ASSERT_EQ(sheets.size(), 1);
  const QJsonObject one = sheets[0].toObject();
  EXPECT_EQ(one["cells"].toObject()["B2"].toObject()["value"].toDouble(), 75.5);
  EXPECT_EQ(one["cells"].toObject()["B3"].toObject()["value"].toDouble(), -0.25);
  EXPECT_DOUBLE_EQ(one["columns"].toObject()["B"].toArray()[0].toDouble(), file_width(12.5));
  EXPECT_EQ(one["rows"].toObject()["2"].toArray()[0].toDouble(), 43.5);
}

TEST(workbook_fonts, every_font_is_named_by_one_that_shows_alike_on_every_platform) {
  const struct {
    const char* asked;
    const char* named;
  } table[] = {
      {"MS Sans Serif", "Arial"},
      {"ARIAL", "Arial"},
      {"Tahoma", "Arial"},
      {"Some Font Nobody Has", "Arial"},
      {"Times New Roman", "Times New Roman"},
      {"MS Serif", "Times New Roman"},
      {"Lucida Console", "Courier New"},
      {"Courier New", "Courier New"},
  };
  for (const auto& c : table) EXPECT_EQ(portable_font_name(c.asked), c.named) << c.asked;
}

}  // namespace
}  // namespace km::platform
