// Our tables against an independent reader and writer (python3-dbf):
// what we write, edit, append and delete reads the same there, and what it
// writes reads the same here.
#include <gtest/gtest.h>

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "platform/clock.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "support/dbf_builder.h"

namespace {

using km::platform::dbf_table;
using km::platform::recordset;
using km::platform::Value;

double days_of(int y, int m, int d) { return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))); }

QJsonObject python_dump(const QString& dbf_path) { return km::test::python_dbf_dump(dbf_path); }

class dbf_python_peer_test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!km::test::python_dbf_available())
      FAIL() << "/usr/bin/python3 cannot import dbf: install python3-dbf (scripts/install-deps.sh)";
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

TEST_F(dbf_python_peer_test, tables_we_write_read_the_same_there) {
  km::platform::fake_clock clk(days_of(2024, 5, 6));
  km::platform::scoped_clock use(clk);
  const QString p = path("peer.dbf");
  km::platform::create_dbf_table(p, {{QStringLiteral("NR"), 'N', 6, 0, 0},
                                     {QStringLiteral("NAME"), 'C', 20, 0, 0},
                                     {QStringLiteral("MARK"), 'N', 6, 1, 0},
                                     {QStringLiteral("BORN"), 'D', 8, 0, 0},
                                     {QStringLiteral("PRESENT"), 'L', 1, 0, 0},
                                     {QStringLiteral("NOTE"), 'M', 10, 0, 0}});
  {
    recordset rs(std::make_unique<dbf_table>(p, dbf_table::access::read_write));
    auto add = [&rs](double nr, const QString& name, const Value& mark, const Value& born,
                     const Value& present, const Value& note) {
      rs.add_new();
      rs.set_value(0, Value(nr));
      rs.set_value(1, Value(name));
      rs.set_value(2, mark);
      rs.set_value(3, born);
      rs.set_value(4, present);
      rs.set_value(5, note);
      rs.update();
    };
    add(101, QStringLiteral("Zo\u00EB Venter"), Value(72.46), Value::date(days_of(2009, 2, 28)), Value(true),
        Value(QStringLiteral("Goeie werk \u2013 hou so aan")));
    add(102, QStringLiteral("Removed Learner"), Value(1.0), Value(), Value(false),
        Value(QStringLiteral("x")));
    add(103, QStringLiteral("Sipho Ndlovu"), Value(QStringLiteral("-3.05")), Value(), Value(), Value());
    rs.move_first();
    rs.edit();
    rs.set_value(QStringLiteral("mark"), Value(80.0));
    rs.set_value(QStringLiteral("note"), Value(QString(700, QLatin1Char('n'))));  // two blocks
    rs.update();
    rs.move_next();
    rs.delete_current();
  }
  const QJsonObject dump = python_dump(p);
  EXPECT_EQ(dump[QStringLiteral("count")].toInt(), 3);
  const QJsonArray rows = dump[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), 3);
  const QJsonArray a = rows[0].toArray(), b = rows[1].toArray(), c = rows[2].toArray();
  EXPECT_FALSE(a[0].toBool());
  EXPECT_EQ(a[1].toDouble(), 101);
  EXPECT_EQ(a[2].toString().trimmed(), QStringLiteral("Zo\u00EB Venter"));
  EXPECT_EQ(a[3].toDouble(), 80.0);
  EXPECT_EQ(a[4].toString(), QStringLiteral("2009-02-28"));
  EXPECT_EQ(a[5].toBool(), true);
  EXPECT_EQ(a[6].toString(), QString(700, QLatin1Char('n')));
  EXPECT_TRUE(b[0].toBool());  // deleted
  EXPECT_EQ(b[2].toString().trimmed(), QStringLiteral("Removed Learner"));
  EXPECT_FALSE(c[0].toBool());
  EXPECT_EQ(c[3].toDouble(), -3.1);  // -3.05 rounded half away from zero
  EXPECT_TRUE(c[4].isNull());
  EXPECT_TRUE(c[5].isNull());
  EXPECT_EQ(c[6].toString(), QString());
}

TEST_F(dbf_python_peer_test, a_rebuilt_table_reads_the_same_there) {
  const QString tpl = path("mrk_book.org");
  km::test::dbf_builder().field("MB_T_NR", 'N', 6).field("MB_NAME", 'C', 40).field("R1", 'C', 6).write(tpl);
  const QString p = path("marks1.dbf");
  km::platform::rebuild_dbf_table(
      p, tpl,
      {{Value(7.0), Value(QStringLiteral("ADAMS")), Value(QStringLiteral("12.5"))},
       {Value(9.0), Value(QStringLiteral("BOTHA")), Value()}});
  const QJsonArray rows = python_dump(p)[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0].toArray()[1].toDouble(), 7);
  EXPECT_EQ(rows[0].toArray()[3].toString().trimmed(), QStringLiteral("12.5"));
  EXPECT_EQ(rows[1].toArray()[2].toString().trimmed(), QStringLiteral("BOTHA"));
}

