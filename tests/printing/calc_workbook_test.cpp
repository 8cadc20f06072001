// The workbooks of the Excel choice as a spreadsheet program shows them:
// each report shape, in both languages, read back with openpyxl and
// converted to PDF by LibreOffice Calc (headless, in a profile of its own).
// Calc must load every workbook without complaint, draw it in the fonts its
// row heights and column widths were measured in (the Liberation metric
// twins of the fonts the workbook names), and show every heading whole.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/model/grid/flex_grid.h"
#include "poppler_tools.h"
#include "printing/excel_export.h"
#include "printing/report_pages.h"
#include "printing_fixture.h"
#include "support/xlsx_reader.h"

namespace km::test {
namespace {

using platform::flex_grid;

const char* const learners[] = {"Pretorius L\u00eaandri", "van der Merwe An\u00e9l", "Khumalo Sipho",
                                "Steyn No\u00ebl"};

QString in(bool afrikaans, const char* af, const char* en) { return QString::fromUtf8(afrikaans ? af : en); }

// A list as the paged reports lay it out: headings turned on their side in
// the grid's own font, a merged band naming the class, then the learners.
void fill_turned_heading_list(flex_grid& grid, bool afrikaans) {
  grid.set_cols(5);
  grid.set_rows(2);
  grid.set_fixed_rows(1);
  grid.set_merge_cells(platform::merge_mode::free);
  const QString heads[] = {in(afrikaans, "NR", "NO"), in(afrikaans, "NAAM", "NAME"),
                           QStringLiteral("~~R~~") + in(afrikaans, "PUNT", "MARK"),
                           QStringLiteral("~~R~~") + in(afrikaans, "TOTAAL", "TOTAL"),
                           QStringLiteral("~~R~~") + in(afrikaans, "PERSENTASIE", "PERCENTAGE")};
  grid.set_row(0);
  for (int c = 0; c < 5; ++c) {
    grid.set_text_matrix(0, c, heads[c]);
    grid.set_col(c);
    grid.set_cell_font_bold(true);
  }
  for (int c = 0; c < 5; ++c) grid.set_text_matrix(1, c, in(afrikaans, "GRAAD 8 KLAS A", "GRADE 8 CLASS A"));
  grid.set_merge_row(1, true);
  for (int k = 0; k < 4; ++k)
    grid.add_item(QStringLiteral("%1\t%2\t%3\t100\t%3.0")
                      .arg(1001 + k)
                      .arg(QString::fromUtf8(learners[k]))
                      .arg(60 + k));
}

// A list as the work windows' reports lay it out: a heading row from a
// format string, in font size 7.
void fill_report_list(flex_grid& grid, bool afrikaans) {
  grid.set_rows(2);
  grid.set_cols(6);
  grid.set_fixed_rows(1);
  grid.set_font_size(7);
  grid.set_format_string(in(afrikaans, "<NR|^  T.NR|<LEERDER|>  PUNT|>  TOTAAL|P.S",
                            "<NO|^  A.NO|<LEARNER|>  MARK|>   TOTAL|E.K"));
  grid.set_rows(5);
  for (int k = 0; k < 4; ++k) {
    const QString cells[] = {QString::number(k + 1),         QString::number(1001 + k),
                             QString::fromUtf8(learners[k]), QString::number(60 + k),
                             QString::number(60 * (k + 1)),  in(afrikaans, "1 Uitstekend", "1 Outstanding")};
    for (int c = 0; c < 6; ++c) grid.set_text_matrix(k + 1, c, cells[c]);
  }
}

class calc_workbook_test : public printing_test {
 protected:
  void SetUp() override {
    printing_test::SetUp();
    platform::printer().set_metrics(nullptr);  // the fonts' own measures
    drives.make_native_folder(QStringLiteral("D/Export"));
  }
  QString native(const QString& name) const {
    return drives.native_drive('D') + QStringLiteral("/Export/") + name + QStringLiteral(".xlsx");
  }
  // An export open on D:\Export\<name>, as the printer choice leaves it.
  static void open_export(const QString& name) {
    g_export_excel = true;
    g_excel_workbook = std::make_unique<platform::workbook>();
    g_excel_folder = QStringLiteral("D:\\Export\\");
    g_excel_file_name = name;
    g_excel_row = 0;
    g_excel_sheet_count = 0;
    g_excel_sheet = 0;
    g_excel_new_sheet = false;
  }
};

struct workbook_case {
  QString name;
  bool afrikaans = false;
  bool turned = false;  // the paged shape with turned headings; else the report shape
  QStringList shown;    // texts Calc must show whole
};

TEST_F(calc_workbook_test, calc_loads_every_report_shape_and_shows_its_headings_whole_in_the_measured_fonts) {
  std::vector<workbook_case> cases;
  for (const bool afrikaans : {false, true}) {
    const QString language = afrikaans ? QStringLiteral("afr") : QStringLiteral("eng");
    cases.push_back({QStringLiteral("turned_") + language,
                     afrikaans,
                     true,
                     {in(afrikaans, "PERSENTASIE", "PERCENTAGE"), in(afrikaans, "TOTAAL", "TOTAL"),
                      in(afrikaans, "GRAAD 8 KLAS A", "GRADE 8 CLASS A")}});
    cases.push_back({QStringLiteral("report_") + language,
                     afrikaans,
                     false,
                     {in(afrikaans, "LEERDER", "LEARNER"), in(afrikaans, "1 Uitstekend", "1 Outstanding"),
                      QStringLiteral("LIST 8A")}});
  }
  for (workbook_case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    g_language = c.afrikaans;
    for (const char* learner : learners) c.shown << QString::fromUtf8(learner);
    open_export(c.name);
    flex_grid grid;
    if (c.turned) {
      fill_turned_heading_list(grid, c.afrikaans);
      int heading_rows = 1;
      copy_flexgrid_to_excel_sheet(grid, heading_rows, 1, false);
    } else {
      fill_report_list(grid, c.afrikaans);
      print_report_pages(grid, QStringLiteral("LIST 8A"), paper_a4_portrait);
    }
    ASSERT_TRUE(save_excel_export());

    // The independent reader: fonts named portably, headings turned, the
    // band merged, the values in place.
    const xlsx_reading book(native(c.name));
    ASSERT_TRUE(book.ok()) << book.error().toStdString();
    const int heading_row = 6;
    for (const char* column : {"A", "B", "C"}) {
      const QJsonObject cell = book.cell(1, QString::fromLatin1(column) + QString::number(heading_row));
      EXPECT_EQ(cell.value(QStringLiteral("font")).toObject().value(QStringLiteral("name")).toString(),
                QStringLiteral("Arial"))
          << column;
    }
    if (c.turned) {
      EXPECT_EQ(book.text(1, QStringLiteral("E6")), in(c.afrikaans, "PERSENTASIE", "PERCENTAGE"));
      EXPECT_EQ(book.cell(1, QStringLiteral("E6"))[QStringLiteral("rot")].toInt(), 90);
      EXPECT_EQ(book.merges(1), QStringList{QStringLiteral("A7:E7")});
      EXPECT_EQ(book.text(1, QStringLiteral("B8")), QString::fromUtf8(learners[0]));
    } else {
      EXPECT_EQ(book.text(1, QStringLiteral("C6")), in(c.afrikaans, "LEERDER", "LEARNER"));
      EXPECT_EQ(book.text(1, QStringLiteral("C7")), QString::fromUtf8(learners[0]));
    }
  }

  // One Calc for every workbook.
  QTemporaryDir out;
  QStringList arguments{
      QStringLiteral("-env:UserInstallation=file://") + out.filePath(QStringLiteral("profile")),
      QStringLiteral("--headless"),
      QStringLiteral("--norestore"),
      QStringLiteral("--convert-to"),
      QStringLiteral("pdf"),
      QStringLiteral("--outdir"),
      out.path()};
  for (const workbook_case& c : cases) arguments << native(c.name);
  QProcess calc;
  calc.setProcessChannelMode(QProcess::MergedChannels);
  calc.start(QStringLiteral("soffice"), arguments);
  ASSERT_TRUE(calc.waitForStarted(30000))
      << "LibreOffice Calc (package libreoffice-calc-nogui) did not start";
  ASSERT_TRUE(calc.waitForFinished(280000)) << "Calc did not finish";
  const QString said = QString::fromLocal8Bit(calc.readAll());
  EXPECT_FALSE(said.contains(QStringLiteral("Error"), Qt::CaseInsensitive)) << said.toStdString();
  EXPECT_FALSE(said.contains(QStringLiteral("repair"), Qt::CaseInsensitive)) << said.toStdString();

  for (const workbook_case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    const QString pdf = out.filePath(c.name + QStringLiteral(".pdf"));
    ASSERT_TRUE(QFile::exists(pdf)) << said.toStdString();
    // Each word as Calc drew it, one a line.
    const QStringList words =
        run_tool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")})
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const QString text = words.join(u' ');
    for (const QString& shown : c.shown)
      EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << "\n" << text.toStdString();
    // Drawn in the Liberation fonts, whose measures the heights and widths
    // were made with, and in no other.
    const QString fonts = run_tool(QStringLiteral("pdffonts"), {pdf});
    const QStringList lines = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(lines.isEmpty()) << fonts.toStdString();
    for (const QString& line : lines)
      EXPECT_TRUE(line.section(u' ', 0, 0).section(u'+', 1).startsWith(QStringLiteral("Liberation")))
          << line.toStdString();
  }
}

}  // namespace
}  // namespace km::test
