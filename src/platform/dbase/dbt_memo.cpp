#include "platform/dbase/dbt_memo.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/little_endian.h"

namespace km::platform {

namespace {

constexpr int k_default_block = 512;
constexpr char k_end = 0x1A;
const char k_dbase4_mark[4] = {char(0xFF), char(0xFF), 0x08, 0x00};

void put32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
}

// The block size a memo file's header gives (dBase IV layout), else 512.
int block_size_of(const QByteArray& file, bool dbase4_layout) {
  if (dbase4_layout && file.size() >= 22) {
    const int size = static_cast<unsigned char>(file[20]) | (static_cast<unsigned char>(file[21]) << 8);
    if (size >= 64 && size % 64 == 0) return size;
  }
  return k_default_block;
}

// The first block after everything in use: the end of the file (block 1
// at least, after the header). Memos another writer added lie within the
// file. The header's next free block is not followed where it lies further:
// it is then memo_damaged, and following it would put a memo gigabytes beyond
// the end of the file.
std::uint32_t next_free_block(qint64 file_size, int block_size) {
  const std::uint32_t used = std::uint32_t((file_size + block_size - 1) / block_size);
  return std::max(used, std::uint32_t(1));
}

[[noreturn]] void memo_damaged(const QString& path, const QString& what) {
  throw dbf_error(dbf_error_kind::bad_format,
                  QStringLiteral("Memo file '%1' is memo_damaged: %2").arg(QFileInfo(path).fileName(), what));
}

}  // namespace

bool parse_memo_pointer(const char* p, int width, std::uint32_t& block) {
  std::uint64_t v = 0;
  bool digit_seen = false;
  for (int i = 0; i < width; ++i) {
    const char c = p[i];
    if (c == ' ' || c == '\0') {
      if (digit_seen) return false;  // a blank after the digits
      continue;
    }
    if (c < '0' || c > '9') return false;
    digit_seen = true;
    v = v * 10 + std::uint64_t(c - '0');
    if (v > 0xFFFFFFFFu) return false;
  }
  block = std::uint32_t(v);
  return true;
}

QByteArray memo_pointer_bytes(std::uint32_t block, int width) {
  if (block == 0) return QByteArray(width, ' ');
  const QByteArray digits = QByteArray::number(block);
  return QByteArray(width - int(digits.size()), ' ') + digits;
}

dbt_memo::dbt_memo(const QString& native_path, bool for_writing, bool dbase4_layout)
    : path_(native_path), dbase4_(dbase4_layout) {
  const QString name = QFileInfo(native_path).fileName();
  file_ = dbf_io::open_existing(native_path, for_writing, name);
  data_ = dbf_io::read_all(file_, name);
  if (data_.size() < 4)
    memo_damaged(path_, QStringLiteral("it holds %1 bytes, fewer than its header").arg(data_.size()));
  block_size_ = block_size_of(data_, dbase4_);
}

bool dbt_memo::take_in_growth() const {
  const QString name = QFileInfo(path_).fileName();
  if (dbf_io::file_size(file_, name) <= data_.size()) return false;
  data_ = dbf_io::read_all(file_, name);
  return true;
}

QByteArray dbt_memo::text(std::uint32_t block, const QString& where) const {
  const qint64 start = qint64(block) * block_size_;
  for (bool again = true;; again = false) {
    const qint64 left = data_.size() - start;
    if (left <= 0) {
      if (again && take_in_growth()) continue;
      memo_damaged(path_, QStringLiteral("%1 points at block %2, past the end of the memo file (%3 bytes)")
                              .arg(where)
                              .arg(block)
                              .arg(data_.size()));
    }
    const char* p = data_.constData() + start;
    if (left >= 8 && std::equal(k_dbase4_mark, k_dbase4_mark + 4, p)) {
      const qint64 length = le_u32(p + 4);
      if (length >= 8 && length <= left) return QByteArray(p + 8, length - 8);
      if (again && take_in_growth()) continue;
      memo_damaged(path_,
                   QStringLiteral("the memo of %1 at block %2 claims %3 bytes, past the end of the memo file")
                       .arg(where)
                       .arg(block)
                       .arg(length));
    }
    if (const void* end = std::memchr(p, k_end, size_t(left)))
      return QByteArray(p, static_cast<const char*>(end) - p);
    if (again && take_in_growth()) continue;
    memo_damaged(
        path_,
        QStringLiteral("the memo of %1 at block %2 runs to the end of the memo file").arg(where).arg(block));
  }
}

std::uint32_t dbt_memo::append(const QByteArray& text) {
  const QString name = QFileInfo(path_).fileName();
  // Another writer of this process may have added memos since the file was
  // read: take the file as it is now.
  const qint64 size = dbf_io::file_size(file_, name);
  if (size != data_.size()) data_ = dbf_io::read_all(file_, name);
  char head[4];
  dbf_io::read_at(file_, 0, head, 4, name);
  const std::uint32_t block = next_free_block(size, block_size_);

  const QByteArray memo = memo_blocks(text, block_size_, dbase4_);
  const std::uint32_t next = block + std::uint32_t(memo.size() / block_size_);
  const qint64 start = qint64(block) * block_size_;
  dbf_io::write_at(file_, start, memo.constData(), memo.size(), name);
  put32(head, next);
  dbf_io::write_at(file_, 0, head, 4, name);

  data_.append(QByteArray(start - data_.size(), '\0'));
  data_.append(memo);
  put32(data_.data(), next);
  return block;
}

QByteArray dbt_memo::memo_blocks(const QByteArray& text, int block_size, bool dbase4_layout) {
  if (!dbase4_layout && text.contains(k_end))
    throw dbf_error(dbf_error_kind::other,
                    QStringLiteral("A memo text holding the character 26 cannot be stored"),
                    dbf_errno::conversion);
  QByteArray memo;
  if (dbase4_layout) {
    memo = QByteArray(k_dbase4_mark, 4) + QByteArray(4, '\0') + text;
    put32(memo.data() + 4, std::uint32_t(memo.size()));
  } else {
    memo = text + QByteArray(2, k_end);
  }
  const qint64 blocks = (memo.size() + block_size - 1) / block_size;
  memo.append(QByteArray(blocks * block_size - memo.size(), '\0'));
  return memo;
}

std::uint32_t dbt_memo::append_to(QByteArray& file, const QByteArray& text, bool dbase4_layout) {
  if (file.size() < 4) file.append(QByteArray(4 - file.size(), '\0'));
  const int block_size = block_size_of(file, dbase4_layout);
  const std::uint32_t block = next_free_block(file.size(), block_size);
  const QByteArray memo = memo_blocks(text, block_size, dbase4_layout);
  file.append(QByteArray(qint64(block) * block_size - file.size(), '\0'));
  file.append(memo);
  put32(file.data(), block + std::uint32_t(memo.size() / block_size));
  return block;
}

QByteArray dbt_memo::empty_file(bool dbase4_layout) {
  QByteArray b(k_default_block, '\0');
  put32(b.data(), 1);
  b[16] = 0x03;
  if (dbase4_layout) {
    b[20] = char(k_default_block & 0xFF);
    b[21] = char(k_default_block >> 8);
  }
  return b;
}

}  // namespace km::platform
