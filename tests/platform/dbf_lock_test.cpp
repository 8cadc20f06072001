// The write lock across processes: a table another process holds locked is
// "in use" for writing but can still be read; a table we hold open for
// writing is seen as locked by another process; writers within this
// program share the lock.
#include "platform/dbase/dbf_lock.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_table.h"
#include "support/dbf_builder.h"
#include "support/lock_holder.h"
#include "support/python_peer.h"
#include "support/temp_drives.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::dbf_table;

// Tries to take a write lock at once on length bytes from start (0 and 0:
// the whole file): prints "busy" or "free".
const char* const k_probe = R"(
import fcntl, sys
f = open(sys.argv[1], 'r+b')
try:
    fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB, int(sys.argv[3]), int(sys.argv[2]))
    print('free')
except OSError:
    print('busy')
)";

// A table of three records of one field.
QString three_records(const QString& path) {
  return km::test::dbf_builder().field("NR", 'N', 4).record({"1"}).record({"2"}).record({"3"}).write(path);
}

class dbf_lock_test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!km::test::python_dbf_available())
      FAIL() << "/usr/bin/python3 with python3-dbf holds the lock: install python3-dbf";
    table = three_records(dir.filePath(QStringLiteral("t.dbf")));
  }
  QString probe(qint64 start = 0, qint64 length = 0) const {
    return QString::fromLatin1(km::test::run_python(QString::fromLatin1(k_probe),
                                                    {table, QString::number(start), QString::number(length)})
                                   .out.trimmed());
  }
  static constexpr qint64 header_length = 32 + 32 + 1;  // one field
  static constexpr qint64 record_length = 5;
  static qint64 record_start(int record) { return header_length + record * record_length; }
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

// Where the locks lie: a table open for writing holds the table lock far
// beyond its end and no lock on any byte of its header or records, so a
// file server lets every other computer read and write the data.
class dbf_lock_range_test : public dbf_lock_test {};

TEST_F(dbf_lock_range_test, a_table_open_for_writing_locks_none_of_its_bytes) {
  struct range_case {
    const char* name;
    qint64 start;
    qint64 length;
    const char* expected;
  };
  const qint64 size = QFileInfo(table).size();
  const range_case cases[] = {
      {"the_header", 0, header_length, "free"},
      {"the_records", record_start(0), 3 * record_length, "free"},
      {"the_end_marker", size - 1, 1, "free"},
      {"the_whole_file_as_it_stands", 0, size, "free"},
      {"the_next_megabytes", size, 16 << 20, "free"},
      {"the_table_lock", km::platform::dbf_table_lock_offset, 1, "busy"},
  };
  dbf_table writer(table, dbf_table::access::read_write);
  for (const range_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(probe(c.start, c.length), QString::fromLatin1(c.expected));
  }
}

TEST_F(dbf_lock_range_test, a_record_another_program_holds_locked_is_not_written) {
  // Another program holds a lock on some bytes; the engine edits, deletes
  // or adds a record. A refusal is "in use", at once, and leaves the file
  // as it was.
  enum class action { edit, remove, append };
  struct record_case {
    const char* name;
    qint64 start;
    qint64 length;
    action what;
    int record;
    bool refused;
  };
  const qint64 size = QFileInfo(table).size();
  const record_case cases[] = {
      {"edit_of_the_locked_record", record_start(1), record_length, action::edit, 1, true},
      {"edit_of_another_record", record_start(1), record_length, action::edit, 0, false},
      {"edit_under_a_lock_of_its_deletion_byte", record_start(1), 1, action::edit, 1, true},
      {"deletion_of_the_locked_record", record_start(1), record_length, action::remove, 1, true},
      {"deletion_of_another_record", record_start(1), record_length, action::remove, 2, false},
      {"edit_under_the_record_lock", km::platform::dbf_record_lock_offset(1), 1, action::edit, 1, true},
      {"edit_beside_the_record_lock", km::platform::dbf_record_lock_offset(1), 1, action::edit, 2, false},
      {"append_where_the_new_record_goes", size - 1, record_length + 1, action::append, 3, true},
      {"append_beside_a_locked_record", record_start(1), record_length, action::append, 3, false},
  };
  for (const record_case& c : cases) {
    SCOPED_TRACE(c.name);
    table = three_records(table);
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    km::test::lock_holder holder(table, c.start, c.length);
    ASSERT_TRUE(holder.locked());
    try {
      dbf_table t(table, dbf_table::access::read_write);
      if (c.what == action::edit) {
        QByteArray changed = t.record_bytes(std::uint32_t(c.record));
        changed.replace(1, 4, "  99");
        t.write_changes(std::uint32_t(c.record), t.record_bytes(std::uint32_t(c.record)), changed);
      } else if (c.what == action::remove) {
        t.set_deleted(std::uint32_t(c.record), true);
      } else {
        EXPECT_EQ(t.append(QByteArrayLiteral("   99")), std::uint32_t(c.record));
      }
      EXPECT_FALSE(c.refused) << "written although another program holds it locked";
    } catch (const dbf_error& e) {
      EXPECT_TRUE(c.refused) << e.text().toStdString();
      EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
      EXPECT_EQ(e.number(), 3051);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    file.close();
    if (c.refused) {
      EXPECT_EQ(after, before);
    } else {
      EXPECT_NE(after, before);
    }
  }
}

TEST_F(dbf_lock_range_test, only_the_table_lock_tells_of_another_writer) {
  {
    km::test::lock_holder record_holder(table, record_start(0), record_length);
    ASSERT_TRUE(record_holder.locked());
    EXPECT_FALSE(km::platform::dbf_locked_by_other_process(table));
    EXPECT_NO_THROW(dbf_table(table, dbf_table::access::read_write));
  }
  km::test::lock_holder writer(table, km::platform::dbf_table_lock_offset, 1);
  ASSERT_TRUE(writer.locked());
  EXPECT_TRUE(km::platform::dbf_locked_by_other_process(table));
  try {
    dbf_table t(table, dbf_table::access::read_write);
    FAIL() << "a second writer opened the table";
  } catch (const dbf_error& e) {
    EXPECT_EQ(e.kind(), dbf_error_kind::in_use);
  }
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
