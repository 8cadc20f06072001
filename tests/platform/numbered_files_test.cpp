#include "platform/numbered_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <functional>

#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/record_layouts.h"
#include "support/hex_dump.h"
#include "support/temp_drives.h"
#include "support/thrown_file_error.h"

namespace km::platform {
namespace {

using km::test::hex;
using km::test::read_native_file;
using km::test::thrown_file_error_kind;
using kind = file_error::kind;

class NumberedFiles : public km::test::temp_drives_test {
 protected:
  // Writes a file natively and opens it for input under number 1.
  void open_text(const QByteArray& bytes) {
    drives.write_native("C/in.txt", bytes);
    open_file(1, "C:\\in.txt", open_mode::input);
  }

  // The bytes that one Write # statement puts in a file.
  QByteArray written_by(const std::vector<Value>& values) {
    open_file(2, "C:\\w.txt", open_mode::output);
    write_fields(2, values);
    close_numbered_file(2);
    return read_native_file(c("w.txt"));
  }
};

TEST_F(NumberedFiles, WriteStatementBytes) {
  struct Case {
    std::vector<Value> values;
    QByteArray bytes;
  };
  const Case cases[] = {
      {{Value::text(""), Value::text("")}, "\"\",\"\"\r\n"},
      {{Value::boolean(false)}, "#FALSE#\r\n"},
      {{Value::boolean(true), Value::int16(-3), Value::int32(70000)}, "#TRUE#,-3,70000\r\n"},
      {{Value::dbl(2.5), Value::dbl(20), Value::single(0.1f)}, "2.5,20,0.1\r\n"},
      {{Value::date(42811.0)}, "#2017-03-17#\r\n"},
      {{Value::date(42811.4375)}, "#2017-03-17 10:30:00#\r\n"},
      {{Value::date(0.75)}, "#18:00:00#\r\n"},
      {{Value::null(), Value(), Value::text("x")}, "#NULL#,,\"x\"\r\n"},
      {{Value::text("say \"hi\"")}, "\"say \"hi\"\"\r\n"},
      {{Value::text(QStringLiteral("Hoërskool"))}, "\"Ho\xebrskool\"\r\n"},
      {{}, "\r\n"},
  };
  for (const auto& cs : cases) EXPECT_EQ(hex(written_by(cs.values)), hex(cs.bytes)) << cs.bytes.toStdString();
}

TEST_F(NumberedFiles, InputFieldsTable) {
  struct Case {
    const char* name;
    QByteArray file;
    std::vector<Value> fields;
  };
  const QString nuls(4, QChar(0));
  const Case cases[] = {
      {"NUL-filled quoted texts", QByteArray("\"\0\0\0\0\",\"\0\0\0\0\"\r\n", 15), {nuls, nuls}},
      {"quoted comma", "\"a,b\",c\r\n", {Value::text("a,b"), Value::text("c")}},
      {"Booleans", "#TRUE#,#false#\r\n", {Value::boolean(true), Value::boolean(false)}},
      {"unquoted field with blanks",
       "  hello world  ,\tnext\r\n",
       {Value::text("hello world"), Value::text("next")}},
      {"quoted field across a line end",
       "\"line1\r\nline2\",x\r\n",
       {Value::text("line1\r\nline2"), Value::text("x")}},
      {"dates",
       "#2017-03-17#,#2017-03-17 10:30:00#,#10:30:00#\r\n",
       {Value::date(42811.0), Value::date(42811.4375), Value::date(0.4375)}},
      {"null", "#NULL#\r\n", {Value::null()}},
      {"empty fields", "a,,b\r\n", {Value::text("a"), Value(), Value::text("b")}},
      {"rest after a closing quote dropped", "\"ab\"xy,c\n", {Value::text("ab"), Value::text("c")}},
      {"unknown hash field is text", "#junk#,1\r\n", {Value::text("#junk#"), Value::text("1")}},
      {"line ends LF and CR", "a\nb\rc", {Value::text("a"), Value::text("b"), Value::text("c")}},
      {"one value per line",
       "\"x\"\r\n\"20\"\r\n\"\"\r\n",
       {Value::text("x"), Value::text("20"), Value::text("")}},
      {"unclosed quote runs to the end", "\"abc", {Value::text("abc")}},
      {"cp1252", "\"Ho\xebrskool\"\r\n", {Value::text(QStringLiteral("Hoërskool"))}},
  };
  for (const auto& cs : cases) {
    SCOPED_TRACE(cs.name);
    open_text(cs.file);
    for (const Value& expected : cs.fields) EXPECT_EQ(input_field(1), expected);
    EXPECT_TRUE(eof(1));
    EXPECT_EQ(thrown_file_error_kind([] { input_field(1); }), kind::input_past_end);
    close_numbered_file(1);
  }
}

TEST_F(NumberedFiles, WriteThenInputRoundTrip) {
  const std::vector<std::vector<Value>> lines = {
      {Value::text(""), Value::text("")},
      {Value::boolean(false)},
      {Value::text(QString(4, QChar(0))), Value::text(QString(4, QChar(0)))},
      {Value::text("a,b"), Value::text("CLASS TEST 1"), Value::date(42811.0), Value::date(42811.5),
       Value::null()},
  };
  open_file(3, "C:\\setup.txt", open_mode::output);
  for (const auto& line : lines) write_fields(3, line);
  close_numbered_file(3);

  open_file(3, "C:\\SETUP.TXT", open_mode::input);
  for (const auto& line : lines)
    for (const Value& v : line) EXPECT_EQ(input_field(3), v);
  EXPECT_TRUE(eof(3));
}

TEST_F(NumberedFiles, InputTextGivesTextForms) {
  open_text("#TRUE#,\"x\",#NULL#,,12\r\n");
  EXPECT_EQ(input_text(1), "True");
  EXPECT_EQ(input_text(1), "x");
  EXPECT_EQ(input_text(1), "");
  EXPECT_EQ(input_text(1), "");
  EXPECT_EQ(input_text(1), "12");
}

TEST_F(NumberedFiles, LineInput) {
  open_text("abc\r\nxyz\n\nmid\rcr\r\nlast");
  EXPECT_EQ(line_input(1), "abc");
  EXPECT_EQ(line_input(1), "xyz");
  EXPECT_EQ(line_input(1), "");
  EXPECT_EQ(line_input(1), "mid\rcr");
  EXPECT_FALSE(eof(1));
  EXPECT_EQ(line_input(1), "last");
  EXPECT_TRUE(eof(1));
  EXPECT_EQ(thrown_file_error_kind([] { line_input(1); }), kind::input_past_end);
}

TEST_F(NumberedFiles, PrintStatements) {
  open_file(4, "C:\\p.txt", open_mode::output);
  print_text(4, "a");
  print_text(4, "b");
  print_line(4, "c");
  print_line(4);
  print_line(4, "False");
  EXPECT_EQ(lof(4), 14);
  EXPECT_EQ(seek_position(4), 15);
  close_numbered_file(4);
  EXPECT_EQ(read_native_file(c("p.txt")), "abc\r\n\r\nFalse\r\n");
}

TEST_F(NumberedFiles, OutputReplacesFileWhenClosed) {
  drives.write_native("C/Setup.TXT", "old text");
  open_file(5, "C:\\setup.txt", open_mode::output);
  print_line(5, "new");
  // Until the close the old file is whole.
  EXPECT_EQ(read_native_file(c("Setup.TXT")), "old text");
  close_numbered_file(5);
  EXPECT_EQ(read_native_file(c("Setup.TXT")), "new\r\n");
  // The file of the other spelling was written; no second file appeared.
  EXPECT_EQ(QDir(drives.native_drive('C')).entryList(QDir::Files), QStringList{"Setup.TXT"});

  // An output file that is closed at once is empty.
  open_file(5, "C:\\SETUP.txt", open_mode::output);
  close_numbered_file(5);
  EXPECT_EQ(read_native_file(c("Setup.TXT")), "");
}

TEST_F(NumberedFiles, NewOutputFileExistsWhileOpen) {
  open_file(5, "C:\\New.txt", open_mode::output);
  EXPECT_TRUE(file_exists("C:\\new.txt"));
  close_numbered_file(5);
  EXPECT_TRUE(file_exists("C:\\new.txt"));
}

TEST_F(NumberedFiles, AppendAddsAtTheEnd) {
  drives.write_native("C/log.txt", "one\r\n");
  open_file(6, "C:\\LOG.TXT", open_mode::append);
  print_line(6, "two");
  EXPECT_EQ(lof(6), 10);
  close_numbered_file(6);
  open_file(6, "C:\\new_log.txt", open_mode::append);
  write_fields(6, {Value::boolean(true)});
  close_numbered_file(6);
  EXPECT_EQ(read_native_file(c("log.txt")), "one\r\ntwo\r\n");
  EXPECT_EQ(read_native_file(c("new_log.txt")), "#TRUE#\r\n");
}

TEST_F(NumberedFiles, OpenFailures) {
  drives.write_native("C/a.txt", "a");
  drives.make_native_folder("C/folder");
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\none.txt", open_mode::input); }),
            kind::file_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\nofolder\\a.txt", open_mode::input); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\nofolder\\a.txt", open_mode::output); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "Q:\\a.txt", open_mode::random, 44); }),
            kind::path_not_found);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\a*.txt", open_mode::output); }),
            kind::bad_file_name);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(0, "C:\\a.txt", open_mode::input); }), kind::bad_file_name);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(512, "C:\\a.txt", open_mode::input); }),
            kind::bad_file_name);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\folder", open_mode::input); }), kind::other);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\folder", open_mode::output); }), kind::other);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\a.txt", open_mode::random, 0); }),
            kind::bad_record_length);
  EXPECT_FALSE(is_numbered_file_open(1));

  open_file(1, "C:\\a.txt", open_mode::input);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\b.txt", open_mode::output); }),
            kind::file_already_open);
  open_file(2, "C:\\A.TXT", open_mode::input);  // reading twice is allowed
  EXPECT_EQ(thrown_file_error_kind([] { open_file(3, "c:\\a.txt", open_mode::output); }),
            kind::file_already_open);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(3, "c:\\a.txt", open_mode::append); }),
            kind::file_already_open);
  close_all_numbered_files();
  EXPECT_FALSE(is_numbered_file_open(1));
  EXPECT_FALSE(is_numbered_file_open(2));

  open_file(3, "C:\\a.txt", open_mode::append);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(4, "C:\\A.txt", open_mode::random, 1); }),
            kind::file_already_open);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(4, "C:\\A.txt", open_mode::input); }),
            kind::file_already_open);
}

