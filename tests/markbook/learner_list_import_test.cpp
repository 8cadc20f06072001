// Filling an empty mark book from the learner workbook of its subject and
// class.
#include "markbook/learner_list_import.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "platform/dbase/dbf_table.h"
#include "support/learner_workbook_writers.h"
#include "support/python_peer.h"
#include "support/xls_fixture.h"

namespace km {
namespace {

class learner_list_import_test : public test::mark_book_test {
 protected:
  void SetUp() override {
    mark_book_test::SetUp();
    write_book({});
  }
  void write_workbook(const char* writer, const QString& name) {
    const auto r = test::run_python(test::learner_workbook_script(writer), {native(name)});
    ASSERT_EQ(r.exit_code, 0) << r.err.toStdString();
  }
  learner_import_result import() {
    platform::recordset rs(std::make_unique<platform::dbf_table>(native(marks_table_file(n)),
                                                                 platform::dbf_table::access::read_write));
    return add_learner(rs, folder, QStringLiteral("AFR  "), QStringLiteral("A"));
  }
};

struct workbook_case {
  const char* writer_name;
  const char* file;
};

TEST_F(learner_list_import_test, fills_the_book_up_to_the_first_blank_number) {
  const std::pair<const char*, const char*> cases[] = {
      {test::xlwt_writer, "AFR_A"}, {test::openpyxl_writer, "AFR_A.xlsx"}, {test::xlwt_writer, "afr_a.XLS"}};
  for (const auto& [writer, file] : cases) {
    SCOPED_TRACE(file);
    write_book({});
    write_workbook(writer, QLatin1String(file));
    const learner_import_result r = import();
    EXPECT_EQ(r.outcome, learner_import_outcome::filled);
    EXPECT_EQ(r.added, 2);
    const auto rows = book_rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], QStringLiteral("1001"));
    EXPECT_EQ(rows[0][1], QStringLiteral("Adams J"));
    EXPECT_EQ(rows[1][0], QStringLiteral("1002"));
    EXPECT_EQ(rows[1][1], QStringLiteral("Botha P"));
    QFile::remove(native(QLatin1String(file)));
  }
}

TEST_F(learner_list_import_test, a_missing_workbook_adds_nothing_and_says_nothing) {
  const learner_import_result r = import();
  EXPECT_EQ(r.outcome, learner_import_outcome::no_file);
  EXPECT_EQ(r.message, QString());
  EXPECT_TRUE(book_rows().empty());
}

TEST_F(learner_list_import_test, an_unreadable_workbook_is_told) {
  g_language = false;
  drives.write_native(QStringLiteral("C/DATA/AFR_A.xlsx"), QByteArray::fromHex("504B0304") + "broken");
  const learner_import_result r = import();
  EXPECT_EQ(r.outcome, learner_import_outcome::unreadable);
  EXPECT_EQ(r.message, QStringLiteral("LEARNER LIST C:\\DATA\\AFR_A.xlsx CANNOT BE READ ..."));
  EXPECT_TRUE(book_rows().empty());
}

TEST_F(learner_list_import_test, a_list_given_by_formulas_comes_in_whole) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("xlwt"))) << "install python3-xlwt";
  const auto w =
      test::run_python(test::formula_workbook_script(test::formula_list_of_31), {native("AFR_A.xls")});
  ASSERT_EQ(w.exit_code, 0) << w.err.toStdString();
  const learner_import_result r = import();
  EXPECT_EQ(r.outcome, learner_import_outcome::filled);
  EXPECT_EQ(r.added, 31);
  const auto rows = book_rows();
  ASSERT_EQ(rows.size(), 31u);
  for (int i = 0; i < 31; ++i) {
    EXPECT_EQ(rows[i][0], QString::number(1001 + i));
    EXPECT_EQ(rows[i][1], QStringLiteral("Learner %1").arg(i + 1));
  }
}

// Rows 2 and 3 hold learners 1001 and 1002, then the case's rows.
struct unreadable_row_case {
  const char* what;
  const char* file;
  const char* writer;  // python; for .xls `results` and `formula` are at hand
  bool afrikaans;
  const char* message;  // "" when the list is taken
  int added;
};

