// Filling an empty mark book from the learner workbook of its subject and
// class.
#include "markbook/learner_list_import.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "platform/dbase/dbf_table.h"
#include "support/learner_workbook_writers.h"
#include "support/python_peer.h"

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
