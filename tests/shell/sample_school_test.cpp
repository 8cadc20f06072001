#include "tools/sample_school.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>

#include "common/file_number_pool.h"
#include "common/open_exp_mrk_control.h"
#include "common/open_random_files.h"
#include "common/school_record.h"
#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/dbase/data_control.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km {
namespace {

class sample_school_test : public test::with_scripted_dialogs {
 protected:
  void SetUp() override {
    g_year = "2017";
    options.school_record_folder = sample_school_record_folder("C:", 2017);
  }
  QString native(const QString& relative) const { return drives.native_drive('C') + '/' + relative; }

  platform::fake_clock clock{42811.4375};  // 2017-03-17
  platform::scoped_clock use_clock{clock};
  test::temp_drives drives;
  sample_school_options options;
};

TEST(sample_school_data, grades_8_to_12_in_several_classes_with_a_few_dozen_learners) {
  std::set<QString> grades, classes;
  for (const sample_combination& c : sample_combinations()) {
    grades.insert(c.grade);
    classes.insert(c.subject_class);
    EXPECT_FALSE(sample_learners_of(c).empty()) << c.subject_class.toStdString();
  }
  EXPECT_EQ(grades, (std::set<QString>{"8", "9", "10", "11", "12"}));
  EXPECT_GE(classes.size(), 5u);
  EXPECT_GE(sample_learners().size(), 36u);
  QString all_names;
  for (const sample_learner& l : sample_learners()) all_names += l.name;
  for (const QString& letter : {QStringLiteral("ë"), QStringLiteral("ê"), QStringLiteral("ô")})
    EXPECT_TRUE(all_names.contains(letter)) << letter.toStdString();
}

TEST(sample_school_data, marks_are_blank_absent_or_within_the_total) {
  int blank = 0, absent = 0, numbers = 0;
  for (int n = 1; n <= 8; ++n)
    for (int k = 0; k < 8; ++k) {
      const QString mark = sample_mark(k, n, 150.0f);
      if (mark.isEmpty()) {
        ++blank;
      } else if (mark == "A") {
        ++absent;
      } else {
        ++numbers;
        const double v = platform::val(mark);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 150.0);
        EXPECT_TRUE(mark.contains('.')) << mark.toStdString();  // "##0.0"
      }
    }
  EXPECT_GT(blank, 0);
  EXPECT_GT(absent, 0);
  EXPECT_GT(numbers, 40);
}

TEST_F(sample_school_test, writes_every_file) {
  make_sample_school(options);
  const int combinations = int(sample_combinations().size());
  EXPECT_EQ(QFileInfo(native("KORVA-DATA/Exp_Mrk_control.txt")).size(), 44 * combinations);
  EXPECT_EQ(QFileInfo(native("KORVA-DATA/Skl_Dta_random.txt")).size(), 2756);
  EXPECT_EQ(QFileInfo(native("L17/Skl_Dta_random.txt")).size(), 2756);
  for (int n = 1; n <= combinations; ++n) {
    EXPECT_TRUE(QFile::exists(native(QString("KORVA-DATA/punte%1.dbf").arg(n)))) << n;
    EXPECT_TRUE(QFile::exists(native(QString("KORVA-DATA/obe_p%1.dbf").arg(n)))) << n;
  }
  // The code lists, by grade and subject as the subject grid shows them.
  for (const char* grade : {"8", "9", "10", "11", "12"})
    EXPECT_TRUE(QFile::exists(native(QString("KORVA-DATA/L%1_P_S.dbf").arg(grade)))) << grade;
  for (const char* file : {"L8_f_e.101", "L8_f_e.201", "L8_f_e.301", "L9_f_e.101", "L9_f_e.401",
                           "L10_f_e.301", "L11_f_e.201", "L12_f_e.501"})
    EXPECT_TRUE(QFile::exists(native(QString("KORVA-DATA/") + file))) << file;
}

TEST_F(sample_school_test, the_school_record_opens_where_the_program_looks_for_it) {
  make_sample_school(options);
  // The folder the opening of record files takes for a blank folder.
  QString folder;
  open_random_files("SKL", folder);
  EXPECT_EQ(folder, "\\L17");
  ASSERT_NE(g_skl_file_number, 0);
  EXPECT_EQ(read_school_name(g_skl_file_number), "Hoërskool Sonvallei");
  close_file(g_skl_file_number);
}

TEST_F(sample_school_test, the_export_control_file_lists_the_combinations) {
  make_sample_school(options);
  open_exp_mrk_control("E_C", "C:\\KORVA-DATA");
  ASSERT_EQ(g_exp_mrk_control_count, int(sample_combinations().size()));
  for (int n = 1; n <= g_exp_mrk_control_count; ++n) {
    const sample_combination& c = sample_combinations()[std::size_t(n - 1)];
    platform::get_record(g_exp_mrk_control_file_number, n, g_exp_mrk_control_rec);
    EXPECT_EQ(g_exp_mrk_control_rec.get_text("grade").trimmed(), c.grade) << n;
    EXPECT_EQ(g_exp_mrk_control_rec.get_text("subject").trimmed(), c.subject) << n;
    EXPECT_EQ(g_exp_mrk_control_rec.get_text("class").trimmed(), c.subject_class) << n;
    EXPECT_EQ(g_exp_mrk_control_rec.get_single("subject_total"), c.total) << n;
    EXPECT_EQ(g_exp_mrk_control_rec.get_int16("number"), std::int16_t(sample_learners_of(c).size())) << n;
    EXPECT_EQ(g_exp_mrk_control_rec.get_double("date"), 42811.0) << n;
  }
  close_file(g_exp_mrk_control_file_number);
}

TEST_F(sample_school_test, our_engine_reads_the_learner_tables) {
  make_sample_school(options);
  const auto& combinations = sample_combinations();
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const int n = int(i + 1);
    const auto learners = sample_learners_of(combinations[i]);
    platform::data_control punte;
    punte.set_database_name("C:\\KORVA-DATA");
    punte.set_record_source(QString("PUNTE%1.DBF").arg(n));  // the capture windows' spelling
    punte.set_read_only(true);
    punte.refresh();
    platform::recordset& rs = punte.recordset();
    ASSERT_EQ(rs.record_count(), qint64(learners.size())) << n;
    EXPECT_EQ(rs.field_name(0).toUpper(), "EF_T_NR");
    EXPECT_EQ(rs.field_name(2).toUpper(), "EF_PUNT");
    for (std::size_t k = 0; k < learners.size(); ++k, rs.move_next()) {
      EXPECT_EQ(rs.value(0).to_double(), learners[k].number);
      EXPECT_EQ(rs.value("ef_name").to_text().trimmed(), learners[k].name);
      const platform::Value mark = rs.value(2);
      EXPECT_EQ(mark.is_null() ? QString() : mark.to_text().trimmed(),
                sample_mark(int(k), n, combinations[i].total));
    }

    platform::data_control obe;
    obe.set_database_name("C:\\KORVA-DATA");
    obe.set_record_source(QString("obe_p%1.dbf").arg(n));
    obe.set_read_only(true);
    obe.refresh();
    EXPECT_EQ(obe.recordset().record_count(), qint64(learners.size()));
    for (const char* name : {"EO_T_NR", "EO_NAME", "EO_PUNT", "EO_P_S", "EO_FE_1"})
      EXPECT_GE(obe.recordset().field_index(name), 0) << name;
  }
}

TEST_F(sample_school_test, the_effort_key_tables_hold_code_and_description) {
  make_sample_school(options);
  platform::data_control keys;
  keys.set_database_name("C:\\KORVA-DATA");
  keys.set_record_source("L10_P_S");
  keys.refresh();
  platform::recordset& rs = keys.recordset();
  ASSERT_EQ(rs.record_count(), qint64(sample_effort_keys().size()));
  for (const sample_effort_key& key : sample_effort_keys()) {
    EXPECT_EQ(rs.value(0).to_text().trimmed(), key.code);
    EXPECT_EQ(rs.value(4).to_text().trimmed(), key.description);
    rs.move_next();
  }
}

TEST_F(sample_school_test, a_formative_list_holds_one_quoted_description_a_record) {
  make_sample_school(options);
  const QByteArray expected =
      "\"Werk netjies en volledig / Neat and complete work\r\n\",\"01\"\r\n"
      "\"Lewer goeie bydraes in die klas / Contributes well in class\r\n\",\"02\"\r\n"
      "\"Moet meer oefen / Needs more practice\r\n\",\"03\"\r\n"
      "\"Huiswerk dikwels onvoltooid / Homework often incomplete\r\n\",\"04\"\r\n";
  EXPECT_EQ(test::read_native_file(native("KORVA-DATA/L9_f_e.401")), expected);
}

