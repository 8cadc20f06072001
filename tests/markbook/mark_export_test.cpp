// The export of one task row into punte<N>.dbf and obe_p<N>.dbf, read back
// with python3-dbf.
#include "markbook/mark_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

#include "common/shared_variables.h"
#include "mark_book_fixture.h"
#include "markbook/mark_book_messages.h"
#include "platform/dbase/dbf_error.h"
#include "platform/file_faults.h"
#include "support/hex_dump.h"
#include "support/lock_holder.h"

namespace km {
namespace {

using rows_t = std::vector<std::vector<QString>>;

class mark_export_test : public test::mark_book_test {
 public:
  using test::mark_book_test::native;
  using test::mark_book_test::write_book;

 protected:
  void SetUp() override {
    test::mark_book_test::SetUp();
    g_language = false;
  }

 public:
  QString punte_path() const { return native(QStringLiteral("punte3.dbf")); }
  QString obe_path() const { return native(QStringLiteral("obe_p3.dbf")); }

 protected:
  // The administration tables with one learner already in them; the mark
  // field of punte3.dbf is text (type 'C') or a number N(5,1).
  void write_targets(char punte_mark_type = 'C') const {
    test::dbf_builder punte;
    punte.field("EF_T_NR", 'N', 8).field("EF_NAME", 'C', 40);
    punte_mark_type == 'N' ? punte.field("EF_PUNT", 'N', 5, 1) : punte.field("EF_PUNT", 'C', 5);
    punte.field("EF_KLAS", 'C', 3).record({"900", "Earlier Learner", "12.0", "8A"});
    punte.write(punte_path());
    test::dbf_builder obe;
    obe.field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).field("EO_P_S", 'C', 2).field("EO_PUNT", 'C', 5);
    obe.record({"900", "Earlier Learner", "1", "12.0"}).write(obe_path());
  }

  // Learner number, name and mark of the live records (the mark of punte
  // is field 2, of obe EO_PUNT, its field 3).
  rows_t punte_rows() const { return picked(live_rows(punte_path()), 2); }
  rows_t obe_rows() const { return picked(live_rows(obe_path()), 3); }
  static rows_t picked(const rows_t& rows, std::size_t mark) {
    rows_t out;
    for (const auto& r : rows) out.push_back({r[0], r[1], r[mark]});
    return out;
  }

  mark_export_result run(double task_total, double subject_total, int row = 1,
                         const mark_export_hooks& hooks = {}) {
    return export_mark_row({punte, book, obe}, {folder, n, row, task_total, subject_total, QString()}, hooks);
  }

  platform::data_control punte, book, obe;
};

const std::vector<QString> earlier{QStringLiteral("900"), QStringLiteral("Earlier Learner"),
                                   QStringLiteral("12.0")};

struct conversion_case {
  const char* name;
  double subject_total;
  double task_total;
  const char* mark;
  const char* exported;
};

class export_conversions : public mark_export_test, public ::testing::WithParamInterface<conversion_case> {};

TEST_P(export_conversions, store_the_same_text_in_both_tables) {
  const conversion_case& c = GetParam();
  write_targets();
  write_book({{"1001", "Botha Zoe", {"1.0", c.mark}}});
  const mark_export_result r = run(c.task_total, c.subject_total, 2);
  EXPECT_EQ(r.outcome, mark_export_outcome::exported);
  EXPECT_EQ(r.message, QString());
  EXPECT_EQ(r.exported, 1);
  const std::vector<QString> added{QStringLiteral("1001"), QStringLiteral("Botha Zoe"),
                                   QString::fromLatin1(c.exported)};
  EXPECT_EQ(punte_rows(), (rows_t{earlier, added}));
  EXPECT_EQ(obe_rows(), (rows_t{earlier, added}));
}

INSTANTIATE_TEST_SUITE_P(marks, export_conversions,
                         ::testing::Values(conversion_case{"halves_to_even_down", 100, 16, "5.0", "31.2"},
                                           conversion_case{"rounds_up", 100, 16, "7.0", "43.8"},
                                           conversion_case{"whole", 100, 50, "37.5", "75.0"},
                                           conversion_case{"a_third", 100, 30, "10.0", "33.3"},
                                           conversion_case{"absent", 100, 16, "A", "A"},
                                           conversion_case{"absent_lower_case", 100, 16, "a", "a"},
                                           conversion_case{"blank", 100, 16, "", ""},
                                           conversion_case{"subject_total_0_goes_as_stored", 0, 50, "37.5",
                                                           "37.5"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(mark_export_test, a_numeric_mark_field_takes_the_number_and_stays_blank_for_letters) {
  write_targets('N');
  write_book({{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"A"}}});
  ASSERT_EQ(run(16, 100).outcome, mark_export_outcome::exported);
  const QJsonArray rows = test::python_dbf_dump(punte_path())[QStringLiteral("rows")].toArray();
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[1].toArray()[3].toDouble(), 31.2);
  EXPECT_TRUE(rows[2].toArray()[3].isNull()) << rows[2].toArray()[3].toVariant().toString().toStdString();
  EXPECT_EQ(obe_rows()[1][2], QStringLiteral("31.2"));  // the text field keeps the text
}

TEST_F(mark_export_test, appends_after_what_is_there_skips_non_learners_and_appends_again) {
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}, {"0", "", {"7.0"}}, {"1002", "Smith Jack", {"7.0"}}});
  const QByteArray book_bytes = test::read_native_file(native(QStringLiteral("marks3.dbf")));
  std::vector<std::pair<qint64, qint64>> progress;
  mark_export_hooks hooks;
  hooks.progress = [&](qint64 done, qint64 count) { progress.emplace_back(done, count); };
  const mark_export_result first = run(16, 100, 1, hooks);
  EXPECT_EQ(first.outcome, mark_export_outcome::exported);
  EXPECT_EQ(first.exported, 2);
  EXPECT_EQ(progress, (std::vector<std::pair<qint64, qint64>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(run(16, 100).exported, 2);
  const std::vector<QString> zoe{QStringLiteral("1001"), QStringLiteral("Botha Zoe"), QStringLiteral("31.2")};
  const std::vector<QString> jack{QStringLiteral("1002"), QStringLiteral("Smith Jack"),
                                  QStringLiteral("43.8")};
  const rows_t twice{earlier, zoe, jack, zoe, jack};
  EXPECT_EQ(punte_rows(), twice);
  EXPECT_EQ(obe_rows(), twice);
  EXPECT_EQ(test::read_native_file(native(QStringLiteral("marks3.dbf"))), book_bytes)
      << "the book is only read";
  EXPECT_FALSE(punte.has_recordset() || book.has_recordset() || obe.has_recordset()) << "every table closed";
}

TEST_F(mark_export_test, a_book_another_program_writes_is_still_read) {
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}});
  test::lock_holder holder(native(QStringLiteral("marks3.dbf")));
  ASSERT_TRUE(holder.locked());
  EXPECT_EQ(run(16, 100).outcome, mark_export_outcome::exported);
  EXPECT_EQ(punte_rows().size(), 2u);
}

