// The table model of a bound grid: rows and columns from the record set,
// typed text checked by the validator before it is written.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "platform/dbase/data_control.h"
#include "platform/dbase/recordset_model.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"

namespace {

using km::platform::data_control;
using km::platform::recordset_model;
using km::platform::Value;

class dbf_recordset_model_test : public km::test::temp_drives_test {
 protected:
  void SetUp() override {
    path = km::test::dbf_builder()
               .field("MB_T_NR", 'N', 6)
               .field("MB_NAME", 'C', 20)
               .field("R1", 'C', 6)
               .record({"101", "ADAMS A", "7.0"})
               .record({"102", "BOTHA B"})
               .write(drives.native_drive(QLatin1Char('C')) + QStringLiteral("/marks1.dbf"));
    control.set_database_name(QStringLiteral("C:\\"));
    control.set_record_source(QStringLiteral("marks1"));
    control.refresh();
  }
  QString path;
  data_control control;
};

TEST_F(dbf_recordset_model_test, shows_records_as_rows_and_fields_as_columns) {
  recordset_model model(control);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("MB_NAME"));
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("101"));
  EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("ADAMS A"));
  EXPECT_EQ(model.data(model.index(1, 2)).toString(), QString());  // Null
  EXPECT_TRUE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
}

TEST_F(dbf_recordset_model_test, refreshing_a_row_names_that_row_alone) {
  recordset_model model(control);
  QSignalSpy changed(&model, &recordset_model::dataChanged);
  struct row_case {
    int row;
    bool signalled;
  };
  for (const row_case c : {row_case{1, true}, row_case{0, true}, row_case{2, false}, row_case{-1, false}}) {
    changed.clear();
    model.refresh_row(c.row);
    ASSERT_EQ(changed.size(), c.signalled ? 1 : 0) << c.row;
    if (!c.signalled) continue;
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model.index(c.row, 0));
    EXPECT_EQ(changed[0][1].value<QModelIndex>(), model.index(c.row, 2));
  }
}

TEST_F(dbf_recordset_model_test, a_refused_text_is_not_written) {
  recordset_model model(control);
  QSignalSpy written(&model, &recordset_model::cell_written);
  model.set_validator([](int, int, QString& text) {
    bool ok = false;
    const double x = text.trimmed().toDouble(&ok);
    if (!ok || x < 0 || x > 10) return false;
    text = QString::number(x, 'f', 1);
    return true;
  });
  const QByteArray before = km::test::read_native_file(path);
  EXPECT_FALSE(model.setData(model.index(1, 2), QStringLiteral("10.1")));
  EXPECT_EQ(km::test::read_native_file(path), before);
  EXPECT_EQ(written.count(), 0);

  EXPECT_TRUE(model.setData(model.index(1, 2), QStringLiteral("7")));
  EXPECT_EQ(model.data(model.index(1, 2)).toString(), QStringLiteral("7.0"));
  ASSERT_EQ(written.count(), 1);
  EXPECT_EQ(written[0][0].toInt(), 1);
  EXPECT_EQ(written[0][1].toInt(), 2);
  data_control check;
  check.set_database_name(QStringLiteral("C:\\"));
  check.set_record_source(QStringLiteral("marks1"));
  check.set_read_only(true);
  check.refresh();
  check.recordset().move_last();
  EXPECT_EQ(check.recordset().value(2), Value(QStringLiteral("7.0   ")));
}

TEST_F(dbf_recordset_model_test, a_text_the_field_cannot_hold_is_reported) {
  recordset_model model(control);
  QSignalSpy failed(&model, &recordset_model::write_failed);
  EXPECT_FALSE(model.setData(model.index(0, 2), QStringLiteral("1234567")));
  EXPECT_EQ(failed.count(), 1);
  EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("7.0"));
}

TEST_F(dbf_recordset_model_test, follows_the_control_and_its_read_only_setting) {
  recordset_model model(control);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  control.recordset().add_new();
  control.recordset().update();
  control.set_read_only(true);
  control.refresh();
  EXPECT_GE(reset.count(), 1);
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_FALSE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
  control.close_database();
  EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace
