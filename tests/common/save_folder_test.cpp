// Files put away into a data folder's "save" folder: a table and its memo
// file go together, each copy is checked byte for byte, and nothing leaves
// the folder unless every copy of its group is whole.
#include "common/save_folder.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/file_error.h"
#include "support/temp_drives.h"

namespace km::test {
namespace {

class save_folder_test : public temp_drives_test {
 protected:
  void SetUp() override { drives.make_native_folder(QStringLiteral("C/DATA")); }
  QByteArray bytes(const QString& relative) const {
    QFile f(c(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<missing>");
  }
  void put(const QString& relative, const QByteArray& b) {
    drives.write_native(QStringLiteral("C/") + relative, b);
  }
  const QString folder = QStringLiteral("C:\\DATA");
};

TEST_F(save_folder_test, a_table_and_its_memo_move_together_keeping_earlier_copies_under_one_number) {
  put(QStringLiteral("DATA/k_h_dta.dbf"), "TABLE");
  put(QStringLiteral("DATA/k_h_dta.dbt"), "MEMO");
  put(QStringLiteral("DATA/save/k_h_dta.dbf"), "OLD TABLE");
  move_group_into_save_folder(folder, {QStringLiteral("k_h_dta.dbf"), QStringLiteral("k_h_dta.dbt")});
  EXPECT_EQ(bytes(QStringLiteral("DATA/k_h_dta.dbf")), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/k_h_dta.dbt")), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta.dbf")), QByteArrayLiteral("TABLE"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta.dbt")), QByteArrayLiteral("MEMO"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta_1.dbf")), QByteArrayLiteral("OLD TABLE"));
}

// A move stopped after the table's copy was made and before the memo's is
// finished when run again: the copy with the same bytes is not kept aside a
// second time, the differing earlier copy is.
TEST_F(save_folder_test, a_move_run_again_takes_a_copy_with_the_same_bytes_as_its_copy) {
  put(QStringLiteral("DATA/k_h_dta.dbf"), "TABLE");
  put(QStringLiteral("DATA/k_h_dta.dbt"), "MEMO");
  put(QStringLiteral("DATA/save/k_h_dta.dbf"), "TABLE");
  put(QStringLiteral("DATA/save/k_h_dta.dbt"), "OLDER MEMO");
  move_group_into_save_folder(folder, {QStringLiteral("k_h_dta.dbf"), QStringLiteral("k_h_dta.dbt")});
  EXPECT_EQ(bytes(QStringLiteral("DATA/k_h_dta.dbf")), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/k_h_dta.dbt")), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta.dbf")), QByteArrayLiteral("TABLE"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta.dbt")), QByteArrayLiteral("MEMO"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta_1.dbt")), QByteArrayLiteral("OLDER MEMO"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/k_h_dta_1.dbf")), QByteArrayLiteral("<missing>"));
}

TEST_F(save_folder_test, a_missing_member_is_passed_over_and_the_copy_keeps_the_folder_spelling) {
  put(QStringLiteral("DATA/HW2_DTA.DBF"), "TABLE");
  move_group_into_save_folder(folder, {QStringLiteral("hw2_dta.dbf"), QStringLiteral("hw2_dta.dbt")});
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/HW2_DTA.DBF")), QByteArrayLiteral("TABLE"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/HW2_DTA.DBF")), QByteArrayLiteral("<missing>"));
}

TEST_F(save_folder_test, nothing_leaves_the_folder_when_the_save_folder_cannot_be_made) {
  put(QStringLiteral("DATA/pnt_dta.dbf"), "TABLE");
  put(QStringLiteral("DATA/save"), "a plain file in the way");
  EXPECT_THROW(move_group_into_save_folder(folder, {QStringLiteral("pnt_dta.dbf")}), platform::file_error);
  EXPECT_EQ(bytes(QStringLiteral("DATA/pnt_dta.dbf")), QByteArrayLiteral("TABLE"));
}

TEST_F(save_folder_test, a_copy_only_leaves_the_sources_and_a_read_only_source_can_be_moved) {
  put(QStringLiteral("DATA/pi2_dta.dbf"), "SYMBOLS");
  copy_group_into_save_folder(folder, {QStringLiteral("pi2_dta.dbf")});
  EXPECT_EQ(bytes(QStringLiteral("DATA/pi2_dta.dbf")), QByteArrayLiteral("SYMBOLS"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/pi2_dta.dbf")), QByteArrayLiteral("SYMBOLS"));

  put(QStringLiteral("DATA/gem_dta.dbf"), "AVERAGES");
  QFile::setPermissions(c(QStringLiteral("DATA/gem_dta.dbf")), QFileDevice::ReadOwner);
  move_into_save_folder(folder, QStringLiteral("gem_dta.dbf"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/gem_dta.dbf")), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(bytes(QStringLiteral("DATA/save/gem_dta.dbf")), QByteArrayLiteral("AVERAGES"));
}

}  // namespace
}  // namespace km::test