// A refused export leaves both tables byte for byte as they were.
struct refusal_case {
  const char* name;
  std::function<void(mark_export_test&)> spoil;
  double task_total;
  std::function<QString()> message;
};

class export_refusals : public mark_export_test, public ::testing::WithParamInterface<refusal_case> {};

TEST_P(export_refusals, append_nothing_and_say_why) {
  const refusal_case& c = GetParam();
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"A"}}});
  c.spoil(*this);
  const QByteArray punte_before = test::read_native_file(punte_path());
  const QByteArray obe_before = test::read_native_file(obe_path());
  const mark_export_result r = run(c.task_total, 100);
  EXPECT_EQ(r.outcome, mark_export_outcome::refused);
  EXPECT_EQ(r.message, c.message());
  EXPECT_EQ(r.exported, 0);
  EXPECT_EQ(test::read_native_file(punte_path()), punte_before);
  EXPECT_EQ(test::read_native_file(obe_path()), obe_before);
  EXPECT_FALSE(punte.has_recordset() || book.has_recordset() || obe.has_recordset());
}

INSTANTIATE_TEST_SUITE_P(
    tables_and_totals, export_refusals,
    ::testing::Values(
        refusal_case{
            "obe_missing", [](mark_export_test& t) { QFile::remove(t.obe_path()); }, 16,
            [] { return QStringLiteral("DATASET C:\\DATA\\obe_p3 IS MISSING OR CANNOT BE OPENED ..."); }},
        refusal_case{
            "punte_missing", [](mark_export_test& t) { QFile::remove(t.punte_path()); }, 16,
            [] { return QStringLiteral("DATASET C:\\DATA\\punte3 IS MISSING OR CANNOT BE OPENED ..."); }},
        refusal_case{
            "book_missing",
            [](mark_export_test& t) { QFile::remove(t.native(QStringLiteral("marks3.dbf"))); }, 16,
            [] { return QStringLiteral("DATASET C:\\DATA\\marks3 IS MISSING OR CANNOT BE OPENED ..."); }},
        refusal_case{
            "obe_without_its_mark_field",
            [](mark_export_test& t) {
              test::dbf_builder().field("EO_T_NR", 'N', 8).field("EO_NAME", 'C', 40).write(t.obe_path());
            },
            16, [] { return QStringLiteral("DATASET C:\\DATA\\obe_p3 IS MISSING OR CANNOT BE OPENED ..."); }},
        refusal_case{"book_too_short_for_the_row",
                     [](mark_export_test& t) {
                       t.write_book({{"1001", "Botha Zoe", {}}}, 0);
                     },
                     16, [] { return too_few_mark_sets_message(); }},
        refusal_case{"task_total_0_with_a_numeric_mark", [](mark_export_test&) {}, 0,
                     [] { return QStringLiteral("TOTAL OF SERIES IS NOT A NUMBER ABOVE 0 ..."); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(mark_export_test, a_table_another_program_writes_is_refused_with_the_openers_text) {
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}});
  const QByteArray punte_before = test::read_native_file(punte_path());
  test::lock_holder holder(obe_path());
  ASSERT_TRUE(holder.locked());
  const mark_export_result r = run(16, 100);
  EXPECT_EQ(r.outcome, mark_export_outcome::refused);
  EXPECT_EQ(r.message, QStringLiteral("DATASET C:\\DATA\\obe_p3  ALREADY IN  USE ... TRY AGAIN LATER !"));
  EXPECT_EQ(test::read_native_file(punte_path()), punte_before);
}

TEST_F(mark_export_test, task_total_0_passes_when_no_mark_is_a_number) {
  write_targets();
  write_book({{"1001", "Botha Zoe", {"A"}}, {"1002", "Smith Jack", {""}}});
  EXPECT_EQ(run(0, 100).outcome, mark_export_outcome::exported);
  EXPECT_EQ(punte_rows().size(), 3u);
}

TEST_F(mark_export_test, a_write_failing_part_way_removes_what_this_export_appended) {
  g_language = true;
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"7.0"}}, {"1003", "Nel Danie", {"A"}}});
  mark_export_hooks hooks;
  std::vector<int> writes;
  hooks.before_write = [&](int append) {
    writes.push_back(append);
    if (append == 3)
      throw platform::dbf_error(platform::dbf_error_kind::disk_error, QStringLiteral("Disk full"));
  };
  const mark_export_result r = run(16, 100, 1, hooks);
  EXPECT_EQ(writes, (std::vector<int>{1, 2, 3}));  // punte, obe, then punte of the second learner
  EXPECT_EQ(r.outcome, mark_export_outcome::failed);
  EXPECT_EQ(r.message, QStringLiteral("UITVOER HET MISLUK: Disk full ... GEEN PUNTE IS UITGEVOER NIE"));
  EXPECT_EQ(r.exported, 0);
  EXPECT_EQ(punte_rows(), rows_t{earlier});
  EXPECT_EQ(obe_rows(), rows_t{earlier});
  EXPECT_FALSE(punte.has_recordset() || book.has_recordset() || obe.has_recordset());
}

