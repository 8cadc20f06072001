// The declarations agree with the opening's file-code table, and every
// record layout has its fields where the record files hold them.

#include "datafiles/conversion_table.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/file_code_table.h"
#include "common/record_file_layouts.h"
#include "common/shared_variables.h"
#include "datafiles/conversion_layouts.h"

namespace km {
namespace {

TEST(conversion_table, each_conversion_agrees_with_the_file_code_that_builds_it) {
  for (const conversion& c : conversion_table()) {
    SCOPED_TRACE(c.code);
    const file_code_entry* entry = find_file_code(QLatin1String(c.code));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->build.from_table, nullptr);
    EXPECT_STREQ(entry->build.table, c.table);
    EXPECT_STREQ(entry->file_name, c.record_file);
    EXPECT_EQ(entry->record_length, c.layout->length);
    EXPECT_EQ(entry->build.before_year, c.before_year);
    // KPD writes on a number of its own; the opening then opens the file
    // on the code's number.
    if (std::strcmp(c.code, "KPD") == 0)
      EXPECT_EQ(c.number, &g_kpd_convert_file_number);
    else
      EXPECT_EQ(c.number, entry->number);
  }
}

TEST(conversion_table, every_table_build_of_the_opening_has_its_conversion) {
  for (const file_code_entry& entry : file_code_table()) {
    if (entry.build.from_table == nullptr) continue;
    EXPECT_NE(find_conversion(entry.code), nullptr) << entry.code;
  }
}

TEST(conversion_table, every_mapped_record_field_is_in_the_layout) {
  for (const conversion& c : conversion_table()) {
    for (const field_group& g : c.fields) {
      for (const field_member& m : g.members) {
        if (m.record_field == nullptr) continue;
        const platform::field_def* f = platform::find_field(*c.layout, m.record_field);
        ASSERT_NE(f, nullptr) << c.code << " " << m.record_field;
        const int last = g.last == 0 ? f->first_index : (m.element ? m.element(g.last) : g.last) + m.span - 1;
        EXPECT_LT(last, f->first_index + f->count) << c.code << " " << m.record_field;
      }
    }
  }
}

struct placed {
  const platform::record_layout* layout;
  const char* field;
  int offset;
  int width;
  int count;
};

// The offsets, widths and element counts of the record files.
const placed places[] = {
    {&ppl_hst_record, "PH_T_NR", 0, 4, 1},
    {&ppl_hst_record, "PH_STD_", 4, 3, 6},
    {&ppl_hst_record, "PH_JAAR_", 22, 2, 6},
    {&ppl_hst_record, "PH_X1_", 34, 2, 6},
    {&ppl_hst_record, "PH_X2_", 46, 5, 6},
    {&ppl_hst_record, "PH_X3_", 76, 2, 6},
    {&ppl_gbrk_record, "PG_P_S", 4, 1, 21},
    {&ppl_gbrk_record, "PG_DTE", 25, 8, 21},
    {&ppl_pig_record, "PG_GEM_", 4, 4, 23},
    {&ppl_pig_record, "PG_PIG_", 96, 4, 23},
    {&ppl_pig_record, "PG_B6G_", 188, 4, 23},
    {&ppl_pig_record, "PG_B6P_", 280, 4, 23},
    {&sbp_record, "SP_KLAS", 3, 3, 1},
    {&sbp_record, "SP_ONNIE", 6, 30, 1},
    {&sbp_record, "SP_WEEK", 36, 4, 1},
    {&sbp_record, "ST_GEDOEN", 40, 2, 6},
    {&sb_record, "SD_JAAR", 4, 1, 441},
    {&sb_record, "SD_TIPE", 445, 1, 441},
    {&sb_record, "SD_BESK", 886, 1, 441},
    {&sbi_record, "SBI_BESK", 25, 25, 1},
    {&sbt_record, "ST_MAAND", 4, 4, 13},
    {&sbt_record, "ST_TOTAAL", 56, 4, 1},
    {&k_h_dta_record, "KH_KOSHUIS", 4, 8, 1},
    {&k_h_dta_record, "KH_KAMER", 12, 5, 1},
    {&k_h_dta_record, "KH_WASGOED", 17, 5, 1},
    {&k_h_dta_record, "KH_MEMO", 22, 100, 1},
    {&hw_record, "hd_datum", 4, 8, 1},
    {&hw_record, "hd_pos_nr", 12, 3, 1},
    {&hw_record, "hd_rede", 15, 4, 1},
    {&hw_record, "hd_uitslag", 19, 4, 1},
    {&hw_record, "hd_opmerk", 23, 4, 1},
    {&hw_record, "hd_voltooi", 27, 2, 1},
    {&kpd_record, "KPD_VLAK", 4, 3, 11},
    {&kpd_record, "KPD_DATUM_BEREIK", 37, 8, 11},
    {&kpd_record, "KPD_DATUM_GEDRUK", 125, 8, 11},
    {&kpk_record, "KPv_BSK1", 3, 25, 1},
    {&kpk_record, "KPv_BSK2", 28, 25, 1},
    {&kpk_record, "KPv_GRD", 53, 3, 21},
    {&kpk_record, "KPv_VAN", 116, 4, 21},
    {&kpk_record, "KPv_TOT", 200, 4, 21},
    {&pi1_record, "pi1_SIKL", 8, 2, 1},
    {&pi1_record, "PI1_SN_", 10, 5, 5},
    {&pi1_record, "PI1_SF_", 35, 4, 5},
    {&pi1_record, "PI1_TN_", 55, 5, 9},
    {&pi1_record, "pi1_tf_", 100, 4, 9},
    {&pi1_record, "PI1_TR_", 136, 4, 9},
    {&pi2_record, "PI2_GRNS_B", 2, 4, 1},
    {&pi2_record, "PI2_GRNS_O", 6, 4, 1},
    {&obe_dta_record, "OD_VAK_NR", 4, 5, 1},
    {&obe_dta_record, "OD_PRG_ORG", 9, 50, 1},
    {&obe_dta_record, "OD_S_U_", 59, 50, 31},
    {&obe_dta_record, "OD_SMB_", 1609, 5, 31},
    {&obe_dta_record, "OD_ASS_", 1764, 4, 31},
    {&prm_rem_record, "RC_COM1_", 874, 2, 15},
    {&prm_rem_record, "RC_COM2_", 904, 2, 15},
    {&vak_dta_record, "VD_A_VAK", 4, 5, 21},
    {&vak_dta_record, "VD_A_POS", 109, 3, 21},
    {&vak_dta_record, "VD_A_KMB", 172, 3, 21},
    {&vak_dta_record, "VD_S_VAK", 235, 5, 21},
    {&vak_dta_record, "VD_S_POS", 340, 3, 21},
    {&vak_dta_record, "VD_S_SMT", 403, 5, 21},
    {&vak_dta_record, "VD_S_KMB", 508, 3, 21},
    {&vak_dta_record, "VD_N_VAK", 571, 5, 11},
    {&vak_dta_record, "VD_N_POS", 626, 3, 11},
    {&vak_dta_record, "VD_N_KMB", 659, 3, 11},
    {&pnt_dta_record, "PD_VAK_NR", 4, 5, 1},
    {&pnt_dta_record, "PD_PNT_", 9, 5, 21},
    {&pnt_dta_record, "PD_P_S_", 114, 3, 21},
    {&pnt_dta_record, "PD_FE", 177, 3, 105},
    {&gem_dta_record, "GD_TIPE", 5, 1, 1},
    {&gem_dta_record, "GD_P_K_NR", 6, 2, 1},
    {&gem_dta_record, "GD_KMB_NR", 8, 3, 1},
    {&gem_dta_record, "GD_PPL_", 11, 4, 21},
    {&gem_dta_record, "GD_PNT_", 95, 4, 21},
    {&gem_p_k_record, "GPK_POS_", 5, 3, 21},
    {&gem_p_k_record, "GPK_KLS_", 68, 3, 21},
    {&rt_record, "RT_VELD_NR", 4, 4, 1},
    {&rt_record, "RT_LENGTE", 8, 4, 1},
    {&rt_record, "RT_LYN_1", 12, 4, 1},
    {&rt_record, "RT_KOLOM_1", 16, 4, 1},
    {&rt_record, "RT_LYN_2", 20, 4, 1},
    {&rt_record, "RT_KOLOM_2", 24, 4, 1},
};

TEST(conversion_layouts, fields_lie_where_the_record_files_hold_them) {
  for (const placed& p : places) {
    const platform::field_def* f = platform::find_field(*p.layout, p.field);
    ASSERT_NE(f, nullptr) << p.layout->name << "." << p.field;
    EXPECT_EQ(f->offset, p.offset) << p.layout->name << "." << p.field;
    EXPECT_EQ(f->width, p.width) << p.layout->name << "." << p.field;
    EXPECT_EQ(f->count, p.count) << p.layout->name << "." << p.field;
  }
}

TEST(conversion_layouts, record_lengths_are_those_the_files_are_opened_with) {
  struct length_case {
    const platform::record_layout* layout;
    int length;
  };
  const length_case cases[] = {
      {&ppl_hst_record, 88},   {&ppl_gbrk_record, 193}, {&ppl_pig_record, 372}, {&sbp_record, 52},
      {&sb_record, 1327},      {&sbi_record, 50},       {&sbt_record, 60},      {&k_h_dta_record, 122},
      {&hw_record, 29},        {&kpd_record, 213},      {&kpk_record, 284},     {&pi1_record, 172},
      {&pi2_record, 10},       {&obe_dta_record, 1888}, {&prm_rem_record, 934}, {&vak_dta_record, 692},
      {&pnt_dta_record, 492},  {&gem_dta_record, 179},  {&gem_p_k_record, 131}, {&rt_record, 28},
      {&skl_dta_record, 2756}, {&hw2_record, 129},
  };
  for (const length_case& c : cases) EXPECT_EQ(c.layout->length, c.length) << c.layout->name;
}

TEST(conversion_layouts, element_formulas_of_the_two_dimensional_arrays) {
  struct element_case {
    int got;
    int expected;
  };
  const element_case cases[] = {
      {sb_group_start(1), 1},   {sb_group_start(2), 111},  {sb_group_start(4), 331},
      {pd_fe_element(1, 1), 6}, {pd_fe_element(2, 4), 14}, {pd_fe_element(20, 4), 104},
  };
  for (const element_case& c : cases) EXPECT_EQ(c.got, c.expected);
  // Code j of position p starts at byte 177 + (5p + j) * 3.
  const platform::field_def& fe = *platform::find_field(pnt_dta_record, "PD_FE");
  EXPECT_EQ(fe.offset + pd_fe_element(2, 1) * fe.width, 210);
}

}  // namespace
}  // namespace km
