// A data folder on a school's network share, against a real SMB server:
// smbd shares a temporary data folder on the loopback address, and SMB
// clients stand in for the other computers of the school (smbclient, and an
// SMB2 client that holds files open and byte ranges locked as a Windows
// program does). The engine works on the shared folder itself, as the
// program does on the computer that serves it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>

#include "common/shared_variables.h"
#include "common/table_messages.h"
#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/dbase/dbf_rewrite.h"
#include "platform/dbase/dbf_table.h"
#include "platform/dbase/recordset.h"
#include "platform/file_error.h"
#include "platform/file_faults.h"
#include "smb_server.h"
#include "support/dbf_builder.h"
#include "support/hex_dump.h"
#include "support/value_printing.h"

namespace {

using km::platform::dbf_error;
using km::platform::dbf_error_kind;
using km::platform::dbf_table;
using km::test::smb_client;
using km::test::smb_server;

// The data folder and the table as the messages name them.
const QString k_folder = QStringLiteral("K:\\SKOOL\\DATA");
const QString k_table = QStringLiteral("marks1.dbf");

// NR N 4, NAME C 12, MARK C 5: header 129 bytes, records 22 bytes.
constexpr qint64 k_header = 32 + 3 * 32 + 1;
constexpr qint64 k_record = 1 + 4 + 12 + 5;
qint64 record_start(int record) { return k_header + record * k_record; }

km::test::dbf_builder marks_layout() {
  return km::test::dbf_builder().field("NR", 'N', 4).field("NAME", 'C', 12).field("MARK", 'C', 5);
}

// Four records, the third deleted.
QString write_marks_table(const QString& path) {
  return marks_layout()
      .record({"3", "Smit", "50"})
      .record({"1", "Botha", "70"})
      .record({"9", "Weg", "10"}, true)
      .record({"2", "Jansen", ""})
      .write(path);
}

QByteArray read_file(const QString& path) { return km::test::read_native_file(path); }

// The names of the live records as python3-dbf reads the table.
QStringList names_read_by_python_dbf(const QString& path) {
  QStringList names;
  for (const QJsonValue row : km::test::python_dbf_dump(path)[QStringLiteral("rows")].toArray()) {
    const QJsonArray cells = row.toArray();
    if (!cells[0].toBool()) names << cells[2].toString().trimmed();
  }
  return names;
}

class smb_share_test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server = new smb_server; }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }
  void SetUp() override {
    // A share that cannot be served is a failure of the test, never a skip.
    ASSERT_TRUE(server->running()) << server->failure().toStdString();
    ASSERT_TRUE(km::test::python_dbf_available()) << "install python3-dbf";
    table = write_marks_table(server->path(k_table));
  }
  void TearDown() override { km::platform::set_file_fault_hook({}); }

  // The in-use message of the table, as the teacher reads it.
  static QString in_use_text() { return km::in_use_message(k_folder, k_table); }

  static smb_server* server;
  QString table;
};

smb_server* smb_share_test::server = nullptr;

TEST_F(smb_share_test, another_computer_reads_a_table_the_engine_holds_open_for_writing) {
  dbf_table writer(table, dbf_table::access::read_write);
  const QByteArray original = writer.record_bytes(0);
  QByteArray changed = original;
  changed.replace(17, 5, "55   ");
  writer.write_changes(0, original, changed);
  const QByteArray local = read_file(table);

  for (const char* protocol : {"SMB2", "SMB3"}) {
    SCOPED_TRACE(protocol);
    const smb_server::fetched got = server->smbclient_get(k_table, QLatin1String(protocol));
    ASSERT_TRUE(got.ok) << got.output.toStdString();
    EXPECT_EQ(km::test::hex(got.bytes), km::test::hex(local));
    const QString copy = server->path(QStringLiteral("copy.dbf"));
    QFile out(copy);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(got.bytes);
    out.close();
    EXPECT_EQ(km::test::python_dbf_dump(copy), km::test::python_dbf_dump(table));
    QFile::remove(copy);
  }
  smb_client client(*server);
  ASSERT_TRUE(client.ready());
  const QString fetched = server->path(QStringLiteral("fetched.bin"));
  ASSERT_TRUE(
      client.command(QStringLiteral("fetch %1 %2").arg(k_table, fetched)).startsWith(QLatin1String("ok")));
  EXPECT_EQ(km::test::hex(read_file(fetched)), km::test::hex(local));
  QFile::remove(fetched);
}

TEST_F(smb_share_test, a_record_another_computer_holds_locked_is_refused_at_once_and_others_are_written) {
  smb_client client(*server);
  ASSERT_TRUE(client.ready());
  ASSERT_EQ(client.command(QStringLiteral("open ") + k_table), QStringLiteral("ok"));
  // Botha's record, the second, as a program that edits it locks it.
  ASSERT_EQ(client.command(QStringLiteral("lock %1 %2").arg(record_start(1)).arg(k_record)),
            QStringLiteral("ok"));

  km::platform::recordset rs(std::make_unique<dbf_table>(table, dbf_table::access::read_write));
  QStringList names;
  for (rs.move_first(); !rs.eof(); rs.move_next()) names << rs.value(1).to_text().trimmed();
  EXPECT_EQ(names, (QStringList{QStringLiteral("Smit"), QStringLiteral("Botha"), QStringLiteral("Jansen")}));

  struct edit_case {
    const char* name;
    int position;  // among the live records
    bool refused;
  };
  const edit_case cases[] = {
      {"the_record_before", 0, false}, {"the_locked_record", 1, true}, {"the_record_after", 2, false}};
  for (const edit_case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray before = read_file(table);
    rs.set_absolute_position(c.position);
    rs.edit();
    rs.set_value(2, km::platform::Value(QStringLiteral("80")));
    try {
      rs.update();
      EXPECT_FALSE(c.refused) << "written under another computer's lock";
      EXPECT_NE(read_file(table), before);
    } catch (const dbf_error& e) {
      EXPECT_TRUE(c.refused) << e.text().toStdString();
      EXPECT_EQ(km::table_failure_message(k_folder, k_table, e), in_use_text());
      EXPECT_EQ(read_file(table), before);
      rs.cancel_update();
    }
  }
  rs.set_absolute_position(1);
  EXPECT_THROW(rs.delete_current(), dbf_error);
  EXPECT_EQ(rs.record_count(), 3);

  // Once the lock is given back, the record is written.
  ASSERT_EQ(client.command(QStringLiteral("unlock %1 %2").arg(record_start(1)).arg(k_record)),
            QStringLiteral("ok"));
  rs.set_absolute_position(1);
  rs.edit();
  rs.set_value(2, km::platform::Value(QStringLiteral("80")));
  EXPECT_NO_THROW(rs.update());
  ASSERT_TRUE(client.command(QStringLiteral("read ") + server->path(QStringLiteral("seen.bin")))
                  .startsWith(QLatin1String("ok")));
  EXPECT_EQ(km::test::hex(read_file(server->path(QStringLiteral("seen.bin")))),
            km::test::hex(read_file(table)));
  QFile::remove(server->path(QStringLiteral("seen.bin")));
}

// A second process of the engine, holding the table open for writing.
class engine_writer {
 public:
  explicit engine_writer(const QString& table) {
    process_.start(QStringLiteral(KM_TABLE_WRITER), {table});
    if (process_.waitForStarted(10000) && process_.waitForReadyRead(10000))
      answer_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  }
  ~engine_writer() {
    process_.write("\n");
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) process_.kill();
  }
  engine_writer(const engine_writer&) = delete;
  engine_writer& operator=(const engine_writer&) = delete;
  const QString& answer() const { return answer_; }

 private:
  QProcess process_;
  QString answer_;
};

TEST_F(smb_share_test, a_second_writer_of_the_program_is_refused_on_this_computer_and_across_the_share) {
  const auto second_writer_refused = [&] {
    try {
      dbf_table t(table, dbf_table::access::read_write);
      return QStringLiteral("opened");
    } catch (const dbf_error& e) {
      return km::table_failure_message(k_folder, k_table, e);
    }
  };
  {
    engine_writer other(table);
    ASSERT_EQ(other.answer(), QStringLiteral("open"));
    EXPECT_EQ(second_writer_refused(), in_use_text());
    EXPECT_TRUE(km::platform::dbf_locked_by_other_process(table));
    const smb_server::fetched got = server->smbclient_get(k_table, QStringLiteral("SMB3"));
    ASSERT_TRUE(got.ok) << got.output.toStdString();
    EXPECT_EQ(km::test::hex(got.bytes), km::test::hex(read_file(table)));
  }
  {
    dbf_table writer(table, dbf_table::access::read_write);
    engine_writer other(table);
    EXPECT_EQ(other.answer(), QStringLiteral("in use"));
  }
  // The program on another computer takes the same table lock through the
  // share (a mount passes its locks on to the server): each side refuses
  // the other.
  smb_client client(*server);
  ASSERT_TRUE(client.ready());
  ASSERT_EQ(client.command(QStringLiteral("open ") + k_table), QStringLiteral("ok"));
  const QString table_lock = QStringLiteral("%1 1").arg(km::platform::dbf_table_lock_offset);
  ASSERT_EQ(client.command(QStringLiteral("lock ") + table_lock), QStringLiteral("ok"));
  EXPECT_EQ(second_writer_refused(), in_use_text());
  ASSERT_EQ(client.command(QStringLiteral("unlock ") + table_lock), QStringLiteral("ok"));
  dbf_table writer(table, dbf_table::access::read_write);
  EXPECT_TRUE(client.command(QStringLiteral("lock ") + table_lock).startsWith(QLatin1String("refused")));
}

