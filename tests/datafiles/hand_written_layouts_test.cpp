// The record layouts of the hand-written conversions: every named place
// lies at the offset the record files have, and each file is opened with
// the length of its layout.

#include "datafiles/hand_written_layouts.h"

#include <gtest/gtest.h>

#include "common/file_code_table.h"
#include "platform/record_layout.h"
#include "support/hex_dump.h"

namespace km::test {
namespace {

struct place {
  const platform::record_layout* layout;
  const char* field;
  int index;  // the array element; first_element for a plain field
  int offset;
  int width;
};

constexpr int plain = platform::first_element;

const place places[] = {
    {&hw_kodes_record, "hk_code", plain, 0, 2},
    {&hw_kodes_record, "hk_kde1_text1", plain, 2, 255},
    {&hw_kodes_record, "hk_kde1_text2", plain, 257, 255},
    {&hw_kodes_record, "hk_kde1_number", plain, 512, 2},
    {&hw_kodes_record, "hk_kde1_short", plain, 514, 5},
    {&hw_kodes_record, "hk_kde2_text1", plain, 519, 255},
    {&hw_kodes_record, "hk_kde2_text2", plain, 774, 255},
    {&hw_kodes_record, "hk_kde2_number", plain, 1029, 2},
    {&hw_kodes_record, "hk_kde3_text1", plain, 1031, 255},
    {&hw_kodes_record, "hk_kde3_text2", plain, 1286, 255},
    {&hw_kodes_record, "hk_kde3_number", plain, 1541, 2},
    {&hw_kodes_record, "hk_drk1_flag1", plain, 1543, 2},
    {&hw_kodes_record, "hk_drk1_flag2", plain, 1545, 2},
    {&pi4_su_record, "su_code", plain, 0, 5},
    {&pi4_su_record, "su_text_a", 1, 55, 50},
    {&pi4_su_record, "su_text_a", 10, 505, 50},
    {&pi4_su_record, "su_text_b", 1, 605, 50},
    {&pi4_su_record, "su_text_b", 10, 1055, 50},
    {&pi4_su_record, "su_flags", su_flag_element(1, 1), 1129, 2},
    {&pi4_su_record, "su_flags", su_flag_element(3, 4), 1199, 2},
    {&pi4_su_record, "su_flags", su_flag_element(10, 5), 1235, 2},
    {&pi4_vh_record, "vh_code", plain, 0, 5},
    {&pi4_vh_record, "vh_text_a", 1, 55, 50},
    {&pi4_vh_record, "vh_text_a", 50, 2505, 50},
    {&pi4_vh_record, "vh_text_b", 1, 2605, 50},
    {&pi4_vh_record, "vh_text_b", 50, 5055, 50},
    {&pi4_vh_record, "vh_flags", vh_flag_element(1, 1), 5209, 2},
    {&pi4_vh_record, "vh_flags", vh_flag_element(10, 4), 5533, 2},
    {&pi4_vh_record, "vh_flags", vh_flag_element(50, 5), 5715, 2},
    {&prm_prom_record, "prom_setting", 1, 0, 2},
    {&prm_prom_record, "prom_setting", 2, 2, 2},
    {&prm_prom_record, "prom_setting", 3, 4, 2},
    {&prm_prom_record, "prom_setting", 4, 6, 2},
};

TEST(hand_written_layouts, every_named_place_lies_at_its_offset) {
  for (const place& p : places) {
    SCOPED_TRACE(std::string(p.layout->name) + " " + p.field + " " + std::to_string(p.index));
    platform::record_buffer record(*p.layout);
    record.set_raw(p.field, QByteArray(p.width + 1, 'Z'), p.index);
    QByteArray expected(p.layout->length, '\0');
    expected.replace(p.offset, p.width, QByteArray(p.width, 'Z'));
    EXPECT_EQ(hex(record.bytes()), hex(expected));
  }
}

TEST(hand_written_layouts, each_file_is_opened_with_the_length_of_its_layout) {
  const std::pair<const char*, const platform::record_layout*> files[] = {{"HWK", &hw_kodes_record},
                                                                          {"PI4SU", &pi4_su_record},
                                                                          {"PI4VH", &pi4_vh_record},
                                                                          {"PRMPROM", &prm_prom_record}};
  for (const auto& [code, layout] : files) {
    const file_code_entry* entry = find_file_code(QLatin1String(code));
    ASSERT_NE(entry, nullptr) << code;
    EXPECT_EQ(entry->record_length, layout->length) << code;
  }
}

}  // namespace
}  // namespace km::test
