#include "platform/record_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/record_layouts.h"
#include "support/hex_dump.h"
#include "support/value_errors.h"

namespace km::platform {
namespace {

using km::test::bytes;
using km::test::hex;

TEST(RecordLayout, ExportControlRecordBytes) {
  record_buffer rec(exp_mrk_control_record);
  rec.set_text("grade", "10");
  rec.set_text("subject", "ENG");
  rec.set_single("subject_total", 100.0f);
  rec.set_text("class", "A");
  rec.set_text("second_class", "B");
  rec.set_text("class_when_blank", "C");
  rec.set_int16("number", 7);
  rec.set_text("code", "X");
  rec.set_double("date", 42811.0);  // 17 March 2017
  // "spare" is never written.

  const QByteArray b = rec.bytes();
  ASSERT_EQ(b.size(), 44);
  EXPECT_EQ(b.mid(0, 3), "10 ");
  EXPECT_EQ(b.mid(3, 5), "ENG  ");
  EXPECT_EQ(hex(b.mid(8, 4)), hex(bytes({0x00, 0x00, 0xC8, 0x42})));
  EXPECT_EQ(b.mid(12, 3), "A  ");
  EXPECT_EQ(b.mid(15, 3), "B  ");
  EXPECT_EQ(b.mid(18, 3), "C  ");
  EXPECT_EQ(hex(b.mid(21, 2)), hex(bytes({0x07, 0x00})));
  EXPECT_EQ(b.mid(23, 5), "X    ");
  EXPECT_EQ(hex(b.mid(28, 8)), hex(bytes({0x00, 0x00, 0x00, 0x00, 0x60, 0xE7, 0xE4, 0x40})));
  EXPECT_EQ(b.mid(36, 8), QByteArray(8, '\0'));

  // Read back: texts raw, numbers typed.
  const record_buffer back(exp_mrk_control_record, b);
  EXPECT_EQ(back.get_text("subject"), "ENG  ");
  EXPECT_EQ(back.get("subject_total"), Value::single(100.0f));
  EXPECT_EQ(back.get("NUMBER"), Value::int16(7));  // names match in any case
  EXPECT_EQ(back.get("date"), Value::date(42811.0));
  EXPECT_EQ(back.get("spare"), Value::text(QString(8, QChar(0))));
}

TEST(RecordLayout, SetThroughLooseValues) {
  record_buffer rec(exp_mrk_control_record);
  rec.set("grade", Value::int16(9));
  rec.set("subject_total", Value::text("62.5"));
  rec.set("number", Value::dbl(2.5));  // rounded half to even
  rec.set("date", Value::date(42811.5));
  EXPECT_EQ(rec.get_text("grade"), "9  ");
  EXPECT_EQ(rec.get_single("subject_total"), 62.5f);
  EXPECT_EQ(rec.get_int16("number"), 2);
  EXPECT_EQ(rec.get_double("date"), 42811.5);
  EXPECT_THROW(rec.set("number", Value::dbl(40000)), value_error);
  EXPECT_THROW(rec.set("subject_total", Value::dbl(1e300)), value_error);
  EXPECT_THROW(rec.set("grade", Value::null()), value_error);
}

// A date field of a shared file may hold any eight bytes: a day outside the
// years 100 to 9999, infinity or NaN reads as the overflow error.
TEST(RecordLayout, StoredDatesOutOfRangeOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double stored;
    bool readable;
  } cases[] = {
      {42811.5, true},    {0.0, true},  // never written: the zero date
      {-657434.0, true},  {2958465.0, true}, {-657435.0, false},
      {2958466.0, false}, {1e300, false},    {-1e300, false},
      {inf, false},       {-inf, false},     {std::numeric_limits<double>::quiet_NaN(), false},
  };
  for (const auto& c : cases) {
    QByteArray b(44, '\0');
    std::memcpy(b.data() + 28, &c.stored, sizeof c.stored);  // the "date" field
    const record_buffer rec(exp_mrk_control_record, b);
    const auto overflows = [](auto step) { return test::raises(value_error::kind::overflow, step); };
    EXPECT_EQ(overflows([&] { (void)rec.get("date"); }), !c.readable) << c.stored;
    EXPECT_EQ(overflows([&] { (void)rec.get_double("date"); }), !c.readable) << c.stored;
    if (c.readable) {
      EXPECT_EQ(rec.get("date"), Value::date(c.stored));
    }

    // Storing the same day count is refused the same way, and leaves the
    // field as it was.
    record_buffer out(exp_mrk_control_record);
    EXPECT_EQ(overflows([&] { out.set("date", Value::dbl(c.stored)); }), !c.readable) << c.stored;
    EXPECT_EQ(overflows([&] { out.set_double("date", c.stored); }), !c.readable) << c.stored;
    if (!c.readable) {
      EXPECT_EQ(out.get_raw("date"), QByteArray(8, '\0'));
    }
  }
}

TEST(RecordLayout, TextIsCp1252CutAndPadded) {
  record_buffer rec(user_lock_record);
  rec.set_text("lock_type", QStringLiteral("Hoër"));
  EXPECT_EQ(hex(rec.get_raw("lock_type")), hex(QByteArray("Ho\xebr      ")));
  rec.set_text("lock_type", "0123456789ABC");
  EXPECT_EQ(rec.get_text("lock_type"), "0123456789");
  EXPECT_EQ(rec.bytes().size(), 140);
  EXPECT_EQ(rec.bytes().at(88), '\0');  // the next field is untouched
}

TEST(RecordLayout, BooleanArraysAndBounds) {
  static constexpr field_def fields[] = {
      field::text("email_server", 4, 0, 5, 1),  // indices 1 to 5
      field::bool16("flag", 20),
      field::int32("count", 22),
      field::dbl("amount", 26),
      field::raw("rest", 2, 34),
  };
  static constexpr record_layout layout{"test_record", 36, fields};
  static_assert(layout_problem(layout) == nullptr);

  record_buffer rec(layout);
  rec.set_text("email_server", "a", 1);
  rec.set_text("email_server", "e", 5);
  rec.set_bool("flag", true);
  rec.set_int32("count", -2);
  rec.set_double("amount", 1.5);
  rec.set_raw("rest", QByteArray("\x01", 1));
  EXPECT_EQ(rec.bytes().mid(0, 4), "a   ");
  EXPECT_EQ(rec.bytes().mid(4, 4), QByteArray(4, '\0'));  // index 2 never written
  EXPECT_EQ(rec.bytes().mid(16, 4), "e   ");
  EXPECT_EQ(hex(rec.bytes().mid(20, 2)), "FF FF");
  EXPECT_EQ(hex(rec.bytes().mid(22, 4)), "FE FF FF FF");
  EXPECT_EQ(hex(rec.bytes().mid(26, 8)), "00 00 00 00 00 00 F8 3F");
  EXPECT_EQ(hex(rec.bytes().mid(34, 2)), "01 00");
  EXPECT_EQ(rec.get_text("email_server"), "a   ");  // the first element
  EXPECT_TRUE(rec.get_bool("flag"));
  EXPECT_EQ(rec.get("flag"), Value::boolean(true));
  EXPECT_EQ(rec.get_int32("count"), -2);

  EXPECT_THROW(rec.set_text("email_server", "x", 0), std::out_of_range);
  EXPECT_THROW(rec.set_text("email_server", "x", 6), std::out_of_range);
  EXPECT_THROW(rec.get_text("no_such_field"), std::out_of_range);
  EXPECT_THROW(rec.get_int16("flag"), std::invalid_argument);
  EXPECT_THROW(rec.set_text("count", "1"), std::invalid_argument);
}

TEST(RecordLayout, BlankAndShortBytes) {
  record_buffer rec(user_lock_record, QByteArray("abc"));
  EXPECT_EQ(rec.bytes().size(), 140);
  EXPECT_EQ(rec.bytes().mid(0, 4), QByteArray("abc\0", 4));
  rec.set_double("date", 42811.0);
  rec.set_int16("number", 5);
  rec.blank();
  EXPECT_EQ(rec.get_text("user_name"), QString(50, ' '));
  EXPECT_EQ(rec.get_text("locked_item"), QString(50, ' '));
  EXPECT_EQ(rec.get_raw("date"), QByteArray(8, '\0'));
  EXPECT_EQ(rec.get_int16("number"), 0);
  rec.clear();
  EXPECT_EQ(rec.bytes(), QByteArray(140, '\0'));
  rec.set_bytes(QByteArray(200, 'x'));
  EXPECT_EQ(rec.bytes().size(), 140);
}

TEST(RecordLayout, KnownLayoutsAddUp) {
  EXPECT_EQ(layout_problem(exp_mrk_control_record), nullptr);
  EXPECT_EQ(layout_problem(user_lock_record), nullptr);
  EXPECT_EQ(layout_problem(audit_trail_record), nullptr);
  EXPECT_EQ(exp_mrk_control_record.length, 44);
  EXPECT_EQ(user_lock_record.length, 140);
  EXPECT_EQ(audit_trail_record.length, 258);
  ASSERT_NE(find_field(audit_trail_record, "unused"), nullptr);
  EXPECT_EQ(find_field(audit_trail_record, "unused")->offset, 118);
  EXPECT_EQ(find_field(user_lock_record, "locked_item")->offset, 90);
}

TEST(RecordLayout, CheckRejectsLayoutsThatDoNotAddUp) {
  static constexpr field_def good[] = {field::text("a", 3, 0), field::single("b", 3), field::int16("c", 7)};
  static constexpr field_def wrong_offset[] = {field::text("a", 3, 0), field::single("b", 4),
                                               field::int16("c", 8)};
  static constexpr field_def overlap[] = {field::text("a", 3, 0), field::single("b", 2),
                                          field::int16("c", 6)};
  static constexpr field_def wrong_width[] = {
      field::text("a", 3, 0), {"b", field_kind::single, 8, 3}, field::int16("c", 11)};
  static constexpr field_def twice[] = {field::text("a", 3, 0), field::single("A", 3), field::int16("c", 7)};
  static constexpr field_def no_count[] = {field::text("a", 3, 0, 0), field::single("b", 0),
                                           field::int16("c", 4)};
  struct Case {
    const char* name;
    record_layout layout;
    bool ok;
  };
  const Case cases[] = {
      {"good", {"r", 9, good}, true},
      {"total too long", {"r", 10, good}, false},
      {"total too short", {"r", 8, good}, false},
      {"gap before a field", {"r", 10, wrong_offset}, false},
      {"overlapping fields", {"r", 8, overlap}, false},
      {"width not of its kind", {"r", 13, wrong_width}, false},
      {"name used twice", {"r", 9, twice}, false},
      {"empty array", {"r", 6, no_count}, false},
      {"no length", {"r", 0, {}}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(layout_problem(c.layout) == nullptr, c.ok) << c.name;
  static_assert(layout_problem(record_layout{"r", 10, wrong_offset}) != nullptr);
}

}  // namespace
}  // namespace km::platform
