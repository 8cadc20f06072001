#pragma once
// Writes dBase III tables (.dbf and .dbt) byte by byte for tests, without
// the program's table engine, so that the engine and its fixtures cannot be
// wrong in the same way. Knobs spoil a table on purpose (lengths, counts,
// memo pointers) for the damage tests.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "support/python_peer.h"

namespace km::test {

class dbf_builder {
 public:
  dbf_builder& version(int byte);
  // Date of the last update in the header.
  dbf_builder& date(int year, int month, int day);
  dbf_builder& field(const QByteArray& name, char type, int width, int decimals = 0);
  // One record: one text per field, as bytes (Windows-1252). N and F texts
  // are right-aligned, all others left-aligned, blank-padded to the width;
  // for a memo field the text is the memo itself ("" leaves the pointer
  // blank). A text longer than the width is cut.
  dbf_builder& record(const std::vector<QByteArray>& values, bool deleted = false);
  // A record given as its exact bytes (deletion byte included).
  dbf_builder& raw_record(const QByteArray& bytes);

  // Knobs for spoilt tables.
  dbf_builder& header_length(int length);      // as written in the header
  dbf_builder& header_padding(int bytes);      // zero bytes between terminator and records
  dbf_builder& record_length(int length);      // as written in the header
  dbf_builder& record_count(int count);        // as written in the header
  dbf_builder& end_marker(bool present);       // 0x1A after the records (default: present)
  dbf_builder& trailing(const QByteArray& b);  // bytes after the end marker
  dbf_builder& dbase4_memos(bool on);          // memo blocks in the FF FF 08 00 layout

  QByteArray dbf() const;
  QByteArray dbt() const;  // empty when no field is a memo
  bool has_memo() const;

  // Writes the table to a native path, and its memo file beside it (same
  // base name, ".dbt") when it has memo fields. Returns the .dbf path.
  QString write(const QString& native_dbf_path) const;

  // Memo blocks are this long.
  static constexpr int block_size = 512;

 private:
  struct field_def {
    QByteArray name;
    char type;
    int width;
    int decimals;
  };
  QByteArray record_bytes(const std::vector<QByteArray>& values, bool deleted, QByteArray& memo) const;
  void build(QByteArray& dbf, QByteArray& dbt) const;

  int version_ = -1;
  int year_ = 2017, month_ = 3, day_ = 17;
  std::vector<field_def> fields_;
  struct record_def {
    std::vector<QByteArray> values;
    bool deleted = false;
    std::optional<QByteArray> raw;
  };
  std::vector<record_def> records_;
  std::optional<int> header_length_, record_length_, record_count_;
  int header_padding_ = 0;
  bool end_marker_ = true;
  QByteArray trailing_;
  bool dbase4_memos_ = false;
};

// A small sound table with memos: NR N 4, NAME C 8, NOTE M 10, and two
// records ("1", "Ann", "memo one"; "2", "Ben", "memo two").
dbf_builder two_records_with_memos();

// The independent reader of the tests: Debian's python3 with the dbf module.
// True when /usr/bin/python3 can import dbf.
bool python_dbf_available();

// The table as python3-dbf reads it (a native path ending in .dbf):
// {"count": records, "fields": [names], "rows": [[deleted, value, ...]]},
// dates as yyyy-mm-dd and numbers as numbers. A failed run fails the test.
QJsonObject python_dbf_dump(const QString& native_path);

}  // namespace km::test