// The engine's replacements of a whole table: pack, the sort rewrite and a
// rebuild on a template, each with what its table holds afterwards.
struct replace_case {
  const char* name;
  std::function<void(const QString& table, const QString& folder)> run;
  QStringList names_after;
};

std::vector<replace_case> replace_cases() {
  return {
      {"pack",
       [](const QString& t, const QString&) { km::platform::pack_dbf_table(t); },
       {QStringLiteral("Smit"), QStringLiteral("Botha"), QStringLiteral("Jansen")}},
      {"sort_rewrite",
       [](const QString& t, const QString&) {
         km::platform::reorder_dbf_records(t, {1, 3, 0});
       },
       {QStringLiteral("Botha"), QStringLiteral("Jansen"), QStringLiteral("Smit")}},
      {"rebuild",
       [](const QString& t, const QString& folder) {
         const QString tpl = marks_layout().write(folder + QStringLiteral("/template.dbf"));
         std::vector<QByteArray> records;
         {
           const dbf_table old(t, dbf_table::access::read_only);
           for (const std::uint32_t r : {1u, 3u}) records.push_back(old.record_bytes(r));
         }
         km::platform::rebuild_dbf_table_from_records(t, tpl, records);
       },
       {QStringLiteral("Botha"), QStringLiteral("Jansen")}},
  };
}

TEST_F(smb_share_test, a_table_another_computer_holds_open_is_replaced_whole) {
  for (const replace_case& c : replace_cases()) {
    SCOPED_TRACE(c.name);
    table = write_marks_table(table);
    const QByteArray old_bytes = read_file(table);
    smb_client client(*server);
    ASSERT_TRUE(client.ready());
    ASSERT_EQ(client.command(QStringLiteral("open ") + k_table), QStringLiteral("ok"));

    c.run(table, server->folder());  // a share served from Linux lets the rename through

    const QByteArray new_bytes = read_file(table);
    EXPECT_EQ(names_read_by_python_dbf(table), c.names_after);
    EXPECT_NO_THROW(dbf_table(table, dbf_table::access::read_write));
    // The client's open file is the old table or the new one, whole.
    const QString seen = server->path(QStringLiteral("seen.bin"));
    ASSERT_TRUE(client.command(QStringLiteral("read ") + seen).startsWith(QLatin1String("ok")));
    const QByteArray through_handle = read_file(seen);
    EXPECT_TRUE(through_handle == old_bytes || through_handle == new_bytes)
        << km::test::hex(through_handle).toStdString();
    // Its next reading of the file gets the new table.
    ASSERT_TRUE(
        client.command(QStringLiteral("fetch %1 %2").arg(k_table, seen)).startsWith(QLatin1String("ok")));
    EXPECT_EQ(km::test::hex(read_file(seen)), km::test::hex(new_bytes));
    QFile::remove(seen);
  }
}

TEST_F(smb_share_test, a_replacement_the_share_refuses_changes_nothing_and_names_the_file) {
  // A Windows server refuses the rename of a file another computer has
  // open; the file layer's fault seam refuses it as such.
  km::platform::set_file_fault_hook([](km::platform::file_step step, const QString& path) {
    if (step == km::platform::file_step::table_rename)
      throw km::platform::file_error(km::platform::file_error::kind::file_already_open, path);
  });
  for (const replace_case& c : replace_cases()) {
    SCOPED_TRACE(c.name);
    table = write_marks_table(table);
    QFile::remove(server->path(QStringLiteral("template.dbf")));
    const QByteArray before = read_file(table);
    smb_client client(*server);
    ASSERT_TRUE(client.ready());
    ASSERT_EQ(client.command(QStringLiteral("open ") + k_table), QStringLiteral("ok"));
    try {
      c.run(table, server->folder());
      ADD_FAILURE() << "the refused replacement was reported as done";
    } catch (const dbf_error& e) {
      for (const bool afrikaans : {false, true}) {
        km::g_language = afrikaans;
        EXPECT_EQ(km::table_failure_message(k_folder, QStringLiteral("marks1"), e),
                  km::held_open_message(k_folder, k_table));
      }
      km::g_language = false;
    }
    EXPECT_EQ(km::test::hex(read_file(table)), km::test::hex(before));
    const QString seen = server->path(QStringLiteral("seen.bin"));
    ASSERT_TRUE(
        client.command(QStringLiteral("fetch %1 %2").arg(k_table, seen)).startsWith(QLatin1String("ok")));
    EXPECT_EQ(km::test::hex(read_file(seen)), km::test::hex(before));
    QFile::remove(seen);
    QFile::remove(server->path(QStringLiteral("template.dbf")));
    EXPECT_EQ(QDir(server->folder()).entryList(QDir::Files), QStringList{k_table});
  }
}

}  // namespace
