// Every declared conversion run through the opening on a table of three
// rows that has every field its mapping reads: one record per row (PI1: the
// first row only), the source put away as declared, and the numbers of each
// record read back with Python's struct beside the table as python3-dbf
// reads it.

#include <QJsonArray>
#include <QJsonDocument>
#include <vector>

#include "conversion_fixture.h"
#include "datafiles/conversion_plan.h"
#include "datafiles/conversion_table.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace km::test {
namespace {

struct source_field {
  QString name;
  QString type;    // as python3-dbf declares it
  QString peer;    // struct format of the record field the peer checks ("" none)
  int offset = 0;  // of that record field
};

QString python_type(const conversion& c, const field_member& member, const platform::field_def& f) {
  switch (member.how) {
    case rule::text:
    case rule::text_trimmed:
      if (c.memo != nullptr && f.width >= 100) return QStringLiteral("M");
      return QStringLiteral("C(%1)").arg(f.width);
    case rule::chars:
      return QStringLiteral("C(20)");
    case rule::date:
      return QStringLiteral("D");
    case rule::flag:
    case rule::flag_nonzero:
      return QStringLiteral("L");
    default:
      return QStringLiteral("N(6,0)");
  }
}

// The struct format of the peer's check: f single, h int16, d date, b flag,
// t<n> text, s<n> text trimmed at both ends ("" for none).
QString peer_format(const field_member& member, const platform::field_def& f) {
  switch (member.how) {
    case rule::text:
      return QStringLiteral("t%1").arg(f.width);
    case rule::chars:
      return QStringLiteral("t%1").arg(member.span);
    case rule::text_trimmed:
      return QStringLiteral("s%1").arg(f.width);
    case rule::single:
    case rule::strict_single:
    case rule::raw_single:
      return QStringLiteral("f");
    case rule::int16:
      return QStringLiteral("h");
    case rule::date:
      return QStringLiteral("d");
    case rule::flag:
    case rule::flag_nonzero:
      return QStringLiteral("b");
    default:
      return {};
  }
}

// Every table field the declaration reads, in its order.
std::vector<source_field> fields_of(const conversion& c) {
  std::vector<source_field> out;
  const auto add = [&](const field_member& member, const QString& name, int n) {
    const platform::field_def& f = *platform::find_field(*c.layout, member.record_field);
    const int element = n == 0 ? f.first_index : (member.element ? member.element(n) : n);
    out.push_back({name, python_type(c, member, f), peer_format(member, f),
                   f.offset + (element - f.first_index) * f.width});
  };
  for (const field_group& g : c.fields) {
    if (g.first == 0) {
      add(g.members[0], QLatin1String(g.members[0].source), 0);
      continue;
    }
    for (int n = g.first; n <= g.last; ++n)
      for (const field_member& member : g.members)
        if (member.record_field != nullptr) add(member, element_source_name(member.source, n, g.naming), n);
  }
  return out;
}

QJsonValue cell(const source_field& f, int row, int i) {
  if (f.type.startsWith(u'C')) {
    const int width = f.type.mid(2, f.type.size() - 3).toInt();
    return QStringLiteral("T%1").arg(row).right(width);
  }
  if (f.type == QLatin1String("M")) return QStringLiteral("memo of row %1").arg(row);
  if (f.type == QLatin1String("D")) return date_cell(2010 + row, 1 + i % 12, 1 + i % 28);
  if (f.type == QLatin1String("L")) return row != 1;
  return (row + 1) * 1000 + i;
}

const char* const struct_peer = R"(
import dbf, json, struct, sys, datetime
table, records, length, rows, checks = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), json.loads(sys.argv[5])
t = dbf.Table(table, codepage='cp1252')
t.open(dbf.READ_ONLY)
data = open(records, 'rb').read()
problems = []
for k, r in enumerate(list(t)[:rows]):
    rec = data[k * length:(k + 1) * length]
    for name, fmt, off in checks:
        v = r[name.lower()]
        if fmt == 'f':
            want = struct.pack('<f', float(v))
        elif fmt == 'h':
            want = struct.pack('<h', round(float(v)))
        elif fmt == 'd':
            want = struct.pack('<d', float((v - datetime.date(1899, 12, 30)).days))
        elif fmt == 'b':
            want = struct.pack('<h', -1 if v else 0)
        else:
            text = (v or '').rstrip()
            if fmt[0] == 's':
                text = text.strip()
            width = int(fmt[1:])
            want = text.encode('cp1252')[:width].ljust(width, b' ')
        if rec[off:off + len(want)] != want:
            problems.append('row %d field %s: %s, record has %s' % (k + 1, name, v, rec[off:off + len(want)].hex()))
