// The code lists of a subject: their file names, the effort keys of the
// subject's table and the formative descriptions of its text file.
#include "marks/code_lists.h"

#include <gtest/gtest.h>

#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"
#include "support/temp_drives.h"

namespace km::test {
namespace {

class code_lists_test : public temp_drives_test {
 protected:
  void SetUp() override {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    g_language = false;
  }
  // The formative file as the administration program writes it: records
  // of two quoted values.
  code_list formative(const QByteArray& bytes) {
    drives.write_native(QStringLiteral("C/DATA/L101_f_e.10A"), bytes);
    return formative_list(QStringLiteral("C:\\DATA\\L101_f_e.10A"));
  }
  code_list effort_keys(const dbf_builder& table) {
    table.write(drives.native_drive('C') + QStringLiteral("/DATA/L101_P_S.dbf"));
    platform::data_control control;
    control.set_database_name(QStringLiteral("C:\\DATA"));
    control.set_record_source(QStringLiteral("L101_P_S.dbf"));
    control.set_read_only(true);
    control.refresh();
    return effort_key_list(control.recordset());
  }
  static dbf_builder effort_table(int fields) {
    dbf_builder b;
    b.field("PS_KODE", 'C', 2).field("PS_X1", 'C', 2).field("PS_X2", 'C', 2).field("PS_X3", 'C', 2);
    if (fields > 4) b.field("PS_BESK", 'C', 30);
    return b;
  }
};

TEST_F(code_lists_test, names_come_from_the_trimmed_subject_and_the_class_without_slashes_and_dashes) {
  EXPECT_EQ(effort_key_table_name(QStringLiteral("101")), QStringLiteral("L101_P_S"));
  EXPECT_EQ(effort_key_table_name(QStringLiteral("5  ")), QStringLiteral("L5_P_S"));
  EXPECT_EQ(formative_file_name(QStringLiteral("101"), QStringLiteral("10-A ")),
            QStringLiteral("L101_f_e.10A"));
  EXPECT_EQ(formative_file_name(QStringLiteral("5  "), QStringLiteral("10-A ")),
            QStringLiteral("L5_f_e.10A"));
  EXPECT_EQ(formative_file_name(QStringLiteral("101"), QStringLiteral("12/B-")),
            QStringLiteral("L101_f_e.12B"));
}

TEST_F(code_lists_test, formative_descriptions_are_the_lines_of_the_joined_first_values) {
  struct formative_case {
    const char* name;
    QByteArray file;
    QStringList entries;
  };
  const QStringList good_bad{QStringLiteral("01 Goed"), QStringLiteral("02 Swak")};
  for (const formative_case& c :
       {formative_case{"two lines", "\"Goed\r\nSwak\r\n\",\"x\"\r\n", good_bad},
        formative_case{"no last line end", "\"Goed\r\nSwak\",\"x\"\r\n", good_bad},
        formative_case{"a last line of blanks", "\"Goed\r\nSwak\r\n   \",\"x\"\r\n", good_bad},
        formative_case{"an empty line", "\"A\r\n\r\nB\",\"x\"\r\n", {"01 A", "02 ", "03 B"}},
        formative_case{"records joined", "\"Goed\r\n\",\"x\"\r\n\"Swak\r\n\",\"y\"\r\n", good_bad},
        formative_case{"ends after a first value", "\"Goed\r\nSwak\r\n\"", good_bad}}) {
    SCOPED_TRACE(c.name);
    const code_list list = formative(c.file);
    EXPECT_EQ(list.entries, c.entries);
    QStringList codes;
    for (int k = 1; k <= c.entries.size(); ++k) codes << QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(list.codes, codes);
  }
  // Ten and more keep two digits and more.
  QByteArray many = "\"";
  for (int k = 1; k <= 11; ++k) many += "L" + QByteArray::number(k) + "\r\n";
  const code_list eleven = formative(many + "\",\"\"\r\n");
  ASSERT_EQ(eleven.codes.size(), 11);
  EXPECT_EQ(eleven.entries.at(9), QStringLiteral("10 L10"));
  // A missing file gives nothing.
  EXPECT_TRUE(formative_list(QStringLiteral("C:\\DATA\\L999_f_e.10A")).empty());
}

TEST_F(code_lists_test, effort_keys_end_with_the_entry_for_no_key) {
  dbf_builder five = effort_table(5);
  for (const char* code : {"1", "2", "", "3", "4", "5"})
    five.record({code, "", "", "", QByteArray("KEY ") + code});
  const code_list list = effort_keys(five);
  EXPECT_EQ(list.codes, (QStringList{"1", "2", "3", "4", "5", " "}));
  EXPECT_EQ(list.entries.first(), QStringLiteral("1 KEY 1"));
  EXPECT_EQ(list.entries.last(), QStringLiteral("   NONE"));
  g_language = true;
  EXPECT_EQ(effort_keys(five).entries.last(), QStringLiteral("   GEEN"));

  // Fewer than five fields: the code alone. No records: no entries at all.
  dbf_builder four = effort_table(4);
  four.record({"P1", "", "", ""});
  EXPECT_EQ(effort_keys(four).entries, (QStringList{"P1", "   GEEN"}));
  EXPECT_TRUE(effort_keys(effort_table(5)).empty());
  EXPECT_TRUE(effort_keys(effort_table(5)).entries.isEmpty());
}

}  // namespace
}  // namespace km::test
