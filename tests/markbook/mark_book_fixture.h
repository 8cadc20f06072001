#pragma once
// A data folder C:\DATA with a learner table punte<N>.dbf and a mark book
// marks<N>.dbf written byte by byte (tests/support/dbf_builder), and the
// book read back by python3-dbf, for the tests of the update and the
// shifts of mark sets.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QString>
#include <vector>

#include "markbook/marks_dbf_record.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"
#include "support/temp_drives.h"

namespace km::test {

// One record of a mark book: number, name and the marks of rows 1.. (the
// rest blank).
struct book_record {
  QByteArray number;
  QByteArray name;
  std::vector<QByteArray> marks;
};

// Writes a mark book of the template's fields (or of fewer mark fields) to a
// native path.
inline QString write_mark_book(const QString& native_path, const std::vector<book_record>& records,
                               int mark_fields = 40) {
  dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
  for (int r = 1; r <= mark_fields; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  for (const book_record& rec : records) {
    std::vector<QByteArray> values{rec.number, rec.name};
    values.insert(values.end(), rec.marks.begin(), rec.marks.end());
    values.resize(std::size_t(2 + mark_fields));
    b.record(values);
  }
  return b.write(native_path);
}

class mark_book_test : public temp_drives_test {
 protected:
  static constexpr int n = 3;
  const QString folder = QStringLiteral("C:\\DATA");

  void SetUp() override {
    drives.make_native_folder(QStringLiteral("C/DATA"));
    ASSERT_TRUE(python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  }

  QString native(const QString& file) const {
    return platform::to_native_path(platform::join_win_path(folder, file));
  }

  // A learner table of (number, name) rows.
  QString write_learners(const std::vector<std::pair<QByteArray, QByteArray>>& learners) const {
    dbf_builder b;
    b.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 50).field("EF_PUNT", 'C', 8);
    for (const auto& [number, name] : learners) b.record({number, name, ""});
    return b.write(native(learner_table_file(n)));
  }

  // A mark book of the template's fields, or of fewer mark fields.
  QString write_book(const std::vector<book_record>& records, int mark_fields = 40) const {
    return write_mark_book(native(marks_table_file(n)), records, mark_fields);
  }

  // The book's live records as python3-dbf reads them: number, name (both
  // as text) and the marks of rows 1..40.
  std::vector<std::vector<QString>> book_rows() const { return live_rows(native(marks_table_file(n))); }
  std::vector<std::vector<QString>> learner_rows() const { return live_rows(native(learner_table_file(n))); }

  static std::vector<std::vector<QString>> live_rows(const QString& path) {
    std::vector<std::vector<QString>> rows;
    for (const QJsonValue& row : python_dbf_dump(path)[QStringLiteral("rows")].toArray()) {
      const QJsonArray cells = row.toArray();
      if (cells[0].toBool()) continue;  // deleted
      std::vector<QString> texts;
      for (qsizetype i = 1; i < cells.size(); ++i) {
        const QJsonValue v = cells[i];
        texts.push_back(v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString().trimmed());
      }
      rows.push_back(texts);
    }
    return rows;
  }
};

}  // namespace km::test