TEST_F(dbf_python_peer_test, tables_it_writes_read_the_same_here) {
  const QString p = path("theirs.dbf");
  const auto r = km::test::run_python(QStringLiteral(R"(
import dbf, sys, datetime
t = dbf.Table(sys.argv[1], 'nr N(6,0); name C(20); mark N(5,1); born D; ok L; note M',
              dbf_type='db3', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append((1, 'Anna', 7.5, datetime.date(2010, 3, 4), True, 'hello memo'))
t.append((2, 'Bert', None, None, None, ''))
t.append((3, 'Ci\u00ebl', -12.4, datetime.date(2011, 12, 31), False, 'x' * 600))
t.append((4, 'Dumi', 100.0, None, None, None))
dbf.delete(t[1])
t.close()
)"),
                                      {p});
  ASSERT_EQ(r.exit_code, 0) << r.err.toStdString();
  recordset rs(std::make_unique<dbf_table>(p, dbf_table::access::read_only));
  ASSERT_EQ(rs.record_count(), 3);
  EXPECT_EQ(rs.value(0), Value(1.0));
  EXPECT_EQ(rs.value(1), Value(QStringLiteral("Anna").leftJustified(20)));
  EXPECT_EQ(rs.value(2), Value(7.5));
  EXPECT_EQ(rs.value(3), Value::date(days_of(2010, 3, 4)));
  EXPECT_EQ(rs.value(4), Value(true));
  EXPECT_EQ(rs.value(5), Value(QStringLiteral("hello memo")));
  rs.move_next();
  EXPECT_EQ(rs.value(1), Value(QStringLiteral("Ci\u00EBl").leftJustified(20)));
  EXPECT_EQ(rs.value(2), Value(-12.4));
  EXPECT_EQ(rs.value(3), Value::date(days_of(2011, 12, 31)));
  EXPECT_EQ(rs.value(4), Value(false));
  EXPECT_EQ(rs.value(5), Value(QString(600, QLatin1Char('x'))));
  rs.move_next();
  EXPECT_EQ(rs.value(0), Value(4.0));
  EXPECT_EQ(rs.value(2), Value(100.0));
  EXPECT_EQ(rs.value(3), Value::null());
  EXPECT_EQ(rs.value(4), Value::null());  // written as '?'

  // and our changes to its table read back there
  {
    recordset w(std::make_unique<dbf_table>(p, dbf_table::access::read_write));
    w.move_last();
    w.edit();
    w.set_value(QStringLiteral("NOTE"), Value(QStringLiteral("added later")));
    w.set_value(QStringLiteral("MARK"), Value(99.9));
    w.update();
    w.add_new();
    w.set_value(QStringLiteral("NR"), Value(5.0));
    w.set_value(QStringLiteral("NAME"), Value(QStringLiteral("Eben")));
    w.update();
  }
  const QJsonObject dump = python_dump(p);
  const QJsonArray rows = dump[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[3].toArray()[3].toDouble(), 99.9);
  EXPECT_EQ(rows[3].toArray()[6].toString(), QStringLiteral("added later"));
  EXPECT_EQ(rows[2].toArray()[6].toString(), QString(600, QLatin1Char('x')));
  EXPECT_EQ(rows[4].toArray()[1].toDouble(), 5);
  EXPECT_EQ(rows[4].toArray()[2].toString().trimmed(), QStringLiteral("Eben"));
}

// What follows the records a header counts is not part of the table, here
// as there: a record an append wrote before it could count it, line ends,
// half a record.
struct trailing_case {
  const char* name;
  int counted;       // the header's record count (the file holds three records)
  QByteArray after;  // what follows the three records
};

const char* const k_names[] = {"Ann", "Ben", "Cat"};

class dbf_trailing_test : public ::testing::TestWithParam<trailing_case> {};

TEST_P(dbf_trailing_test, only_the_counted_records_are_read_here_and_there) {
  const trailing_case& c = GetParam();
  QTemporaryDir dir;
  km::test::dbf_builder b;
  b.field("NR", 'N', 4).field("NAME", 'C', 8);
  for (int i = 0; i < 3; ++i) b.record({QByteArray::number(i + 1), k_names[i]});
  b.record_count(c.counted).end_marker(false).trailing(c.after);
  const QString p = b.write(dir.filePath(QStringLiteral("t.dbf")));
  {
    recordset rs(std::make_unique<dbf_table>(p, dbf_table::access::read_write));
    ASSERT_EQ(rs.record_count(), c.counted);
    rs.move_last();
    EXPECT_EQ(rs.value(1), Value(QString::fromLatin1(k_names[c.counted - 1]).leftJustified(8)));
  }
  if (!km::test::python_dbf_available()) GTEST_SKIP() << "/usr/bin/python3 cannot import dbf (python3-dbf)";
  const QJsonObject dump = python_dump(p);
  EXPECT_EQ(dump[QStringLiteral("count")].toInt(), c.counted);
  const QJsonArray rows = dump[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), c.counted);
  EXPECT_EQ(rows.last().toArray()[2].toString().trimmed(), QString::fromLatin1(k_names[c.counted - 1]));
}

INSTANTIATE_TEST_SUITE_P(cases, dbf_trailing_test,
                         ::testing::Values(trailing_case{"an_append_interrupted_before_its_count", 2, "\x1A"},
                                           trailing_case{"a_record_past_the_count_without_end_marker", 2, {}},
                                           trailing_case{"line_ends", 3, "\r\n"},
                                           trailing_case{"half_a_record", 3, "\x1A 4   D"},
                                           trailing_case{"other_bytes", 3, "xyz"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
