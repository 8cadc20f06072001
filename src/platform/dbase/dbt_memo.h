#pragma once
// The memo file (.dbt) of a dBase table: a 512-byte header whose first four
// bytes give the next free block, then memo texts, each starting at a block
// boundary. A record's memo field holds the block number as right-aligned
// digits (blanks: no memo).
//
// dBase III texts end at 0x1A (written as 0x1A 0x1A). The dBase IV layout of
// the 0x8B tables starts each memo with FF FF 08 00 and its length, and its
// header gives the block size; both are read, and new memos are written in
// the layout of the table's version.

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/dbase/dbf_file_io.h"

namespace km::platform {

// The block number of a memo field's bytes (10 of them). False when the
// field holds anything but blanks and digits; block 0 means no memo.
bool parse_memo_pointer(const char* bytes, int width, std::uint32_t& block);
// The field bytes for a block number (0: blanks).
QByteArray memo_pointer_bytes(std::uint32_t block, int width);

class dbt_memo {
 public:
  // Reads the memo file whole. Throws dbf_error: not_found when it is
  // missing (reported as a damaged table by the caller), bad_format when it
  // is shorter than its header, the usual open failures otherwise.
  dbt_memo(const QString& native_path, bool for_writing, bool dbase4_layout);

  const QString& path() const { return path_; }
  int block_size() const { return block_size_; }

  // The bytes of the memo at a block, without its end marker. Throws
  // dbf_error bad_format when the block lies past the end of the memo file
  // or the text has no end before the end of the file (after reading the
  // file again, in case another writer of this program added to it). where
  // names the record and field in the reason.
  QByteArray text(std::uint32_t block, const QString& where) const;

  // Writes a new memo after the last block in use (as the file on disk
  // has it, so memos another writer added are not overwritten), updates the
  // next free block in the header and returns the memo's block. Throws
  // dbf_error: disk_error; other (conversion) for a dBase III memo holding
  // the end marker 0x1A.
  [[nodiscard]] std::uint32_t append(const QByteArray& text);

  // The bytes of an empty memo file.
  static QByteArray empty_file(bool dbase4_layout);
  // The blocks of one memo text as written at a block boundary, padded to
  // whole blocks.
  static QByteArray memo_blocks(const QByteArray& text, int block_size, bool dbase4_layout);
  // Appends a memo text to the bytes of a whole memo file held in memory and
  // returns its block (for tables written whole).
  [[nodiscard]] static std::uint32_t append_to(QByteArray& file, const QByteArray& text, bool dbase4_layout);

 private:
  QString path_;
  dbf_io::file_handle file_;
  // Reads the file again when it has grown; true when it did.
  bool take_in_growth() const;

  mutable QByteArray data_;
  int block_size_ = 512;
  bool dbase4_ = false;
};

}  // namespace km::platform
