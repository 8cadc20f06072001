#include "platform/dbase/dbf_header.h"

#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_field_codec.h"
#include "platform/dbase/little_endian.h"

namespace km::platform {

namespace {

constexpr int k_fixed = 32;
constexpr int k_descriptor = 32;
constexpr char k_terminator = 0x0D;
constexpr std::uint8_t k_language_cp1252 = 0x03;  // header byte 29: Windows ANSI

void put16(QByteArray& b, int at, unsigned v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char((v >> 8) & 0xFF);
}
void put32(QByteArray& b, int at, std::uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

[[noreturn]] void damaged(const QString& name, const QString& what) {
  throw dbf_error(dbf_error_kind::bad_format, QStringLiteral("Table '%1' is damaged: %2").arg(name, what));
}

// The width a type must have, or 0 when any width from 1 to 255 is allowed.
int fixed_width(char type) {
  switch (type) {
    case 'D':
      return 8;
    case 'L':
      return 1;
    case 'M':
      return 10;
    default:
      return 0;
  }
}

dbf_field read_descriptor(const char* d, int offset, const QString& name, int index) {
  dbf_field f;
  int len = 0;
  while (len < 11 && d[len] != '\0') ++len;
  f.name = decode_cp1252(d, len);
  f.type = d[11];
  f.width = int(le_u8(d + 16));
  f.decimals = int(le_u8(d + 17));
  f.offset = offset;
  const QString which = QStringLiteral("field %1 ('%2')").arg(index + 1).arg(f.name);
  if (f.width == 0) damaged(name, which + QStringLiteral(" has width 0"));
  const int must = fixed_width(f.type);
  if (must && f.width != must)
    damaged(name, which + QStringLiteral(" of type %1 has width %2, not %3")
                              .arg(QChar::fromLatin1(f.type))
                              .arg(f.width)
                              .arg(must));
  if (f.type == 'N' || f.type == 'F') {
    if (f.decimals >= f.width)
      damaged(name, which + QStringLiteral(" has %1 decimals in a width of %2").arg(f.decimals).arg(f.width));
  } else {
    f.decimals = 0;
  }
  return f;
}

}  // namespace

bool dbf_header::has_memo_fields() const {
  for (const auto& f : fields)
    if (f.type == 'M') return true;
  return false;
}

bool is_known_dbf_version(std::uint8_t version) {
  return version == 0x03 || version == 0x83 || version == 0x8B || version == 0x30;
}

dbf_header parse_dbf_header(const char* data, qint64 available, const QString& name) {
  if (available < k_fixed)
    throw dbf_error(
        dbf_error_kind::unreadable,
        QStringLiteral("Table '%1' cannot be read: the file holds %2 bytes, fewer than a table header")
            .arg(name)
            .arg(available));
  dbf_header h;
  h.version = std::uint8_t(le_u8(data));
  if (!is_known_dbf_version(h.version))
    damaged(name, QStringLiteral("version byte 0x%1 is not a dBase III table")
                      .arg(unsigned(h.version), 2, 16, QLatin1Char('0'))
                      .toUpper());
  h.year = 1900 + int(le_u8(data + 1));
  h.month = int(le_u8(data + 2));
  h.day = int(le_u8(data + 3));
  h.record_count = le_u32(data + 4);
  h.header_length = int(le_u16(data + 8));
  h.record_length = int(le_u16(data + 10));
  h.reserved = QByteArray(data + 12, 20);

  if (h.header_length < k_fixed + k_descriptor + 1)
    damaged(name, QStringLiteral("header length %1 is too short for any field").arg(h.header_length));
  if (available < h.header_length)
    damaged(name, QStringLiteral("the file ends inside its header (%1 of %2 bytes)")
                      .arg(available)
                      .arg(h.header_length));

  int pos = k_fixed;
  int offset = 1;
  bool ended = false;
  while (pos < h.header_length) {
    if (data[pos] == k_terminator) {
      ended = true;
      break;
    }
    if (pos + k_descriptor > h.header_length) break;
    h.fields.push_back(read_descriptor(data + pos, offset, name, int(h.fields.size())));
    offset += h.fields.back().width;
    pos += k_descriptor;
  }
  if (!ended)
    damaged(name,
            QStringLiteral("header length %1 is too short for its field descriptors").arg(h.header_length));
  if (h.fields.empty()) damaged(name, QStringLiteral("the header declares no fields"));
  if (h.record_length != offset)
    damaged(name,
            QStringLiteral("record length %1 is not the sum of the field widths plus the deletion byte (%2)")
                .arg(h.record_length)
                .arg(offset));
  return h;
}

void check_dbf_size(const dbf_header& h, qint64 size, const QString& name) {
  if (size < h.header_length)
    damaged(
        name,
        QStringLiteral("the file ends inside its header (%1 of %2 bytes)").arg(size).arg(h.header_length));
  if (size < h.data_end())
    damaged(name, QStringLiteral("the file is truncated: the header counts %1 records, the file holds %2")
                      .arg(h.record_count)
                      .arg((size - h.header_length) / h.record_length));
}

void stamp_update_date(int& year, int& month, int& day) {
  int y = 0, m = 0, d = 0;
  dbf_civil_date(clock().now(), y, m, d);
  if (y < 1900 || y > 1900 + 255) return;
  year = y;
  month = m;
  day = d;
}

QByteArray dbf_date_and_count(int year, int month, int day, std::uint32_t count) {
  QByteArray b(7, '\0');
  b[0] = char((year - 1900) & 0xFF);
  b[1] = char(month);
  b[2] = char(day);
  put32(b, 3, count);
  return b;
}

QByteArray build_dbf_header(const dbf_header& h) {
  QByteArray b(h.header_length, '\0');
  b[0] = char(h.version);
  b.replace(1, 7, dbf_date_and_count(h.year, h.month, h.day, h.record_count));
  put16(b, 8, unsigned(h.header_length));
  put16(b, 10, unsigned(h.record_length));
  for (int i = 0; i < 20 && i < h.reserved.size(); ++i) b[12 + i] = h.reserved[i];
  int pos = k_fixed;
  for (const auto& f : h.fields) {
    const QByteArray n = encode_cp1252(f.name).left(10);
    for (int i = 0; i < n.size(); ++i) b[pos + i] = n[i];
    b[pos + 11] = f.type;
    b[pos + 16] = char(f.width);
    b[pos + 17] = char(f.decimals);
    pos += k_descriptor;
  }
  b[pos] = k_terminator;
  return b;
}

dbf_header make_dbf_header(std::vector<dbf_field> fields) {
  dbf_header h;
  int offset = 1;
  for (auto& f : fields) {
    f.offset = offset;
    if (f.type != 'N' && f.type != 'F') f.decimals = 0;
    offset += f.width;
  }
  h.fields = std::move(fields);
  h.version = h.has_memo_fields() ? 0x83 : 0x03;
  h.header_length = k_fixed + k_descriptor * int(h.fields.size()) + 1;
  h.record_length = offset;
  h.reserved[29 - 12] = char(k_language_cp1252);
  return h;
}

}  // namespace km::platform