TEST_F(sample_school_test, names_with_accents_are_stored_in_windows_1252_and_read_so_by_a_peer) {
  if (!test::python_dbf_available())
    FAIL() << "/usr/bin/python3 cannot import dbf: install python3-dbf (scripts/install-deps.sh)";
  make_sample_school(options);
  // "Botha Zoë" is the first learner of combination 1: its ë is the byte EB.
  const QByteArray bytes = test::read_native_file(native("KORVA-DATA/punte1.dbf"));
  EXPECT_TRUE(bytes.contains(QByteArray("Botha Zo\xEB")));
  const char* const script = R"(
import dbf, json, sys
out = []
for path in sys.argv[1:]:
    t = dbf.Table(path, codepage='cp1252')
    t.open(dbf.READ_ONLY)
    out.append([[int(r[0]), r[1].rstrip()] for r in t])
    t.close()
print(json.dumps(out))
)";
  const auto& combinations = sample_combinations();
  QStringList paths;
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    paths << native(QString("KORVA-DATA/punte%1.dbf").arg(i + 1));
    paths << native(QString("KORVA-DATA/obe_p%1.dbf").arg(i + 1));
  }
  const auto result = test::run_python(QString::fromLatin1(script), paths);
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  const QJsonArray tables = QJsonDocument::fromJson(result.out).array();
  ASSERT_EQ(tables.size(), paths.size());
  for (int t = 0; t < tables.size(); ++t) {
    const auto learners = sample_learners_of(combinations[std::size_t(t / 2)]);
    const QJsonArray rows = tables[t].toArray();
    ASSERT_EQ(rows.size(), qsizetype(learners.size())) << paths[t].toStdString();
    for (int k = 0; k < rows.size(); ++k) {
      EXPECT_EQ(rows[k].toArray()[0].toInt(), learners[std::size_t(k)].number);
      EXPECT_EQ(rows[k].toArray()[1].toString(), learners[std::size_t(k)].name);
    }
  }
}

TEST_F(sample_school_test, a_folder_with_marks_files_is_left_alone_unless_replacing) {
  make_sample_school(options);
  const QByteArray before = test::read_native_file(native("KORVA-DATA/punte1.dbf"));
  clock.advance_ms(86'400'000);  // a day later
  EXPECT_THROW(make_sample_school(options), sample_school_error);
  EXPECT_EQ(test::read_native_file(native("KORVA-DATA/punte1.dbf")), before);
  options.replace_existing = true;
  EXPECT_NO_THROW(make_sample_school(options));
  EXPECT_EQ(QFileInfo(native("KORVA-DATA/Exp_Mrk_control.txt")).size(),
            44 * qint64(sample_combinations().size()));
}

TEST_F(sample_school_test, a_school_record_already_where_the_program_looks_is_kept_unless_replacing) {
  ASSERT_TRUE(QDir().mkpath(native("L17")));
  const QByteArray own = QByteArray(2756, 'x');
  {
    QFile file(native("L17/SKL_DTA_RANDOM.TXT"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(own), own.size());
  }
  make_sample_school(options);
  EXPECT_EQ(test::read_native_file(native("L17/SKL_DTA_RANDOM.TXT")), own);
  EXPECT_EQ(QFileInfo(native("KORVA-DATA/Skl_Dta_random.txt")).size(), 2756);

  options.data_folder = "D:\\ANDER";
  options.replace_existing = true;
  make_sample_school(options);
  const QStringList files = QDir(native("L17")).entryList(QDir::Files);
  ASSERT_EQ(files.size(), 1);
  EXPECT_EQ(test::read_native_file(native("L17/" + files.first())),
            test::read_native_file(native("KORVA-DATA/Skl_Dta_random.txt")));
}

TEST_F(sample_school_test, two_runs_write_the_same_bytes) {
  make_sample_school(options);
  sample_school_options second = options;
  second.data_folder = "D:\\ANDER";
  second.school_record_folder.clear();
  make_sample_school(second);
  for (const char* file : {"Exp_Mrk_control.txt", "Skl_Dta_random.txt", "punte3.dbf", "obe_p8.dbf",
                           "L12_P_S.dbf", "L12_f_e.501"}) {
    EXPECT_EQ(test::read_native_file(native(QString("KORVA-DATA/") + file)),
              test::read_native_file(drives.native_drive('D') + "/ANDER/" + file))
        << file;
  }
}

}  // namespace
}  // namespace km
