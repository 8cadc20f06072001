// Learner lists in workbooks written by independent writers: python's xlwt
// (.xls), openpyxl (.xlsx) and a container put together by hand to reach
// the cell kinds the others do not write.
#include "platform/learner_workbook.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/drive_map.h"
#include "platform/win_path.h"
#include "support/learner_workbook_writers.h"
#include "support/python_peer.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

// The first sheet is sheet3.xml by its relationship; shared strings with
// rich-text runs and a phonetic run; an inline string; a Boolean; a cell
// without reference; row 3 missing.
const char* const k_hand = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('[Content_Types].xml', '<Types/>')
z.writestr('xl/workbook.xml', '<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="L" sheetId="1" r:id="rId7"/><sheet name="M" sheetId="2" r:id="rId1"/></sheets></workbook>')
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/><Relationship Id="rId7" Target="/xl/worksheets/sheet3.xml"/></Relationships>')
z.writestr('xl/sharedStrings.xml', '<sst><si><t>NAME</t></si><si><r><t>Ada</t></r><r><rPr><b/></rPr><t>ms</t></r><rPh><t>x</t></rPh></si></sst>')
z.writestr('xl/worksheets/sheet1.xml', '<worksheet><sheetData><row r="2"><c r="A2"><v>9</v></c></row></sheetData></worksheet>')
z.writestr('xl/worksheets/sheet3.xml', '<worksheet><sheetData><row r="1"><c r="B1" t="s"><v>0</v></c></row><row r="2"><c r="A2"><v>1001</v></c><c r="B2" t="s"><v>1</v></c></row><row r="4"><c><v>1004</v></c><c t="inlineStr"><is><t>In</t><t>line</t></is></c><c r="C4"><v>7</v></c></row><row r="5"><c r="A5" t="b"><v>1</v></c><c r="B5" t="str"><v>formula text</v></c></row></sheetData></worksheet>')
z.close()
)";

class learner_workbook_test : public test::temp_drives_test {
 protected:
  // Runs a python writer into C:\DATA\<name>; returns the Windows path.
  QString write(const char* script, const QString& name) {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    const QString native = c(QStringLiteral("DATA/") + name);
    const auto r = test::run_python(test::learner_workbook_script(script), {native});
    EXPECT_EQ(r.exit_code, 0) << r.err.toStdString();
    return QStringLiteral("C:\\DATA\\") + name;
  }
  static QString text(const Value& v) { return v.is_empty() ? QStringLiteral("<empty>") : v.to_text(); }
};

void expect_the_learner_rows(const std::optional<std::vector<learner_cells>>& rows) {
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 5u);
  const auto& r = *rows;
  EXPECT_TRUE(r[0].a.kind() == Value::type::dbl);
  EXPECT_EQ(r[0].a.to_double(), 1001);
  EXPECT_EQ(r[0].b.to_text(), QStringLiteral("  Adams J "));
  EXPECT_TRUE(r[1].a.is_text());
  EXPECT_EQ(r[1].a.to_text(), QStringLiteral("1002"));
  EXPECT_TRUE(r[2].a.is_empty());
  EXPECT_EQ(r[3].a.to_double(), 1005);
  EXPECT_EQ(r[4].a.to_double(), 20000001);
}

TEST_F(learner_workbook_test, reads_an_old_workbook_by_its_first_bytes) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("xlwt"))) << "install python3-xlwt";
  expect_the_learner_rows(read_learner_workbook(write(test::xlwt_writer, QStringLiteral("AFR_A"))));
}

TEST_F(learner_workbook_test, reads_a_zip_workbook_by_its_first_bytes) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("openpyxl")));
  expect_the_learner_rows(read_learner_workbook(write(test::openpyxl_writer, QStringLiteral("AFR_A.xls"))));
}

TEST_F(learner_workbook_test, reads_the_cell_kinds_of_the_container) {
  const auto rows = read_learner_workbook(write(k_hand, QStringLiteral("hand.xlsx")));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 4u);  // rows 2 to 5
  const auto& r = *rows;
  EXPECT_EQ(r[0].a.to_double(), 1001);
  EXPECT_EQ(r[0].b.to_text(), QStringLiteral("Adams"));
  EXPECT_TRUE(r[1].a.is_empty());  // row 3 is missing
  EXPECT_EQ(r[2].a.to_double(), 1004);
  EXPECT_EQ(r[2].b.to_text(), QStringLiteral("Inline"));
  EXPECT_TRUE(r[3].a.kind() == Value::type::boolean);
  EXPECT_EQ(r[3].b.to_text(), QStringLiteral("formula text"));
}

// Row 2: an error value and a formula with its stored result; row 3: a
// formula saved without a result (no <v>), and one with an empty <v>.
const char* const k_formulas = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('xl/workbook.xml', '<workbook xmlns:r="r"><sheets><sheet name="L" sheetId="1" r:id="rId1"/></sheets></workbook>')
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>')
z.writestr('xl/worksheets/sheet1.xml', '<worksheet><sheetData><row r="2"><c r="A2" t="e"><v>#REF!</v></c><c r="B2" t="str"><f>"Adams"</f><v>Adams</v></c></row><row r="3"><c r="A3"><f>A2+1</f></c><c r="B3"><f>B2</f><v></v></c></row></sheetData></worksheet>')
z.close()
)";

TEST_F(learner_workbook_test, errors_and_formulas_without_results_cannot_be_read) {
  const auto rows = read_learner_workbook(write(k_formulas, QStringLiteral("formulas.xlsx")));
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 2u);
  const auto& r = *rows;
  EXPECT_TRUE(r[0].a.is_null());
  EXPECT_EQ(r[0].b.to_text(), QStringLiteral("Adams"));
  EXPECT_TRUE(r[1].a.is_null());
  EXPECT_TRUE(r[1].b.is_null());
}

TEST_F(learner_workbook_test, refuses_what_it_cannot_read) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("openpyxl")));
  const QString good = write(test::openpyxl_writer, QStringLiteral("good.xlsx"));
  QFile whole(to_native_path(good));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  const QByteArray bytes = whole.readAll();
  drives.write_native(QStringLiteral("C/DATA/cut.xlsx"), bytes.left(bytes.size() / 2));
  drives.write_native(QStringLiteral("C/DATA/text.xls"), "NR,NAME\r\n1001,Adams\r\n");
  drives.write_native(QStringLiteral("C/DATA/cut.xls"),
                      QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(100, 'x'));
  for (const char* name : {"cut.xlsx", "text.xls", "cut.xls", "missing.xlsx"})
    EXPECT_FALSE(read_learner_workbook(QStringLiteral("C:\\DATA\\") + QLatin1String(name)).has_value())
        << name;
}

}  // namespace
}  // namespace km::platform
