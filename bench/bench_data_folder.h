#pragma once
// What the mark-book benchmarks share: a data folder C:\DATA on a
// temporary drive, with master copies of its tables kept beside it that a
// round copies afresh outside the timing, and the mark book written from
// the template's fields.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "markbook/marks_dbf_record.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/drive_map.h"

namespace km::bench {

class bench_data_folder {
 public:
  bench_data_folder() {
    QDir().mkpath(data());
    QDir().mkpath(dir_.filePath(QStringLiteral("masters")));
    platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir_.filePath(QStringLiteral("C")));
    platform::set_drive_map(map);
  }

  QString data() const { return dir_.filePath(QStringLiteral("C/DATA")); }
  QString master(const QString& name) const { return dir_.filePath(QStringLiteral("masters/") + name); }
  QString live(const QString& name) const { return data() + QStringLiteral("/") + name; }

  // The master of a mark book: the template's fields, these records.
  void write_master_book(const QString& name,
                         const std::vector<std::vector<platform::dbf_cell>>& records) const {
    const QString book_template = master(QStringLiteral("mrk_book.dbf"));
    QFile out(book_template);
    out.open(QIODevice::WriteOnly);
    out.write(mark_book_template_bytes());
    out.close();
    platform::rebuild_dbf_table(master(name), book_template, records);
  }

  void fresh_copies(const QStringList& names) const {
    for (const QString& name : names) {
      QFile::remove(live(name));
      QFile::copy(master(name), live(name));
    }
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace km::bench