print('\n'.join(problems))
sys.exit(1 if problems else 0)
)";

class every_conversion_test : public conversion_test, public ::testing::WithParamInterface<const char*> {};

TEST_P(every_conversion_test, three_rows_give_their_records_and_the_source_is_put_away_as_declared) {
  const conversion& c = *find_conversion(GetParam());
  g_year = QStringLiteral("2013");
  const std::vector<source_field> fields = fields_of(c);
  QStringList field_list;
  for (const source_field& f : fields) field_list << f.name + u' ' + f.type;
  std::vector<QJsonArray> rows;
  for (int row = 0; row < 3; ++row) {
    QJsonArray cells;
    for (std::size_t i = 0; i < fields.size(); ++i) cells.append(cell(fields[i], row, int(i)));
    rows.push_back(cells);
  }
  const QString table = QLatin1String(c.table);
  write_table(table, field_list.join(QStringLiteral("; ")), rows);
  const QByteArray table_bytes = data_file(table);
  const QString memo = c.memo ? QLatin1String(c.memo) : QString();
  const QByteArray memo_bytes = c.memo ? data_file(memo) : QByteArray();
  if (c.memo) {
    ASSERT_FALSE(memo_bytes.isEmpty());
  }
  if (c.retire == retire_kind::named_file) put(QLatin1String(c.retire_name), "restore list");

  open(QLatin1String(c.code));

  const int records = c.rows == rows_taken::first_only ? 1 : 3;
  const QString record_file = QLatin1String(c.record_file);
  EXPECT_EQ(data_file(record_file).size(), records * c.layout->length);
  switch (c.retire) {
    case retire_kind::table:
      EXPECT_FALSE(in_data(table));
      EXPECT_EQ(saved_file(table), table_bytes);
      if (c.memo) {
        EXPECT_FALSE(in_data(memo));
        EXPECT_EQ(saved_file(memo), memo_bytes);
      }
      break;
    case retire_kind::copy_only:
      EXPECT_EQ(data_file(table), table_bytes);
      EXPECT_EQ(saved_file(table), table_bytes);
      break;
    case retire_kind::named_file:
      EXPECT_EQ(data_file(table), table_bytes);
      EXPECT_FALSE(in_save(table));
      EXPECT_FALSE(in_data(QLatin1String(c.retire_name)));
      EXPECT_EQ(saved_file(QLatin1String(c.retire_name)), QByteArray("restore list"));
      break;
    case retire_kind::none:
      EXPECT_EQ(data_file(table), table_bytes);
      EXPECT_FALSE(platform::folder_exists(QStringLiteral("C:\\DATA\\save")));
      break;
  }

  QJsonArray checks;
  for (const source_field& f : fields)
    if (!f.peer.isEmpty()) checks.append(QJsonArray{f.name, f.peer, f.offset});
  ASSERT_FALSE(checks.isEmpty());
  const QString where =
      c.retire == retire_kind::table ? QStringLiteral("C:\\DATA\\save\\") : QStringLiteral("C:\\DATA\\");
  const auto peer = run_python(QString::fromLatin1(struct_peer),
                               {platform::to_native_path(where + table),
                                platform::to_native_path(QStringLiteral("C:\\DATA\\") + record_file),
                                QString::number(c.layout->length), QString::number(records),
                                QString::fromUtf8(QJsonDocument(checks).toJson(QJsonDocument::Compact))});
  EXPECT_EQ(peer.exit_code, 0) << peer.out.toStdString() << peer.err.toStdString();
}

std::vector<const char*> every_code() {
  std::vector<const char*> codes;
  for (const conversion& c : conversion_table()) codes.push_back(c.code);
  return codes;
}

INSTANTIATE_TEST_SUITE_P(each, every_conversion_test, ::testing::ValuesIn(every_code()),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace km::test