TEST_F(NumberedFiles, ReadOnlyFiles) {
  drives.write_native("C/ro.txt", "keep");
  set_read_only("C:\\ro.txt", true);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\ro.txt", open_mode::output); }),
            kind::permission_denied);
  EXPECT_EQ(thrown_file_error_kind([] { open_file(1, "C:\\ro.txt", open_mode::append); }),
            kind::permission_denied);
  EXPECT_EQ(read_native_file(c("ro.txt")), "keep");

  // A read-only record file can be read but not written.
  open_file(1, "C:\\ro.txt", open_mode::random, 4);
  EXPECT_EQ(get_record(1, 1), "keep");
  EXPECT_EQ(thrown_file_error_kind([] { put_record(1, 1, "lose"); }), kind::permission_denied);
  EXPECT_EQ(read_native_file(c("ro.txt")), "keep");
}

TEST_F(NumberedFiles, StatementsCheckModeAndNumber) {
  drives.write_native("C/a.txt", "a");
  open_file(1, "C:\\a.txt", open_mode::input);
  open_file(2, "C:\\b.txt", open_mode::output);
  open_file(3, "C:\\r.dat", open_mode::random, 4);
  EXPECT_EQ(thrown_file_error_kind([] { print_line(1, "x"); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { input_field(2); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { get_record(1, 1); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { put_bytes(3, 1, "x"); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { line_input(3); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { seek(2, 1); }), kind::bad_file_mode);
  EXPECT_EQ(thrown_file_error_kind([] { get_record(9, 1); }), kind::bad_file_name);
  EXPECT_EQ(thrown_file_error_kind([] { seek(9, 1); }), kind::bad_file_name);
  EXPECT_EQ(thrown_file_error_kind([] { eof(0); }), kind::bad_file_name);
  EXPECT_EQ(numbered_file_mode(3), open_mode::random);
  EXPECT_EQ(numbered_file_record_length(3), 4);
  EXPECT_EQ(numbered_file_path(1), "C:\\a.txt");
  close_numbered_file(9);  // not open: no error
  close_numbered_file(999);
  close_numbered_file(3);
  EXPECT_FALSE(is_numbered_file_open(3));
  EXPECT_TRUE(is_numbered_file_open(1));
}

TEST_F(NumberedFiles, RandomRecordsWithGapFill) {
  open_file(101, "C:\\PUVak_random.txt", open_mode::random, 4);
  EXPECT_EQ(lof(101), 0);
  EXPECT_TRUE(file_exists("C:\\puvak_random.txt"));  // created empty by the open

  put_record(101, 3, "ABCD");
  EXPECT_EQ(hex(read_native_file(c("PUVak_random.txt"))), hex(QByteArray("\0\0\0\0\0\0\0\0ABCD", 12)));
  EXPECT_EQ(lof(101), 12);

  EXPECT_EQ(get_record(101, 1), QByteArray(4, '\0'));
  EXPECT_FALSE(eof(101));
  EXPECT_EQ(get_record(101, 3), "ABCD");
  EXPECT_FALSE(eof(101));
  EXPECT_EQ(get_record(101), QByteArray(4, '\0'));  // record 4, past the end
  EXPECT_TRUE(eof(101));
  EXPECT_EQ(lof(101), 12);  // reading past the end does not grow the file

  put_record(101, 2, "xy");  // a short record is completed with zeros
  EXPECT_EQ(get_record(101, 2), QByteArray("xy\0\0", 4));
  put_record(101, "next");  // after the one just read: record 3
  EXPECT_EQ(get_record(101, 3), "next");

  seek(101, 1);
  EXPECT_EQ(seek_position(101), 1);
  EXPECT_FALSE(eof(101));
  put_record(101, "one!");
  EXPECT_EQ(seek_position(101), 2);
  EXPECT_EQ(get_record(101, 1), "one!");

  EXPECT_EQ(thrown_file_error_kind([] { put_record(101, 1, "12345"); }), kind::bad_record_length);
  EXPECT_EQ(thrown_file_error_kind([] { put_record(101, 0, "1"); }), kind::bad_record_number);
  EXPECT_EQ(thrown_file_error_kind([] { get_record(101, 0); }), kind::bad_record_number);
  EXPECT_EQ(thrown_file_error_kind([] { seek(101, 0); }), kind::bad_record_number);
  close_numbered_file(101);
  EXPECT_EQ(hex(read_native_file(c("PUVak_random.txt"))), hex(QByteArray("one!xy\0\0next", 12)));
}

TEST_F(NumberedFiles, PartRecordAtTheEnd) {
  drives.write_native("C/part.dat", "ABCDEF");
  open_file(1, "C:\\part.dat", open_mode::random, 4);
  EXPECT_EQ(get_record(1, 2), QByteArray("EF\0\0", 4));
  EXPECT_TRUE(eof(1));
  EXPECT_EQ(lof(1), 6);
}

TEST_F(NumberedFiles, RecordBuffersThroughRandomFile) {
  open_file(1, "C:\\exp_mrk_control.txt", open_mode::random, exp_mrk_control_record.length);
  record_buffer rec(exp_mrk_control_record);
  rec.set_text("grade", "10");
  rec.set_single("subject_total", 62.5f);
  put_record(1, 2, rec);
  EXPECT_EQ(lof(1), 88);

  record_buffer back(exp_mrk_control_record);
  get_record(1, 2, back);
  EXPECT_EQ(back.get_text("grade"), "10 ");
  EXPECT_EQ(back.get_single("subject_total"), 62.5f);
  get_record(1, 1, back);
  EXPECT_EQ(back.bytes(), QByteArray(44, '\0'));
}

TEST_F(NumberedFiles, BinaryBytes) {
  open_file(7, "C:\\b.bin", open_mode::binary);
  put_bytes(7, 5, "xy");
  EXPECT_EQ(hex(read_native_file(c("b.bin"))), hex(QByteArray("\0\0\0\0xy", 6)));
  EXPECT_EQ(seek_position(7), 7);
  EXPECT_EQ(get_bytes(7, 4, 2), QByteArray("\0x", 2));
  EXPECT_FALSE(eof(7));
  EXPECT_EQ(get_bytes(7, 6, 3), QByteArray("y\0\0", 3));
  EXPECT_TRUE(eof(7));
  EXPECT_EQ(lof(7), 6);
  EXPECT_EQ(thrown_file_error_kind([] { get_bytes(7, 0, 1); }), kind::bad_record_number);
}

TEST_F(NumberedFiles, InputEofAndLof) {
  open_text("\"a\"\r\n");
  EXPECT_EQ(lof(1), 5);
  EXPECT_FALSE(eof(1));
  EXPECT_EQ(seek_position(1), 1);
  EXPECT_EQ(input_field(1), Value::text("a"));
  EXPECT_TRUE(eof(1));
  seek(1, 2);
  EXPECT_EQ(input_field(1), Value::text("a\""));  // read from inside the quotes
}

TEST_F(NumberedFiles, EmptyInputFileIsAtEnd) {
  open_text("");
  EXPECT_TRUE(eof(1));
  EXPECT_EQ(lof(1), 0);
  EXPECT_EQ(thrown_file_error_kind([] { input_field(1); }), kind::input_past_end);
}

TEST_F(NumberedFiles, DiskFullIsReported) {
  if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_TRUE(QFile::link("/dev/full", c("full.txt")));
  // Opening a device for append makes Qt warn that it cannot seek there.
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  open_file(1, "C:\\full.txt", open_mode::append);
  qInstallMessageHandler(previous);
  EXPECT_EQ(thrown_file_error_kind([] { print_line(1, "text"); }), kind::disk_full);
}

TEST_F(NumberedFiles, CloseAllClosesEveryNumber) {
  open_file(11, "C:\\a.txt", open_mode::output);
  open_file(101, "C:\\b.dat", open_mode::random, 10);
  open_file(511, "C:\\c.bin", open_mode::binary);
  put_bytes(511, 1, "xy");
  close_all_numbered_files();
  for (int n : {11, 101, 511}) EXPECT_FALSE(is_numbered_file_open(n)) << n;
  // Random and binary files are written in place as they go.
  EXPECT_EQ(read_native_file(c("c.bin")), "xy");
}

// The settings file of three lines, as the suite writes it.
const QByteArray three_lines = "\"SCHOOL\",\"x\"\r\n#FALSE#\r\n\"a\",\"b\"\r\n";

// Opens setup.txt (three lines) for output under number 5 and writes one line.
void start_rewrite(km::test::temp_drives& drives) {
  drives.write_native("C/setup.txt", three_lines);
  open_file(5, "C:\\setup.txt", open_mode::output);
  print_line(5, "one line");
}

TEST_F(NumberedFiles, UnclosedOutputIsAbandonedOnEveryOtherRoad) {
  struct Case {
    const char* road;
    std::function<void()> give_up;
  };
  const Case cases[] = {
      {"close all", [] { close_all_numbered_files(); }},
      {"abandon", [] { abandon_numbered_file(5); }},
      {"end of program", [] { EXPECT_THROW(end_program(), program_ended); }},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.road);
    start_rewrite(drives);
    cs.give_up();
    EXPECT_FALSE(is_numbered_file_open(5));
    EXPECT_EQ(read_native_file(c("setup.txt")), three_lines);
    // The temporary file is gone with it.
    EXPECT_EQ(QDir(drives.native_drive('C')).entryList(QDir::Files | QDir::Hidden), QStringList{"setup.txt"});
  }
  // The explicit close is the one road that commits.
  start_rewrite(drives);
  close_numbered_file(5);
  EXPECT_EQ(read_native_file(c("setup.txt")), "one line\r\n");
}

using NumberedFilesDeathTest = NumberedFiles;

TEST_F(NumberedFilesDeathTest, UnclosedOutputIsAbandonedWhenTheProgramGoesAway) {
  // The child process leaves with the file open: the table of numbers is
  // destroyed with the other static objects.
  EXPECT_EXIT(
      {
        start_rewrite(drives);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_native_file(c("setup.txt")), three_lines);
  EXPECT_EQ(QDir(drives.native_drive('C')).entryList(QDir::Files | QDir::Hidden), QStringList{"setup.txt"});
}

}  // namespace
}  // namespace km::platform