const unreadable_row_case k_unreadable_rows[] = {
    {"number by a formula in error", "AFR_A.xls", R"(
results[(3, 0)] = ('error', 0x17)
ws.write(3, 0, formula('A3+1'))
ws.write(3, 1, 'Cele Z')
)",
     false, "LEARNER LIST C:\\DATA\\AFR_A.xls ROW 4 CANNOT BE READ ...", 0},
    {"name by a formula in error", "AFR_A.xls", R"(
ws.write(3, 0, 1003)
results[(3, 1)] = ('error', 0x07)
ws.write(3, 1, formula('1/0'))
)",
     true, "LEERDERLYS C:\\DATA\\AFR_A.xls RY 4 KAN NIE GELEES WORD NIE ...", 0},
    {"error cell", "AFR_A.xls", R"(
ws.write(3, 0, 1003)
ws.write(4, 0, xlwt.Formula('A4+1'))
results[(4, 0)] = ('error', 0x2A)
)",
     false, "LEARNER LIST C:\\DATA\\AFR_A.xls ROW 5 CANNOT BE READ ...", 0},
    {"error after the list's end", "AFR_A.xls", R"(
results[(4, 0)] = ('error', 0x17)
ws.write(4, 0, formula('A3+1'))
)",
     false, "", 2},
    {"formula saved without its result", "AFR_A.xlsx", R"(
ws['A4'] = '=A3+1'
ws['B4'] = 'Cele Z'
)",
     false, "LEARNER LIST C:\\DATA\\AFR_A.xlsx ROW 4 CANNOT BE READ ...", 0},
};

TEST_F(learner_list_import_test, a_row_that_cannot_be_read_is_told_and_nothing_is_added) {
  ASSERT_TRUE(test::python_module_available(QStringLiteral("xlwt")));
  ASSERT_TRUE(test::python_module_available(QStringLiteral("openpyxl")));
  const QString xls_start = QStringLiteral(R"(
wb = xlwt.Workbook()
ws = wb.add_sheet('L')
for r, (a, b) in enumerate([('NR', 'NAME'), (1001, 'Adams J'), (1002, 'Botha P')]):
    ws.write(r, 0, a)
    ws.write(r, 1, b)
)");
  const QString xlsx_start = QStringLiteral(R"(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
for row in [('NR', 'NAME'), (1001, 'Adams J'), (1002, 'Botha P')]:
    ws.append(row)
)");
  for (const unreadable_row_case& c : k_unreadable_rows) {
    SCOPED_TRACE(c.what);
    write_book({});
    const bool xls = QByteArray(c.file).endsWith(".xls");
    const QString script = xls ? test::formula_workbook_script("") + xls_start : xlsx_start;
    const auto w =
        test::run_python(script + QString::fromLatin1(c.writer) + QStringLiteral("wb.save(sys.argv[1])\n"),
                         {native(QLatin1String(c.file))});
    ASSERT_EQ(w.exit_code, 0) << w.err.toStdString();
    g_language = c.afrikaans;
    const learner_import_result r = import();
    EXPECT_EQ(r.outcome, *c.message ? learner_import_outcome::unreadable : learner_import_outcome::filled);
    EXPECT_EQ(r.message, QString::fromUtf8(c.message));
    EXPECT_EQ(r.added, c.added);
    EXPECT_EQ(book_rows().size(), std::size_t(c.added));
    QFile::remove(native(QLatin1String(c.file)));
  }
}

TEST_F(learner_list_import_test, a_damaged_old_workbook_is_told) {
  g_language = false;
  const QByteArray whole =
      test::xls::compound(
          test::xls::workbook_stream({}, test::xls::number(1, 0, 1001) + test::xls::number(2, 0, 1002)))
          .bytes;
  // The last sector, which holds the list's records, is missing.
  drives.write_native(QStringLiteral("C/DATA/AFR_A.xls"), whole.left(whole.size() - 512));
  const learner_import_result r = import();
  EXPECT_EQ(r.outcome, learner_import_outcome::unreadable);
  EXPECT_EQ(r.message, QStringLiteral("LEARNER LIST C:\\DATA\\AFR_A.xls CANNOT BE READ ..."));
  EXPECT_TRUE(book_rows().empty());
}

TEST_F(learner_list_import_test, a_large_learner_number_stays_whole) {
  const char* const writer = R"(
import sys, xlwt
wb = xlwt.Workbook()
ws = wb.add_sheet('L')
ws.write(1, 0, 20000001)
ws.write(1, 1, 'Dube Q')
wb.save(sys.argv[1])
)";
  write_workbook(writer, QStringLiteral("AFR_A"));
  EXPECT_EQ(import().added, 1);
  EXPECT_EQ(book_rows()[0][0], QStringLiteral("20000001"));
}

}  // namespace
}  // namespace km
