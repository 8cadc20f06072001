#pragma once
// The header of a dBase III table (.dbf): version, date of last update,
// record count, header and record lengths, and the field descriptors.
//
// Layout: 32 fixed bytes, then one 32-byte descriptor per field, ended by
// 0x0D; records start at the header length the header gives (writers may
// pad the header beyond the terminator). Each record is one deletion byte
// (' ' live, '*' deleted) followed by the fields, and the file ends with
// 0x1A after the last record.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace km::platform {

struct dbf_field {
  QString name;      // as stored (the engine matches names case-insensitively)
  char type = 'C';   // 'C', 'N', 'F', 'D', 'L', 'M'; any other letter is read as raw text
  int width = 0;     // bytes in the record
  int decimals = 0;  // N and F only
  int offset = 0;    // from the start of the record (the deletion byte is offset 0)
};

struct dbf_header {
  std::uint8_t version = 0x03;
  int year = 1900;  // date of the last update
  int month = 1;
  int day = 1;
  std::uint32_t record_count = 0;
  int header_length = 0;
  int record_length = 0;
  std::vector<dbf_field> fields;
  // Header bytes 12..31 as read (reserved bytes, language driver), kept
  // when the header is written again.
  QByteArray reserved = QByteArray(20, '\0');

  bool has_memo_fields() const;
  // Where the records end and the end marker belongs.
  qint64 data_end() const { return qint64(header_length) + qint64(record_count) * record_length; }
};

// Bytes 0 of the versions this engine reads and writes: dBase III (0x03),
// dBase III with memo (0x83), dBase IV with memo (0x8B), and the later
// 0x30 layout, whose header is longer but whose records are the same.
bool is_known_dbf_version(std::uint8_t version);

// Reads and checks the header at the start of data (available bytes; give
// at least the whole header). The name is used in the reasons. Throws
// dbf_error: unreadable when there are fewer than 32 bytes; bad_format for
// an unknown version, a header length too short for its descriptors, a
// record length that is not the sum of the field widths plus the deletion
// byte, or a field width its type does not allow.
dbf_header parse_dbf_header(const char* data, qint64 available, const QString& name);

// Checks the size of the whole file against the header: the records the
// header counts must all be there. What follows them (the end marker,
// padding, a record an interrupted append wrote before it could count it,
// bytes of another writer) is not part of the table: the header's count
// holds, as other readers have it. Throws dbf_error bad_format for a file
// that ends before its counted records do.
void check_dbf_size(const dbf_header& header, qint64 size, const QString& name);

// Today by the program clock as the date of the last update, into year,
// month and day. A year the header byte cannot hold (before 1900, after
// 2155) leaves the date as it was.
void stamp_update_date(int& year, int& month, int& day);

// Header bytes 1..7: the date of the last update and the record count.
QByteArray dbf_date_and_count(int year, int month, int day, std::uint32_t count);

// The header bytes (header_length of them): fixed part, descriptors,
// terminator, padding kept as zeros.
QByteArray build_dbf_header(const dbf_header& header);

// A header for a new table of these fields (name, type, width, decimals;
// offsets, lengths and the version are filled in).
dbf_header make_dbf_header(std::vector<dbf_field> fields);

}  // namespace km::platform
