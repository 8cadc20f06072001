#include "support/xls_fixture.h"

#include <QtEndian>
#include <cstring>

namespace km::test::xls {

QByteArray le16(quint16 v) {
  QByteArray b(2, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

QByteArray record(quint16 type, const QByteArray& body) {
  return le16(type) + le16(quint16(body.size())) + body;
}

namespace {

QByteArray place(quint16 row, quint16 column, quint16 format = 15) {
  return le16(row) + le16(column) + le16(format);
}

QByteArray le_double(double v) {
  quint64 bits = 0;
  std::memcpy(&bits, &v, 8);
  QByteArray b(8, '\0');
  qToLittleEndian(bits, b.data());
  return b;
}

QByteArray utf16(const QString& text) {
  QByteArray b;
  for (const QChar c : text) b += le16(c.unicode());
  return b;
}

}  // namespace

QByteArray number(quint16 row, quint16 column, double v) {
  return record(0x0203, place(row, column) + le_double(v));
}

QByteArray rk(quint16 row, quint16 column, quint32 rk_bits) {
  return record(0x027E, place(row, column) + le32(rk_bits));
}

QByteArray mulrk(quint16 row, quint16 first_column, const std::vector<quint32>& rk_bits) {
  QByteArray body = le16(row) + le16(first_column);
  for (const quint32 v : rk_bits) body += le16(15) + le32(v);
  return record(0x00BD, body + le16(quint16(first_column + rk_bits.size() - 1)));
}

QByteArray labelsst(quint16 row, quint16 column, quint32 index) {
  return record(0x00FD, place(row, column) + le32(index));
}

QByteArray unicode_string(const QString& text, bool wide) {
  QByteArray b = le16(quint16(text.size())) + QByteArray(1, wide ? '\x01' : '\x00');
  return b + (wide ? utf16(text) : text.toLatin1());
}

QByteArray label(quint16 row, quint16 column, const QString& text) {
  return record(0x0204, place(row, column) + unicode_string(text, true));
}

QByteArray boolerr(quint16 row, quint16 column, quint8 value, bool error) {
  return record(0x0205,
                place(row, column) + QByteArray(1, char(value)) + QByteArray(1, error ? '\x01' : '\x00'));
}

QByteArray number_result(double v) { return le_double(v); }

QByteArray special_result(quint8 kind, quint8 value) {
  return QByteArray(1, char(kind)) + QByteArray(1, '\0') + QByteArray(1, char(value)) + QByteArray(3, '\0') +
         QByteArray(2, '\xFF');
}

QByteArray formula(quint16 row, quint16 column, const QByteArray& result) {
  // Tokens: a reference to A1 (row and column relative), the integer 1, add.
  const QByteArray tokens =
      QByteArray::fromHex("2400000000C0") + QByteArray::fromHex("1E0100") + QByteArray(1, '\x03');
  return record(0x0006,
                place(row, column) + result + le16(0) + le32(0) + le16(quint16(tokens.size())) + tokens);
}

QByteArray string_record(const QString& text) { return record(0x0207, unicode_string(text, true)); }

QByteArray sst_counts(quint32 count) { return le32(count) + le32(count); }

QByteArray workbook_stream(const QByteArray& globals, const QByteArray& cells, quint16 version) {
  const bool biff5 = version == 0x0500;
  // BOF: version, kind, then build and year (and in BIFF8 two more fields).
  const auto bof = [&](quint16 kind) {
    return record(0x0809, le16(version) + le16(kind) + QByteArray(biff5 ? 4 : 12, '\0'));
  };
  const QByteArray eof = record(0x000A, {});
  // BOUNDSHEET: offset of the sheet's BOF, visible, worksheet, name "L"
  // (BIFF8 adds an option byte before the name's characters).
  const QByteArray name = biff5 ? QByteArray("\x01L", 2) : QByteArray("\x01\x00L", 3);
  const qsizetype boundsheet_size = 4 + 4 + 2 + name.size();
  const quint32 sheet_at = quint32(bof(0x0005).size() + boundsheet_size + globals.size() + eof.size());
  const QByteArray boundsheet = record(0x0085, le32(sheet_at) + QByteArray(2, '\0') + name);
  return bof(0x0005) + boundsheet + globals + eof + bof(0x0010) + cells + eof;
}

QByteArray label8(quint16 row, quint16 column, const QByteArray& cp1252) {
  return record(0x0204, place(row, column) + le16(quint16(cp1252.size())) + cp1252);
}

QByteArray string8_record(const QByteArray& cp1252) {
  return record(0x0207, le16(quint16(cp1252.size())) + cp1252);
}

void compound_file::put32(qsizetype offset, quint32 v) { qToLittleEndian(v, bytes.data() + offset); }

compound_file compound(const QByteArray& stream, const QString& name) {
  constexpr quint32 end = 0xFFFFFFFE, free_sector = 0xFFFFFFFF, fat_mark = 0xFFFFFFFD, none = 0xFFFFFFFF;
  const bool mini = stream.size() < 4096;
  const QByteArray payload = mini ? stream + QByteArray((64 - stream.size() % 64) % 64, '\0') : stream;
  const quint32 mini_sectors = mini ? quint32(payload.size() / 64) : 0;
  const quint32 mini_fat_sectors = (mini_sectors * 4 + 511) / 512;
  const quint32 data_sectors = quint32((payload.size() + 511) / 512);
  quint32 fat_sectors = 1;
  while (fat_sectors * 128 < fat_sectors + 1 + mini_fat_sectors + data_sectors) ++fat_sectors;

  compound_file cf;
  cf.first_fat_sector = 0;
  cf.directory_sector = fat_sectors;
  const quint32 mini_fat_start = fat_sectors + 1;
  cf.first_stream_sector = mini_fat_start + mini_fat_sectors;
  cf.in_mini_stream = mini;
  const quint32 total = cf.first_stream_sector + data_sectors;

  QByteArray header = QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(16, '\0') + le16(0x3E) + le16(3) +
                      le16(0xFFFE) + le16(9) + le16(6) + QByteArray(6, '\0') + le32(0) + le32(fat_sectors) +
                      le32(cf.directory_sector) + le32(0) + le32(4096) + le32(mini ? mini_fat_start : end) +
                      le32(mini_fat_sectors) + le32(end) + le32(0);
  for (quint32 i = 0; i < 109; ++i) header += le32(i < fat_sectors ? i : free_sector);

  std::vector<quint32> fat(fat_sectors * 128, free_sector);
  for (quint32 i = 0; i < fat_sectors; ++i) fat[i] = fat_mark;
  fat[cf.directory_sector] = end;
  const auto link = [&](quint32 first, quint32 count) {
    for (quint32 i = 0; i < count; ++i) fat[first + i] = i + 1 < count ? first + i + 1 : end;
  };
  link(mini_fat_start, mini_fat_sectors);
  link(cf.first_stream_sector, data_sectors);

  const auto entry = [&](const QString& entry_name, quint8 type, quint32 child, quint32 start, quint32 size) {
    QByteArray e = utf16(entry_name) + QByteArray(64 - 2 * entry_name.size(), '\0');
    e += le16(quint16(2 * entry_name.size() + 2)) + QByteArray(1, char(type)) + QByteArray(1, '\x01');
    e += le32(none) + le32(none) + le32(child) + QByteArray(16 + 4 + 16, '\0') + le32(start) + le32(size) +
         le32(0);
    return e;
  };
  QByteArray directory = entry(QStringLiteral("Root Entry"), 5, 1, mini ? cf.first_stream_sector : end,
                               mini ? quint32(payload.size()) : 0);
  directory += entry(name, 2, none, mini ? 0 : cf.first_stream_sector, quint32(stream.size()));
  directory += QByteArray(2 * 128, '\0');

  QByteArray mini_fat;
  for (quint32 i = 0; i < mini_sectors; ++i) mini_fat += le32(i + 1 < mini_sectors ? i + 1 : end);

  const auto padded = [](QByteArray b) { return b + QByteArray((512 - b.size() % 512) % 512, '\xFF'); };
  QByteArray fat_bytes;
  for (const quint32 v : fat) fat_bytes += le32(v);
  cf.bytes = header + fat_bytes + directory + padded(mini_fat) + payload;
  cf.bytes += QByteArray((512 - cf.bytes.size() % 512) % 512, '\0');
  Q_ASSERT(cf.bytes.size() == qsizetype(total + 1) * 512);
  return cf;
}

}  // namespace km::test::xls
