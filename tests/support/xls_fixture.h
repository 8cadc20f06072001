#pragma once
// Old binary workbooks (.xls) put together byte by byte for the tests of
// the workbook reader: BIFF8 records, a workbook stream of one worksheet,
// and the compound file that holds it. Written from the file layout alone,
// apart from the reader, so the two cannot share a mistake. Every file is
// version 3 (512-byte sectors): the allocation table first, then one
// directory sector, then the mini table, then the stream's sectors (or the
// mini stream's, for a stream under 4096 bytes).
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace km::test::xls {

// One record: type, length, body.
QByteArray record(quint16 type, const QByteArray& body);
QByteArray le16(quint16 v);
QByteArray le32(quint32 v);

// Cell records; row and column count from 0.
QByteArray number(quint16 row, quint16 column, double v);
QByteArray rk(quint16 row, quint16 column, quint32 rk_bits);
QByteArray mulrk(quint16 row, quint16 first_column, const std::vector<quint32>& rk_bits);
QByteArray labelsst(quint16 row, quint16 column, quint32 index);
QByteArray label(quint16 row, quint16 column, const QString& text);  // two bytes a character
QByteArray boolerr(quint16 row, quint16 column, quint8 value, bool error);
// A formula (a reference to A1, 1 added) with the 8 bytes of its stored result.
QByteArray formula(quint16 row, quint16 column, const QByteArray& result);
QByteArray number_result(double v);
QByteArray special_result(quint8 kind, quint8 value);  // 0 text (STRING follows), 1 Boolean, 2 error, 3 ""
QByteArray string_record(const QString& text);         // the text result after a formula
// A shared string table body's start: total and unique counts.
QByteArray sst_counts(quint32 count);
// A string as the table and LABEL keep it: count, option byte, characters.
QByteArray unicode_string(const QString& text, bool wide);

// The workbook stream: globals (BOF, one BOUNDSHEET, `globals`, EOF) and
// the worksheet's substream (BOF, `cells`, EOF); BIFF8 (0x0600), or the
// BIFF5 (0x0500) of Excel 5 and 95.
QByteArray workbook_stream(const QByteArray& globals, const QByteArray& cells, quint16 version = 0x0600);
// The text records of BIFF5: a count and the bytes of the code page.
QByteArray label8(quint16 row, quint16 column, const QByteArray& cp1252);
QByteArray string8_record(const QByteArray& cp1252);

struct compound_file {
  QByteArray bytes;
  quint32 first_fat_sector = 0;
  quint32 directory_sector = 0;
  quint32 first_stream_sector = 0;  // the stream's chain, or the mini stream's
  bool in_mini_stream = false;

  // Byte offset of a sector, and of the table entry that links it on.
  static qsizetype sector_offset(quint32 sector) { return (qsizetype(sector) + 1) * 512; }
  qsizetype fat_entry_offset(quint32 sector) const {
    return sector_offset(first_fat_sector) + 4 * qsizetype(sector);
  }
  // Byte offset of a directory entry (0 the root, 1 the stream).
  qsizetype entry_offset(int entry) const { return sector_offset(directory_sector) + 128 * entry; }
  void put32(qsizetype offset, quint32 v);
};

// The stream named `name` (default "Workbook") in a compound file.
compound_file compound(const QByteArray& stream, const QString& name = QStringLiteral("Workbook"));

}  // namespace km::test::xls
