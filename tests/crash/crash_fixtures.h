#pragma once
// Small helpers the entries of the crash test share: paths in the data
// folder and tables written byte by byte (tests/support/dbf_builder).
#include <QDir>
#include <QString>
#include <vector>

#include "crash_paths.h"
#include "platform/win_path.h"
#include "support/dbf_builder.h"

namespace km::crash {

inline QString in_data(const QString& file) { return platform::join_win_path(data_folder, file); }
inline QString native_in_data(const QString& file) { return platform::to_native_path(in_data(file)); }

// A mark book of 40 mark fields with (number, name, first marks) records.
inline void write_book(const QString& file, const std::vector<std::vector<QByteArray>>& records) {
  test::dbf_builder b;
  b.field("MB_T_NR", 'N', 8).field("MB_NAME", 'C', 40);
  for (int r = 1; r <= 40; ++r) b.field("MB_R" + QByteArray::number(r), 'C', 8);
  for (std::vector<QByteArray> values : records) {
    values.resize(42);
    b.record(values);
  }
  b.write(native_in_data(file));
}

}  // namespace km::crash
