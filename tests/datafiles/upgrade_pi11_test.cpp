// The PI11 record: its build from the older PI1 file and the two repairs of
// record 1.

#include <utility>
#include <vector>

#include "common/file_number_pool.h"
#include "upgrade_fixture.h"

namespace km::test {
namespace {

// A PI1 record: bounds 80 and 20, cycles 1..4 named C1..C3 and the given
// fourth name, weighted 0.25 each; tasks 1..8 named T1..T8 with weight i
// and value 10 i.
QByteArray pi1_record_bytes(const char* fourth_cycle) {
  QByteArray out = le_single(80.0F) + le_single(20.0F) + le16(4) + blanks(5);
  for (const char* name : {"C1", "C2", "C3"}) out += padded(name, 5);
  out += padded(fourth_cycle, 5);
  out += zeros(4);
  for (int i = 1; i <= 4; ++i) out += le_single(0.25F);
  out += blanks(5);
  for (int i = 1; i <= 8; ++i) out += padded(QByteArray("T" + QByteArray::number(i)).constData(), 5);
  for (int factor : {1, 10}) {
    out += zeros(4);
    for (int i = 1; i <= 8; ++i) out += le_single(float(factor * i));
  }
  return out;
}

TEST(fifth_cycle_name, replaces_every_four_and_keeps_other_names) {
  EXPECT_EQ(fifth_cycle_name(QStringLiteral("S4")), QStringLiteral("S5"));
  EXPECT_EQ(fifth_cycle_name(QStringLiteral("44A")), QStringLiteral("55A"));
  EXPECT_EQ(fifth_cycle_name(QStringLiteral("AB")), QStringLiteral("AB"));
}

TEST_F(upgrade_test, pi1_becomes_pi11_with_a_fifth_cycle_and_all_eight_tasks) {
  struct row {
    const char* fourth;
    QByteArray fifth;
  };
  const row rows[] = {{"S4", padded("S5", 5)}, {"AB", padded("AB", 5)}};
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.fourth);
    const QString folder = QStringLiteral("Y%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    const QByteArray pi1 = pi1_record_bytes(r.fourth);
    ASSERT_EQ(pi1.size(), 172);
    put(QStringLiteral("pi1_random.txt"), pi1, folder);
    const QByteArray pi5 = padded("X", 5) + zeros(84);
    put(QStringLiteral("pi5_random.txt"), pi5, folder);
    g_year = QStringLiteral("2015");
    open(QStringLiteral("PI11"), win);

    const QByteArray pi11 = bytes_of(QStringLiteral("pi11_random.txt"), win);
    ASSERT_EQ(pi11.size(), 272);
    EXPECT_EQ(hex(pi11.left(8)), hex(pi1.left(8)));
    EXPECT_EQ(hex(pi11.mid(8, 2)), hex(bytes({0x05, 0x00})));
    EXPECT_EQ(hex(pi11.mid(15, 20)), hex(pi1.mid(15, 20)));
    EXPECT_EQ(hex(pi11.mid(35, 5)), hex(r.fifth));
    EXPECT_EQ(hex(pi11.mid(44, 16)), hex(pi1.mid(39, 16)));
    EXPECT_EQ(hex(pi11.mid(60, 4)), hex(bytes({0x00, 0x00, 0x80, 0x3E})));
    EXPECT_EQ(hex(pi11.mid(69, 40)), hex(pi1.mid(60, 40)));  // T1..T8, "T8   " at 104
    EXPECT_EQ(hex(pi11.mid(104, 5)), hex(padded("T8", 5)));
    EXPECT_EQ(hex(pi11.mid(148, 32)), hex(pi1.mid(104, 32)));
    EXPECT_EQ(hex(pi11.mid(212, 32)), hex(pi1.mid(140, 32)));
    EXPECT_EQ(g_cycle_entry_count, 5);
    EXPECT_TRUE(exists(QStringLiteral("pi14_random.txt"), win));
    EXPECT_FALSE(exists(QStringLiteral("pi5_random.txt"), win));
    EXPECT_EQ(hex(bytes_of(QStringLiteral("save\\pi5_random.txt"), win)), hex(pi5));
  }
}

// Record 1 of PI11 with tasks 1..named named Ti (weight 1, value 7).
QByteArray pi11_with_tasks(int named) {
  QByteArray out = zeros(10) + blanks(30) + zeros(24) + blanks(5);
  for (int i = 1; i <= 15; ++i)
    out += i <= named ? padded(QByteArray("T" + QByteArray::number(i)).constData(), 5) : blanks(5);
  out += zeros(4);
  for (int i = 1; i <= 15; ++i) out += le_single(i <= named ? 1.0F : 0.0F);
  out += zeros(4);
  for (int i = 1; i <= 15; ++i) out += le_single(i <= named ? 7.0F : 0.0F);
  return out;
}

TEST_F(upgrade_test, ana_goes_to_the_highest_free_task_only_when_that_task_is_free) {
  struct row {
    const char* name;
    const char* grade;
    int task_count;
    int cycle_count;
    std::vector<std::pair<int, const char*>> extra_names;  // task, name
    int ana;                                               // 0: nothing written
  };
  const std::vector<row> rows = {
      {"highest free slot", "8", 15, 0, {}, 15},
      {"target past task 15", "8", 15, 5, {}, 0},
      {"scan stops at ADJ", "8", 15, 0, {{12, "ADJ"}}, 15},
      {"target in use", "8", 12, 2, {{14, "T14"}}, 0},
      {"grade 11", "11", 15, 0, {}, 0},
      {"no grade", "", 15, 0, {}, 0},
  };
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString folder = QStringLiteral("A%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    g_grade = QLatin1String(r.grade);
    g_task_entry_count = std::int16_t(r.task_count);
    g_cycle_entry_count = std::int16_t(r.cycle_count);
    QByteArray before = pi11_with_tasks(10);
    for (const auto& [task, name] : r.extra_names) before.replace(64 + task * 5, 5, padded(name, 5));
    ASSERT_EQ(before.size(), 272);
    put(QStringLiteral("pi11_random.txt"), before, folder);
    open(QStringLiteral("PI11"), win);
    QByteArray expected = before;
    if (r.ana != 0) {
      expected.replace(64 + r.ana * 5, 5, padded("ANA", 5));
      expected.replace(144 + r.ana * 4, 4, le_single(1.0F));
    }
    EXPECT_EQ(hex(bytes_of(QStringLiteral("pi11_random.txt"), win)), hex(expected));
  }
}

TEST_F(upgrade_test, zero_weights_clear_values_and_never_write_into_an_empty_or_older_file) {
  struct row {
    const char* name;
    QByteArray before;
    QByteArray after;
  };
  QByteArray weighted = pi11_with_tasks(10);
  weighted.replace(144 + 3 * 4, 4, le_single(0.0F));  // T3: weight 0, value 7
  QByteArray cleared = weighted;
  cleared.replace(208 + 3 * 4, 4, le_single(0.0F));
  QByteArray older =
      zeros(10) + blanks(30) + zeros(24) + blanks(5) + padded("T1", 5) + blanks(30) + zeros(64);
  ASSERT_EQ(older.size(), 168);
  const row rows[] = {
      {"value of a weightless task", weighted, cleared},
      {"empty file", QByteArray(), QByteArray()},
      {"older layout", older, older},
  };
  g_task_entry_count = 15;
  int n = 0;
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    const QString folder = QStringLiteral("Z%1").arg(++n);
    const QString win = QStringLiteral("C:\\") + folder;
    put(QStringLiteral("pi11_random.txt"), r.before, folder);
    open(QStringLiteral("PI11"), win);
    EXPECT_EQ(hex(bytes_of(QStringLiteral("pi11_random.txt"), win)), hex(r.after));
  }
}

}  // namespace
}  // namespace km::test
