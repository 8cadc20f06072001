#include "common/record_file_layouts.h"

#include "common/file_code_table.h"
#include "common/school_record.h"
#include "platform/record_layout.h"
#include "record_file_fixture.h"

namespace km::test {
namespace {

TEST(record_file_layouts, school_record_fields_lie_where_the_layout_says) {
  struct row {
    const char* name;
    platform::field_kind kind;
    int width;
    int offset;
    int count;
  };
  const row rows[] = {
      {"SD_SKOOL", platform::field_kind::text, 60, 0, 1},
      {"SD_PROV", platform::field_kind::text, 30, 310, 1},
      {"SD_T_NR", platform::field_kind::single, 4, 340, 1},
      {"SD_ST", platform::field_kind::text, 10, 344, 21},
      {"SD_OBE", platform::field_kind::bool16, 2, 554, 21},
      {"SD_NME", platform::field_kind::text, 40, 596, 21},
      {"SD_TME_OUT", platform::field_kind::single, 4, 1436, 1},
      {"SX_EXPRESS", platform::field_kind::bool16, 2, 2364, 1},
      {"SX_SNR_HF", platform::field_kind::text, 50, 2706, 1},
  };
  for (const row& r : rows) {
    const platform::field_def* f = platform::find_field(skl_dta_record, r.name);
    ASSERT_NE(f, nullptr) << r.name;
    EXPECT_EQ(f->kind, r.kind) << r.name;
    EXPECT_EQ(f->width, r.width) << r.name;
    EXPECT_EQ(f->offset, r.offset) << r.name;
    EXPECT_EQ(f->count, r.count) << r.name;
  }
  EXPECT_EQ(skl_dta_record.length, 2756);
  EXPECT_EQ(skl_dta_record.fields.size(), 54u);
}

TEST(record_file_layouts, files_open_with_their_layout_length) {
  for (const file_code_entry& e : file_code_table()) {
    if (e.layout != nullptr) {
      EXPECT_EQ(e.record_length, e.layout->length) << e.code;
    }
    if (e.school_group) {
      EXPECT_EQ(e.count, nullptr) << e.code;
    }
  }
  EXPECT_EQ(pi3_record.length, 250);
  EXPECT_EQ(platform::find_field(pi3_record, "PI3_WEIGHT_OLD")->offset, 57);
  EXPECT_EQ(platform::find_field(pi3_record, "PI3_WEIGHT")->offset, 61);
  EXPECT_EQ(hw2_record.length, 129);
  EXPECT_EQ(pi1sma_record.length, 48);
  EXPECT_EQ(skl_epos_record.length, 1100);
  EXPECT_EQ(find_file_code(QStringLiteral("PUVAK"))->record_length, 12);
  EXPECT_EQ(find_file_code(QStringLiteral("puvak")), nullptr);
}

TEST(record_file_layouts, shared_record_buffers_hold_their_layout_and_reset_to_zero_bytes) {
  struct row {
    platform::record_buffer* buffer;
    int length;
  };
  const row rows[] = {{&g_exp_mrk_control_rec, 44},
                      {&g_pi1sma_rec, 48},
                      {&g_pi3_rec, 250},
                      {&g_hw2_rec, 129},
                      {&g_lock_record, 140}};
  for (const row& r : rows) {
    r.buffer->set_bytes(QByteArray(r.length, 'x'));
  }
  reset_shared_variables();
  for (const row& r : rows) {
    EXPECT_EQ(r.buffer->layout().length, r.length);
    EXPECT_EQ(r.buffer->bytes(), QByteArray(r.length, '\0')) << r.buffer->layout().name;
  }
}

TEST_F(record_file_test, school_name_comes_from_record_1_without_its_trailing_blanks) {
  platform::record_buffer first(skl_dta_record);
  first.blank();
  first.set_text("SD_SKOOL", QStringLiteral("Hoërskool Korva"));
  platform::record_buffer second(skl_dta_record);
  second.set_text("SD_SKOOL", QStringLiteral("Other School"));
  EXPECT_EQ(static_cast<unsigned char>(first.bytes().at(2)), 0xEB) << "cp1252 e with diaeresis";

  struct row {
    QByteArray file;
    QString expected;
  };
  const row rows[] = {
      {first.bytes() + second.bytes(), QStringLiteral("Hoërskool Korva")},
      {QByteArray(), QString()},                                     // no record
      {platform::record_buffer(skl_dta_record).bytes(), QString()},  // a record of zero bytes
  };
  for (const row& r : rows) {
    put(QStringLiteral("C/DATA/Skl_Dta_random.txt"), r.file);
    open(QStringLiteral("SKL"));
    EXPECT_EQ(read_school_name(g_skl_file_number), r.expected);
  }
  EXPECT_THROW(read_school_name(0), platform::file_error);
}

}  // namespace
}  // namespace km::test