// The journal that can undo an export goes only once what the export wrote
// (its appends, or the roll-back of them) is on the disk: a power cut after
// the journal is gone can then lose nothing the teacher was told of.
TEST_F(mark_export_test, the_tables_are_synced_after_their_last_write_before_the_journal_goes) {
  struct step_seen {
    platform::file_step step;
    QString file;
  };
  for (const int failing_append : {0, 3}) {
    SCOPED_TRACE(failing_append);
    write_targets();
    write_book({{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"7.0"}}});
    std::vector<step_seen> seen;
    platform::set_file_fault_hook([&](platform::file_step step, const QString& path) {
      seen.push_back({step, path.section(QRegularExpression(QStringLiteral(R"([\\/])")), -1)});
    });
    mark_export_hooks hooks;
    hooks.before_write = [&](int append) {
      if (append == failing_append)
        throw platform::dbf_error(platform::dbf_error_kind::disk_error, QStringLiteral("Disk full"));
    };
    const mark_export_result r = run(16, 100, 1, hooks);
    platform::set_file_fault_hook({});
    EXPECT_EQ(r.outcome, failing_append == 0 ? mark_export_outcome::exported : mark_export_outcome::failed);
    const auto journal_removed = std::find_if(seen.begin(), seen.end(), [](const step_seen& s) {
      return s.step == platform::file_step::remove && s.file == QLatin1String("export.jnl");
    });
    ASSERT_NE(journal_removed, seen.end());
    for (const QString& table : {QStringLiteral("punte3.dbf"), QStringLiteral("obe_p3.dbf")}) {
      SCOPED_TRACE(table.toStdString());
      auto last_write = seen.end();
      for (auto it = seen.begin(); it != journal_removed; ++it)
        if (it->step == platform::file_step::write && it->file == table) last_write = it;
      ASSERT_NE(last_write, seen.end());
      EXPECT_TRUE(std::any_of(last_write, journal_removed, [&](const step_seen& s) {
        return s.step == platform::file_step::sync && s.file == table;
      }));
    }
  }
}

TEST_F(mark_export_test, a_removal_that_fails_too_does_not_claim_that_nothing_was_exported) {
  write_targets();
  write_book({{"1001", "Botha Zoe", {"5.0"}}, {"1002", "Smith Jack", {"7.0"}}});
  mark_export_hooks hooks;
  hooks.before_write = [](int append) {
    if (append == 3)
      throw platform::dbf_error(platform::dbf_error_kind::disk_error, QStringLiteral("Disk full"));
  };
  hooks.before_remove = [] {
    throw platform::dbf_error(platform::dbf_error_kind::disk_error, QStringLiteral("Disk gone"));
  };
  const mark_export_result r = run(16, 100, 1, hooks);
  EXPECT_EQ(r.outcome, mark_export_outcome::failed);
  EXPECT_EQ(
      r.message,
      QStringLiteral("EXPORT FAILED: Disk full; Disk gone ... SOME MARKS MAY ALREADY HAVE BEEN EXPORTED"));
  EXPECT_EQ(punte_rows().size(), rows_t{earlier}.size() + 1);  // the first learner's record stays
}

}  // namespace
}  // namespace km
