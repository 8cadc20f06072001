// The frame every table conversion shares, shown on the learner history:
// rows to records, the temporary file, the record file taken out first,
// the table retired into \save with a checked copy, the year limit.

#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "conversion_fixture.h"
#include "datafiles/table_converter.h"
#include "platform/dbase/data_control.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/record_bytes.h"

namespace km::test {
namespace {

const QString narrow_history_fields =
    QStringLiteral("PH_T_NR N(6,0); ") + repeated(QStringLiteral("PH_STD_%1 C(3)"), 1, 5) +
    QStringLiteral("; ") + repeated(QStringLiteral("PH_JAAR_%1 N(6,1)"), 1, 5);

// A history row of learner nr with code and year in slot 1 only.
QJsonArray history_row(int nr, const QString& code, double year) {
  QJsonArray row{nr, code};
  for (int i = 2; i <= 5; ++i) row.append(QJsonValue::Null);
  row.append(year);
  for (int i = 2; i <= 5; ++i) row.append(QJsonValue::Null);
  return row;
}

constexpr int history_length = 88;

class conversion_frame_test : public conversion_test {
 protected:
  void write_history(const std::vector<QJsonArray>& rows, const QList<int>& deleted = {}) {
    write_table(QStringLiteral("Ppl_hst.dbf"), narrow_history_fields, rows, deleted);
  }
  // The learner numbers of the records of Ppl_hst_random.txt.
  QList<float> learners() const {
    const QByteArray file = data_file(QStringLiteral("Ppl_hst_random.txt"));
    QList<float> out;
    for (int k = 1; k * history_length <= file.size(); ++k) {
      out << platform::load_single(record(file, k, history_length), 0);
    }
    return out;
  }
  // Binds the start-up data control to the table, as the opening does.
  static platform::data_control& bound(const QString& table) {
    platform::data_control& data1 = startup_data_control();
    data1.set_database_name(QStringLiteral("C:\\DATA"));
    data1.set_record_source(table);
    return data1;
  }
};

TEST_F(conversion_frame_test, rows_become_records_in_table_order_and_the_table_moves_into_save) {
  write_history({history_row(11, "10", 2012), history_row(12, "11", 2013), history_row(13, "12", 2014)});
  const QByteArray table = data_file(QStringLiteral("Ppl_hst.dbf"));
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(data_file(QStringLiteral("Ppl_hst_random.txt")).size(), 3 * history_length);
  EXPECT_EQ(learners(), (QList<float>{11, 12, 13}));
  EXPECT_FALSE(in_data(QStringLiteral("Ppl_hst.dbf")));
  EXPECT_EQ(saved_file(QStringLiteral("Ppl_hst.dbf")), table);
  EXPECT_EQ(g_pplhst_record_count, 3);
  EXPECT_NE(g_pplhst_file_number, 0) << "the opening opens the new file";
  EXPECT_TRUE(platform::list_files(QStringLiteral("C:\\DATA"), QStringLiteral("*.tmp")).isEmpty());
}

TEST_F(conversion_frame_test, an_empty_table_gives_an_empty_file_and_is_still_retired) {
  write_history({});
  open(QStringLiteral("PPLHST"));
  EXPECT_TRUE(in_data(QStringLiteral("Ppl_hst_random.txt")));
  EXPECT_EQ(data_file(QStringLiteral("Ppl_hst_random.txt")).size(), 0);
  EXPECT_TRUE(in_save(QStringLiteral("Ppl_hst.dbf")));
  EXPECT_FALSE(in_data(QStringLiteral("Ppl_hst.dbf")));
}

TEST_F(conversion_frame_test, a_deleted_row_gives_no_record) {
  write_history({history_row(11, "10", 2012), history_row(12, "11", 2013), history_row(13, "12", 2014)}, {1});
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(learners(), (QList<float>{11, 13}));
}

TEST_F(conversion_frame_test, a_record_file_already_there_is_opened_and_the_table_left_alone) {
  write_history({history_row(11, "10", 2012)});
  const QByteArray table = data_file(QStringLiteral("Ppl_hst.dbf"));
  put(QStringLiteral("Ppl_hst_random.txt"), QByteArray(history_length, 'x'));
  put(QStringLiteral("ph2014_random.txt"), {});
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(data_file(QStringLiteral("Ppl_hst_random.txt")), QByteArray(history_length, 'x'));
  EXPECT_EQ(data_file(QStringLiteral("Ppl_hst.dbf")), table);
  EXPECT_FALSE(in_save(QStringLiteral("Ppl_hst.dbf")));
}

TEST_F(conversion_frame_test, a_save_folder_that_cannot_be_made_leaves_the_table_whole) {
  write_history({history_row(11, "10", 2012)});
  const QByteArray table = data_file(QStringLiteral("Ppl_hst.dbf"));
  put(QStringLiteral("save"), "a file where the folder should be");
  open(QStringLiteral("PPLHST"));  // nothing reaches the caller
  EXPECT_EQ(data_file(QStringLiteral("Ppl_hst.dbf")), table);
  EXPECT_EQ(learners(), (QList<float>{11}));
}

TEST_F(conversion_frame_test, an_older_copy_in_save_is_kept_under_a_numbered_name) {
  write_history({history_row(11, "10", 2012)});
  const QByteArray table = data_file(QStringLiteral("Ppl_hst.dbf"));
  put(QStringLiteral("save/Ppl_hst.dbf"), "OLD");
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(saved_file(QStringLiteral("Ppl_hst_1.dbf")), QByteArray("OLD"));
  EXPECT_EQ(saved_file(QStringLiteral("Ppl_hst.dbf")), table);
}

TEST_F(conversion_frame_test, the_year_limit_of_the_opening_holds) {
  struct year_case {
    const char* year;
    bool built;
  };
  for (const year_case c : {year_case{"2014", true}, year_case{"2015", false}}) {
    SCOPED_TRACE(c.year);
    close_file(g_pplhst_file_number);
    for (const QString& name : platform::list_files(QStringLiteral("C:\\DATA")))
      platform::delete_file(QStringLiteral("C:\\DATA\\") + name, true);
    g_year = QLatin1String(c.year);
    write_history({history_row(11, "10", 2012)});
    open(QStringLiteral("PPLHST"));
    EXPECT_TRUE(in_data(QStringLiteral("Ppl_hst_random.txt"))) << "built, or opened empty";
    EXPECT_EQ(data_file(QStringLiteral("Ppl_hst_random.txt")).size(), c.built ? history_length : 0);
    EXPECT_EQ(in_data(QStringLiteral("Ppl_hst.dbf")), !c.built);
  }
}

TEST_F(conversion_frame_test, a_record_file_in_the_way_is_kept_in_save_before_the_new_one_is_written) {
  write_history({history_row(11, "10", 2012)});
  put(QStringLiteral("Ppl_hst_random.txt"), "older records");
  services.create_ppl_hst_random(QStringLiteral("C:\\DATA"), bound(QStringLiteral("Ppl_hst.dbf")));
  EXPECT_EQ(saved_file(QStringLiteral("Ppl_hst_random.txt")), QByteArray("older records"));
  EXPECT_EQ(learners(), (QList<float>{11}));
}

TEST_F(conversion_frame_test, an_empty_record_file_in_the_way_simply_goes) {
  write_history({history_row(11, "10", 2012)});
  put(QStringLiteral("Ppl_hst_random.txt"), {});
  services.create_ppl_hst_random(QStringLiteral("C:\\DATA"), bound(QStringLiteral("Ppl_hst.dbf")));
  EXPECT_FALSE(in_save(QStringLiteral("Ppl_hst_random.txt")));
  EXPECT_EQ(learners(), (QList<float>{11}));
}

TEST_F(conversion_frame_test, the_number_the_code_held_is_closed_and_the_written_file_is_closed) {
  write_history({history_row(11, "10", 2012)});
  put(QStringLiteral("other.txt"), "x");
  g_pplhst_file_number = get_free_file_number(0);
  const std::int16_t held = g_pplhst_file_number;
  platform::open_file(held, QStringLiteral("C:\\DATA\\other.txt"), platform::open_mode::random, 1);
  services.create_ppl_hst_random(QStringLiteral("C:\\DATA"), bound(QStringLiteral("Ppl_hst.dbf")));
  EXPECT_FALSE(platform::is_numbered_file_open(held));
  EXPECT_EQ(g_pplhst_file_number, 0);
  // Every number given back: the pool hands out the same first number again.
  std::int16_t again = get_free_file_number(0);
  EXPECT_EQ(again, held);
  close_file(again);
}

TEST_F(conversion_frame_test, a_temporary_file_left_by_a_broken_run_does_not_reach_the_records) {
  write_history({history_row(11, "10", 2012)});
  put(conversion_temporary_name(*find_conversion("PPLHST")), QByteArray(5 * history_length, 'z'));
  open(QStringLiteral("PPLHST"));
  EXPECT_EQ(learners(), (QList<float>{11}));
  EXPECT_FALSE(in_data(conversion_temporary_name(*find_conversion("PPLHST"))));
}

TEST_F(conversion_frame_test, no_temporary_name_looks_like_a_source_or_record_file) {
  for (const conversion& c : conversion_table()) {
    const QString name = conversion_temporary_name(c);
    EXPECT_FALSE(name.startsWith(QStringLiteral("su_"), Qt::CaseInsensitive)) << name.toStdString();
    EXPECT_FALSE(name.endsWith(QStringLiteral("_random.txt"), Qt::CaseInsensitive)) << name.toStdString();
    EXPECT_FALSE(name.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive)) << name.toStdString();
  }
}

}  // namespace
}  // namespace km::test
