#include "conversion_fixture.h"

#include <QJsonDocument>
#include <QStringList>

#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "platform/file_system.h"
#include "platform/record_bytes.h"
#include "platform/win_path.h"

namespace km::test {

namespace {

const char* const table_writer = R"(
import dbf, sys, json, datetime
name, fields, rows, deleted = sys.argv[1], sys.argv[2], json.loads(sys.argv[3]), json.loads(sys.argv[4])
t = dbf.Table(name, fields, dbf_type='db3', codepage='cp1252')
t.open(dbf.READ_WRITE)
def cell(v):
    if isinstance(v, str) and v.startswith('@date:'):
        y, m, d = (int(p) for p in v[6:].split('-'))
        return datetime.date(y, m, d)
    return v
for row in rows:
    t.append(tuple(cell(v) for v in row))
for i in deleted:
    dbf.delete(t[i])
t.close()
)";

QString native_data(const QString& name) {
  return platform::to_native_path(QStringLiteral("C:\\DATA\\") + name);
}

}  // namespace

QJsonValue date_cell(int year, int month, int day) {
  return QStringLiteral("@date:%1-%2-%3").arg(year).arg(month).arg(day);
}

QString repeated(const QString& pattern, int first, int last) {
  QStringList parts;
  for (int n = first; n <= last; ++n) parts << pattern.arg(n);
  return parts.join(QStringLiteral("; "));
}

QJsonArray row_of(const QString& fields, const QHash<QString, QJsonValue>& cells) {
  QHash<QString, QJsonValue> upper;
  for (auto it = cells.begin(); it != cells.end(); ++it) upper.insert(it.key().toUpper(), it.value());
  QJsonArray row;
  QStringList names;
  for (const QString& field : fields.split(u';')) {
    names << field.trimmed().section(u' ', 0, 0).toUpper();
    row.append(upper.value(names.last(), QJsonValue::Null));
  }
  for (auto it = upper.begin(); it != upper.end(); ++it)
    EXPECT_TRUE(names.contains(it.key())) << it.key().toStdString() << " is not a field of the table";
  return row;
}

QByteArray single_bytes(float v) {
  QByteArray out(4, '\0');
  platform::store_single(out, 0, v);
  return out;
}

QByteArray int16_bytes(std::int16_t v) {
  QByteArray out(2, '\0');
  platform::store_le<qint16>(out, 0, v);
  return out;
}

QByteArray date_bytes(double days) {
  QByteArray out(8, '\0');
  platform::store_double(out, 0, days);
  return out;
}

const QString history_fields = QStringLiteral("PH_T_NR N(6,0); ") +
                               repeated(QStringLiteral("PH_STD_%1 C(4)"), 1, 5) + QStringLiteral("; ") +
                               repeated(QStringLiteral("PH_JAAR_%1 N(7,1)"), 1, 5);
const QString hostel_fields =
    QStringLiteral("KH_T_NR N(6,0); KH_KOSHUIS C(12); KH_KAMER C(5); KH_WASGOED C(5); KH_MEMO M");

QByteArray blanks(int n) { return QByteArray(n, ' '); }
QByteArray zeros(int n) { return QByteArray(n, '\0'); }

void conversion_test::SetUp() {
  ASSERT_TRUE(python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  g_year = QStringLiteral("2014");
  set_data_file_services(&services);
  drives.make_native_folder(QStringLiteral("C/DATA"));
}

void conversion_test::TearDown() {
  dialogs.verify();
  clean_state_test::TearDown();
}

void conversion_test::write_table(const QString& name, const QString& fields,
                                  const std::vector<QJsonArray>& row_list, const QList<int>& deleted) {
  QJsonArray rows;
  for (const QJsonArray& row : row_list) rows.append(row);
  QJsonArray positions;
  for (int i : deleted) positions.append(i);
  const auto r = run_python(QString::fromLatin1(table_writer),
                            {native_data(name), fields, QString::fromUtf8(QJsonDocument(rows).toJson()),
                             QString::fromUtf8(QJsonDocument(positions).toJson())});
  ASSERT_EQ(r.exit_code, 0) << r.err.toStdString();
}

void conversion_test::write_raw_table(const QString& name, const dbf_builder& builder) {
  builder.write(native_data(name));
}

void conversion_test::put(const QString& relative, const QByteArray& bytes) {
  drives.write_native(QStringLiteral("C/DATA/") + relative, bytes);
}

QByteArray conversion_test::data_file(const QString& name) const {
  return read_native_file(native_data(name));
}

QByteArray conversion_test::saved_file(const QString& name) const {
  return read_native_file(native_data(QStringLiteral("save\\") + name));
}

bool conversion_test::in_data(const QString& name) const {
  return platform::file_exists(QStringLiteral("C:\\DATA\\") + name);
}

bool conversion_test::in_save(const QString& name) const {
  return platform::file_exists(QStringLiteral("C:\\DATA\\save\\") + name);
}

void conversion_test::discard(std::int16_t& number, const QString& record_file) {
  close_file(number);
  const QString path = QStringLiteral("C:\\DATA\\") + record_file;
  if (platform::file_exists(path)) platform::delete_file(path, true);
}

void conversion_test::open(const QString& code) { open_random_files(code, QStringLiteral("C:\\DATA")); }

QByteArray conversion_test::record(const QByteArray& file, int k, int length) {
  return file.mid(qsizetype(k - 1) * length, length);
}

QByteArray conversion_test::at(const QByteArray& record, int from, int to) {
  return record.mid(from, to - from + 1);
}

}  // namespace km::test
