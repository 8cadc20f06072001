// Record files written under a temporary name and put in place when the
// writing is over.

#include <stdexcept>

#include "common/file_number_pool.h"
#include "common/record_file_not_ready.h"
#include "datafiles/code_file_name.h"
#include "datafiles/temporary_record_file.h"
#include "datafiles/write_failure_messages.h"
#include "hand_written_fixture.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "platform/name_case.h"
#include "platform/numbered_files.h"

namespace km::test {
namespace {

const QString target = QStringLiteral("x_random.txt");
const QString temporary = QStringLiteral("x_random.tmp");

class hand_written_record_file_test : public hand_written_test {
 protected:
  void TearDown() override {
    platform::set_file_fault_hook({});
    hand_written_test::TearDown();
  }
  // Writes records of 4 bytes through a temporary file.
  void write(start_from start, const std::function<void()>& records) {
    write_record_file(folder, target, number, 4, start, records);
  }
  void put_record(int n, const char* bytes) { platform::put_record(number, n, QByteArray(bytes)); }

  std::int16_t number = 0;
};

TEST_F(hand_written_record_file_test,
       a_leftover_temporary_file_is_not_taken_and_the_records_land_under_the_real_name) {
  put(temporary, "LEFTOVER");
  write(start_from::nothing, [&] {
    EXPECT_EQ(data_file(target), QByteArrayLiteral("<missing>"))
        << "nothing under the real name while writing";
    put_record(1, "ABCD");
  });
  EXPECT_EQ(data_file(target), QByteArrayLiteral("ABCD"));
  EXPECT_EQ(data_file(temporary), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(number, 0);

  write(start_from::present_records, [&] { put_record(2, "EFGH"); });
  EXPECT_EQ(data_file(target), QByteArrayLiteral("ABCDEFGH")) << "begun from the records there";
}

TEST_F(hand_written_record_file_test, a_failure_part_way_puts_the_records_written_in_place_and_is_passed_on) {
  put(target, "OLD1OLD2");
  EXPECT_THROW(write(start_from::nothing,
                     [&] {
                       put_record(1, "NEW1");
                       throw std::runtime_error("broke off");
                     }),
               std::runtime_error);
  EXPECT_EQ(data_file(target), QByteArrayLiteral("NEW1"));
  EXPECT_EQ(data_file(temporary), QByteArrayLiteral("<missing>"));
  EXPECT_EQ(number, 0);
}

// A temporary file that cannot be made or written, or put in place (a full
// disk, a folder that cannot be written), is no failure of a source: the
// old file stays whole, nothing is left behind and the teacher is told.
TEST_F(hand_written_record_file_test, a_write_that_fails_leaves_the_old_file_whole_and_is_told) {
  struct row {
    const char* name;
    platform::file_step step;
    const char* path_end;
  };
  const row rows[] = {
      {"temporary file cannot be made", platform::file_step::file_create, "x_random.tmp"},
      {"record cannot be written", platform::file_step::record_write, "x_random.tmp"},
      {"file cannot be put in place", platform::file_step::file_move, "x_random.txt"},
  };
  const platform::file_error full(platform::file_error::kind::disk_full, QString());
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    put(target, "OLD1");
    platform::set_file_fault_hook([&r](platform::file_step step, const QString& path) {
      if (step == r.step && path.endsWith(QLatin1String(r.path_end)))
        throw platform::file_error(platform::file_error::kind::disk_full, path, QStringLiteral("disk full"));
    });
    dialogs.expect_message(record_file_not_made_message(target, full)).icon(platform::msg_icon::exclamation);
    EXPECT_THROW(write(start_from::nothing, [&] { put_record(1, "NEW1"); }), record_file_not_ready);
    dialogs.verify();
    platform::set_file_fault_hook({});
    EXPECT_EQ(data_file(target), QByteArrayLiteral("OLD1"));
    EXPECT_EQ(data_file(temporary), QByteArrayLiteral("<missing>"));
    EXPECT_EQ(number, 0);
  }
}

TEST_F(hand_written_record_file_test,
       temporary_names_are_taken_for_neither_a_record_file_nor_a_subject_file) {
  for (const char* code : {"HWK", "PI4SU", "PI4VH", "PRMPROM"}) {
    const QString name = temporary_name_of(code_file_name(code));
    SCOPED_TRACE(name.toStdString());
    const QString folded = platform::fold_name_case(name);
    EXPECT_FALSE(folded.endsWith(QLatin1String("_RANDOM.TXT")));
    EXPECT_FALSE(folded.startsWith(QLatin1String("SU_")));
    EXPECT_FALSE(platform::names_equal(name, code_file_name(code)));
  }
}

}  // namespace
}  // namespace km::test
