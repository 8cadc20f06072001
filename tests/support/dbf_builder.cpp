#include "support/dbf_builder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace km::test {

namespace {

void put16(QByteArray& b, int at, int v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char((v >> 8) & 0xFF);
}

void put32(QByteArray& b, int at, quint32 v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void write_file(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    qFatal("dbf_builder: cannot write %s", qPrintable(path));
}

}  // namespace

dbf_builder& dbf_builder::version(int byte) {
  version_ = byte;
  return *this;
}
dbf_builder& dbf_builder::date(int year, int month, int day) {
  year_ = year;
  month_ = month;
  day_ = day;
  return *this;
}
dbf_builder& dbf_builder::field(const QByteArray& name, char type, int width, int decimals) {
  fields_.push_back({name, type, width, decimals});
  return *this;
}
dbf_builder& dbf_builder::record(const std::vector<QByteArray>& values, bool deleted) {
  records_.push_back({values, deleted, std::nullopt});
  return *this;
}
dbf_builder& dbf_builder::raw_record(const QByteArray& bytes) {
  records_.push_back({{}, false, bytes});
  return *this;
}
dbf_builder& dbf_builder::header_length(int length) {
  header_length_ = length;
  return *this;
}
dbf_builder& dbf_builder::header_padding(int bytes) {
  header_padding_ = bytes;
  return *this;
}
dbf_builder& dbf_builder::record_length(int length) {
  record_length_ = length;
  return *this;
}
dbf_builder& dbf_builder::record_count(int count) {
  record_count_ = count;
  return *this;
}
dbf_builder& dbf_builder::end_marker(bool present) {
  end_marker_ = present;
  return *this;
}
dbf_builder& dbf_builder::trailing(const QByteArray& b) {
  trailing_ = b;
  return *this;
}
dbf_builder& dbf_builder::dbase4_memos(bool on) {
  dbase4_memos_ = on;
  return *this;
}

bool dbf_builder::has_memo() const {
  for (const auto& f : fields_)
    if (f.type == 'M') return true;
  return false;
}

QByteArray dbf_builder::record_bytes(const std::vector<QByteArray>& values, bool deleted,
                                     QByteArray& memo) const {
  QByteArray rec(1, deleted ? '*' : ' ');
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const field_def& f = fields_[i];
    QByteArray v = i < values.size() ? values[i] : QByteArray();
    if (f.type == 'M' && !v.isEmpty()) {
      const int block = int(memo.size() / block_size);
      QByteArray text;
      if (dbase4_memos_) {
        text = QByteArray("\xFF\xFF\x08\x00", 4) + QByteArray(4, '\0') + v;
        put32(text, 4, quint32(text.size()));
      } else {
        text = v + "\x1A\x1A";
      }
      text.append(QByteArray((block_size - text.size() % block_size) % block_size, '\0'));
      memo.append(text);
      put32(memo, 0, quint32(memo.size() / block_size));
      v = QByteArray::number(block);
    }
    v = v.left(f.width);
    const QByteArray pad(f.width - v.size(), ' ');
    const bool right = f.type == 'N' || f.type == 'F' || f.type == 'M';
    rec += right ? pad + v : v + pad;
  }
  return rec;
}

void dbf_builder::build(QByteArray& dbf, QByteArray& dbt) const {
  dbt = QByteArray(block_size, '\0');
  put32(dbt, 0, 1);
  if (dbase4_memos_) put16(dbt, 20, block_size);

  int rec_len = 1;
  for (const auto& f : fields_) rec_len += f.width;
  const int head_len = 32 + 32 * int(fields_.size()) + 1 + header_padding_;

  QByteArray head(32, '\0');
  head[0] = char(version_ >= 0 ? version_ : (has_memo() ? 0x83 : 0x03));
  head[1] = char(year_ - 1900);
  head[2] = char(month_);
  head[3] = char(day_);
  put32(head, 4, quint32(record_count_.value_or(int(records_.size()))));
  put16(head, 8, header_length_.value_or(head_len));
  put16(head, 10, record_length_.value_or(rec_len));
  for (const auto& f : fields_) {
    QByteArray d(32, '\0');
    for (int i = 0; i < f.name.size() && i < 11; ++i) d[i] = f.name[i];
    d[11] = f.type;
    d[16] = char(f.width);
    d[17] = char(f.decimals);
    head += d;
  }
  head += '\x0D';
  head += QByteArray(header_padding_, '\0');

  dbf = head;
  for (const auto& r : records_) dbf += r.raw ? *r.raw : record_bytes(r.values, r.deleted, dbt);
  if (end_marker_) dbf += '\x1A';
  dbf += trailing_;
}

QByteArray dbf_builder::dbf() const {
  QByteArray dbf, dbt;
  build(dbf, dbt);
  return dbf;
}

QByteArray dbf_builder::dbt() const {
  if (!has_memo()) return {};
  QByteArray dbf, dbt;
  build(dbf, dbt);
  return dbt;
}

QString dbf_builder::write(const QString& native_dbf_path) const {
  QByteArray dbf, dbt;
  build(dbf, dbt);
  write_file(native_dbf_path, dbf);
  if (has_memo()) {
    const QFileInfo info(native_dbf_path);
    write_file(info.absolutePath() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral(".dbt"),
               dbt);
  }
  return native_dbf_path;
}

bool python_dbf_available() { return python_module_available(QStringLiteral("dbf")); }

namespace {

const char* const k_dump = R"(
import dbf, json, sys, datetime, decimal
t = dbf.Table(sys.argv[1], codepage='cp1252')
t.open(dbf.READ_ONLY)
rows = []
for r in t:
    row = [bool(dbf.is_deleted(r))]
    for name in t.field_names:
        v = r[name]
        if isinstance(v, (datetime.date,)):
            v = v.isoformat()
        elif isinstance(v, decimal.Decimal):
            v = float(v)
        elif v is not None and not isinstance(v, (str, bool, int, float)):
            v = str(v)
        row.append(v)
    rows.append(row)
print(json.dumps({'count': len(t), 'fields': t.field_names, 'rows': rows}))
t.close()
)";

}  // namespace

QJsonObject python_dbf_dump(const QString& native_path) {
  const auto r = run_python(QString::fromLatin1(k_dump), {native_path});
  EXPECT_EQ(r.exit_code, 0) << r.err.toStdString();
  return QJsonDocument::fromJson(r.out).object();
}

dbf_builder two_records_with_memos() {
  dbf_builder b;
  b.field("NR", 'N', 4).field("NAME", 'C', 8).field("NOTE", 'M', 10);
  b.record({"1", "Ann", "memo one"}).record({"2", "Ben", "memo two"});
  return b;
}

}  // namespace km::test
