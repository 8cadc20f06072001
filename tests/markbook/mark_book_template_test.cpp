// The mark-book template of the program folder is the one the field list
// builds, and an independent reader sees 42 fields and no records.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_header.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"

namespace km {
namespace {

const QString checked_in = QStringLiteral(KM_SOURCE_DIR "/resources/mrk_book.org");

TEST(mark_book_template, checked_in_file_is_the_generated_one) {
  EXPECT_EQ(test::hex(test::read_native_file(checked_in)), test::hex(mark_book_template_bytes()));
}

TEST(mark_book_template, has_the_layout_the_windows_address_by_position) {
  const QByteArray bytes = mark_book_template_bytes();
  const platform::dbf_header h =
      platform::parse_dbf_header(bytes.constData(), bytes.size(), mark_book_template_name);
  EXPECT_EQ(h.header_length, 1377);
  EXPECT_EQ(h.record_length, 369);
  EXPECT_EQ(h.record_count, 0u);
  ASSERT_EQ(int(h.fields.size()), marks_dbf_field_count);
  EXPECT_EQ(h.fields[0].name, QStringLiteral("MB_T_NR"));
  EXPECT_EQ(h.fields[0].type, 'N');
  EXPECT_EQ(h.fields[1].width, 40);
  EXPECT_EQ(h.fields[std::size_t(mark_field_of_row(40))].name, QStringLiteral("MB_R40"));
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(mark_book_template, reads_in_python_dbf_as_42_fields_and_no_records) {
  ASSERT_TRUE(test::python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  QTemporaryDir dir;
  const QString copy = dir.filePath(QStringLiteral("marks1.dbf"));
  ASSERT_TRUE(QFile::copy(checked_in, copy));
  const QJsonObject dump = test::python_dbf_dump(copy);
  EXPECT_EQ(dump[QStringLiteral("count")].toInt(-1), 0);
  const QJsonArray fields = dump[QStringLiteral("fields")].toArray();
  ASSERT_EQ(fields.size(), 42);
  EXPECT_EQ(fields[0].toString(), QStringLiteral("mb_t_nr"));
  EXPECT_EQ(fields[41].toString(), QStringLiteral("mb_r40"));
}

}  // namespace
}  // namespace km
