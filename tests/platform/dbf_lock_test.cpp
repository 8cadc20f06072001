// The write lock across processes: a table another process holds locked is
// "in use" for writing but can still be read; a table we hold open for
// writing is seen as locked by another process; writers within this
// program share the lock.
#include "platform/dbase/dbf_lock.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cerrno>

#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_table.h"
#include "support/dbf_builder.h"
#include "support/lock_holder.h"
#include "support/temp_drives.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::dbf_table;

// Tries to take the lock at once: prints "busy" or "free".
const char* const k_probe = R"(
import fcntl, sys
f = open(sys.argv[1], 'r+b')
try:
    fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
    print('free')
except OSError:
    print('busy')
)";

class dbf_lock_test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!km::test::python_dbf_available())
      FAIL() << "/usr/bin/python3 with python3-dbf holds the lock: install python3-dbf";
    table = km::test::dbf_builder()
                .field("NR", 'N', 4)
                .record({"1"})
                .write(dir.filePath(QStringLiteral("t.dbf")));
  }
  QString probe() const {
    return QString::fromLatin1(km::test::run_python(QString::fromLatin1(k_probe), {table}).out.trimmed());
  }
  QTemporaryDir dir;
  QString table;
};

TEST_F(dbf_lock_test, a_table_another_process_holds_is_in_use_for_writing) {
  km::test::lock_holder holder(table);
  ASSERT_TRUE(holder.locked());

  EXPECT_TRUE(km::platform::dbf_locked_by_other_process(table));
  try {
    dbf_table t(table, dbf_table::access::read_write);
    FAIL() << "opened for writing while another process holds it";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
    EXPECT_EQ(e.number(), 3051);
  }
  EXPECT_NO_THROW(dbf_table(table, dbf_table::access::read_only));

  ASSERT_TRUE(holder.release());
  EXPECT_FALSE(km::platform::dbf_locked_by_other_process(table));
  EXPECT_NO_THROW(dbf_table(table, dbf_table::access::read_write));
}

TEST_F(dbf_lock_test, a_table_we_write_is_locked_for_other_processes) {
  EXPECT_EQ(probe(), QStringLiteral("free"));
  {
    dbf_table reader(table, dbf_table::access::read_only);
    EXPECT_EQ(probe(), QStringLiteral("free"));  // reading takes no lock
  }
  {
    dbf_table writer(table, dbf_table::access::read_write);
    EXPECT_EQ(probe(), QStringLiteral("busy"));
  }
  EXPECT_EQ(probe(), QStringLiteral("free"));
}

TEST_F(dbf_lock_test, writers_of_one_program_share_the_lock_until_the_last_closes) {
  auto first = std::make_unique<dbf_table>(table, dbf_table::access::read_write);
  auto second = std::make_unique<dbf_table>(table, dbf_table::access::read_write);  // no "in use" here
  EXPECT_FALSE(km::platform::dbf_locked_by_other_process(table));                   // our own lock
  first.reset();
  EXPECT_EQ(probe(), QStringLiteral("busy"));
  {
    dbf_table reader(table, dbf_table::access::read_only);  // opening and closing the file again
  }
  EXPECT_EQ(probe(), QStringLiteral("busy"));
  second.reset();
  EXPECT_EQ(probe(), QStringLiteral("free"));
}

// A file system that refuses locks (ENOLCK, as a share mounted without lock
// support answers): no table is written without its lock.
class dbf_lock_refused_test : public km::test::temp_drives_test {
 protected:
  void SetUp() override {
    table = km::test::dbf_builder().field("NR", 'N', 4).record({"1"}).write(c(QStringLiteral("t.dbf")));
    km::platform::set_dbf_lock_request([this](int) {
      ++requests;
      return ENOLCK;
    });
  }
  void TearDown() override { km::platform::set_dbf_lock_request({}); }
  QString table;
  int requests = 0;
};

TEST_F(dbf_lock_refused_test, a_table_is_not_opened_for_writing_unlocked) {
  try {
    dbf_table t(table, dbf_table::access::read_write);
    FAIL() << "opened for writing without a lock";
  } catch (const km::platform::dbf_locks_refused& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
    EXPECT_EQ(e.number(), 3051);
  }
  EXPECT_NO_THROW(dbf_table(table, dbf_table::access::read_only));
}

TEST_F(dbf_lock_refused_test, the_data_control_opens_the_table_read_only_instead) {
  km::platform::data_control control;
  control.set_database_name(QStringLiteral("C:\\"));
  control.set_record_source(QStringLiteral("t"));
  control.refresh();
  EXPECT_TRUE(control.locks_refused());
  EXPECT_TRUE(control.read_only());
  EXPECT_FALSE(control.recordset().updatable());
  EXPECT_EQ(requests, 1);
  // The next Refresh asks for no lock: the control stays read-only.
  control.refresh();
  EXPECT_FALSE(control.locks_refused());
  EXPECT_FALSE(control.recordset().updatable());
  EXPECT_EQ(requests, 1);
}

}  // namespace
