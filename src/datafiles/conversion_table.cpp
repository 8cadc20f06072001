#include "datafiles/conversion_table.h"

#include <cstring>
#include <initializer_list>

#include "common/record_file_layouts.h"
#include "common/shared_variables.h"
#include "datafiles/conversion_layouts.h"

namespace km {

namespace {

// --- the words of the declarations ------------------------------------------

constexpr field_member m(const char* record_field, const char* source, rule how) {
  return {.record_field = record_field, .source = source, .how = how};
}
// A record field named as its table field.
constexpr field_member m(const char* name, rule how) { return m(name, name, how); }

constexpr field_group one(const char* record_field, const char* source, rule how) {
  field_group g;
  g.members[0] = m(record_field, source, how);
  return g;
}
constexpr field_group one(const char* name, rule how) { return one(name, name, how); }

constexpr field_group each(int first, int last, std::initializer_list<field_member> members,
                           group_bound bound = group_bound::fixed) {
  field_group g;
  g.first = first;
  g.last = last;
  g.bound = bound;
  std::size_t i = 0;
  for (const field_member& member : members) g.members[i++] = member;
  return g;
}

// Elements 1 to the layout's room, as far as the table has the fields.
constexpr field_group each_in_room(int last, std::initializer_list<field_member> members) {
  return each(1, last, members, group_bound::room_in_table);
}

using r = rule;

// --- the mappings, in the order the fields are read ---------------------------

constexpr field_group skl_fields[] = {
    one("SD_SKOOL", r::text),
    one("SD_KRING", r::text),
    one("SD_SNTR_NM", r::text),
    one("SD_SNTR_NR", r::text),
    one("SD_ADRES1", r::text),
    one("SD_ADRES2", r::text),
    one("SD_ADRES3", r::text),
    one("SD_KODE", r::text),
    one("SD_FOON", r::text),
    one("SD_FAKS", r::text),
    one("SD_PROV", r::text),
    one("SD_T_NR", r::single),
    each(1, 20,
         {m("SD_ST", "SD_ST_", r::text), m("SD_OBE", "SD_OBE_", r::flag), m("SD_NME", "SD_NME_", r::text)}),
    one("SD_TME_OUT", r::single),
    one("SD_T_O_TPE", r::text),
    one("SD_DIST_NR", r::text),
    one("SD_DISTRIK", r::text),
    one("SD_USE_CDE", r::text),
    one("SD_OUDSTES", r::flag),
    one("SD_EMAIL", r::text),
    one("SD_AKA_MAX", r::single),
    one("SD_S_T_MAX", r::single),
    one("SD_N_A_MAX", r::single),
    one("SD_STREEK", r::text),
    one("SD_WYK", r::text),
    one("SD_OD_LOGO", r::text),
    one("SX_HOOF", r::text),
    one("SX_S_ADJ1", r::text),
    one("SX_S_ADJ2", r::text),
    one("SX_ADJ", r::text),
    one("SX_DPO", r::text),
    one("SX_SVO_NME", r::text),
    one("SX_SVO_T_A", r::text),
    one("SX_SVO_T_E", r::text),
    one("SX_DEPT_NM", r::text),
    one("SX_USER1", r::text),
    one("SX_SEL_1", r::text),
    one("SX_USER2", r::text),
    one("SX_SEL_2", r::text),
    one("SX_EXPRESS", r::flag),
    one("SD_S_ADR1", r::text),
    one("SD_S_ADR2", r::text),
    one("SD_S_ADR3", r::text),
    one("SD_S_KODE", r::text),
    one("SD_FOON_K", r::text),
    one("SD_FAKS_K", r::text),
    one("SX_TTL_HF", r::text),
    one("SX_VRL_HF", r::text),
    one("SX_FNK_HF", r::text),
    one("SX_FNR_HF", r::text),
    one("SX_SNK_HF", r::text),
    one("SX_SNR_HF", r::text),
};

constexpr field_group ppl_hst_fields_read[] = {
    one("PH_T_NR", r::single),
    each(1, 5, {m("PH_STD_", r::text), m("PH_JAAR_", r::int16)}),
};

constexpr field_group ppl_gbrk_fields_read[] = {
    one("PG_T_NR", r::single),
    each(1, 20, {m("PG_P_S", "pg_p_s_", r::text), m("PG_DTE", "pg_dte_", r::date)}),
};

constexpr field_group ppl_pig_fields_read[] = {
    one("PG_T_NR", r::single),
    each_in_room(22, {m("PG_GEM_", r::single), m("PG_PIG_", r::single), m("PG_B6G_", r::single),
                      m("PG_B6P_", r::single)}),
};

constexpr field_group sbp_fields_read[] = {
    one("SP_GRAAD", r::text),
    one("SP_KLAS", r::text),
    one("SP_ONNIE", r::text),
    one("SP_WEEK", r::single),
    each(1, 5, {m("ST_GEDOEN", r::flag_nonzero)}),
};

// Group g of the three code arrays, one character of its field per element.
constexpr field_member sb_chars(const char* array, const char* source, bool optional = false) {
  return {.record_field = array,
          .source = source,
          .how = r::chars,
          .element = sb_group_start,
          .span = sb_group_size,
          .optional = optional};
}
constexpr field_group sb_fields_read[] = {
    one("SD_T_NR", r::single),
    each(1, 2,
         {sb_chars("SD_JAAR", "SD_JAAR"), sb_chars("SD_TIPE", "SD_TIPE"), sb_chars("SD_BESK", "SD_BESK")}),
    // Tables without SD_BESK3 are known; that group then stays blank.
    each(3, 3,
         {sb_chars("SD_JAAR", "SD_JAAR"), sb_chars("SD_TIPE", "SD_TIPE"),
          sb_chars("SD_BESK", "SD_BESK", true)}),
    each(4, 4,
         {sb_chars("SD_JAAR", "SD_JAAR"), sb_chars("SD_TIPE", "SD_TIPE"), sb_chars("SD_BESK", "SD_BESK")}),
};

constexpr field_group sbi_fields_read[] = {one("SBI_TIPE", r::text), one("SBI_BESK", r::text)};

constexpr field_group sbt_fields_read[] = {
    one("ST_T_NR", r::single),
    each(1, 12, {m("ST_MAAND", r::single)}),
    one("ST_TOTAAL", r::single),
};

constexpr field_group k_h_dta_fields_read[] = {
    one("KH_T_NR", r::single),  one("KH_KOSHUIS", r::text), one("KH_KAMER", r::text),
    one("KH_WASGOED", r::text), one("KH_MEMO", r::text),
};

constexpr field_group hw_fields_read[] = {
    one("hd_t_nr", r::strict_single), one("hd_datum", r::date),     one("hd_pos_nr", r::text),
    one("hd_rede", r::single),        one("hd_uitslag", r::single), one("hd_opmerk", r::single),
    one("hd_voltooi", r::flag),
};

constexpr field_group hw2_fields_read[] = {
    one("HD_T_NR", r::single), one("HD_B_DATUM", r::date), one("HD_E_DATUM", r::date),
    one("HD_W_D_S", r::text),  one("HD_F_DATUM", r::date), one("HD_MEMO", r::text),
};

// The table's names for the level, the printed day and the reached day of
// entry n (dBase names hold at most ten characters).
constexpr field_group kpd_fields_read[] = {
    one("KPD_T_NR", "Kpd_t_nr", r::single),
    [] {
      field_group g =
          each(1, 10,
               {m("KPD_VLAK", "KPD_VLAK_", r::number_text), m("KPD_DATUM_GEDRUK", "KPD_DTG_", r::date),
                m("KPD_DATUM_BEREIK", "KPD_DTB_", r::date)});
      g.naming = element_names::dbase_fit;
      return g;
    }(),
};

constexpr field_group kpk_fields_read[] = {
    one("KPv_KODE", r::text),
    one("KPv_BSK1", r::text),
    one("KPv_BSK2", r::text),
    [] {
      field_group g =
          each(1, 20, {m("KPv_GRD", r::text), m("KPv_VAN", r::raw_single), m("KPv_TOT", r::raw_single)});
      g.blank_key_skips = true;
      return g;
    }(),
};

constexpr field_group pi1_fields_read[] = {
    one("pi1_OUD_B", r::single),
    one("pi1_OUD_O", r::single),
    one("pi1_SIKL", r::int16),
    each_in_room(4, {m("PI1_SN_", r::text), m("PI1_SF_", r::single)}),
    each_in_room(8, {m("PI1_TN_", r::text), m("pi1_tf_", r::single), m("PI1_TR_", r::single)}),
};

constexpr field_group pi2_fields_read[] = {one("PI2_SIMBL", r::text), one("PI2_GRNS_B", r::single),
                                           one("PI2_GRNS_O", r::single)};

constexpr field_group obe_dta_fields_read[] = {
    one("OD_T_NR", r::single),
    one("OD_VAK_NR", r::text),
    one("OD_PRG_ORG", r::text),
    each(1, 30, {m("OD_S_U_", r::text), m("OD_SMB_", r::text), m("OD_ASS_", r::single)}),
};

constexpr field_group prm_rem_fields_read[] = {
    one("RC_T_NR", r::single),
    each_in_room(14, {m("RC_COM1_", r::int16), m("RC_COM2_", r::int16)}),
};

constexpr field_group vak_dta_fields_read[] = {
    one("VD_T_NR", r::single),
    each(1, 20,
         {m("VD_A_VAK", r::text_trimmed), m("VD_A_POS", r::text_trimmed), m("VD_A_KMB", r::text_trimmed)}),
    each(1, 15,
         {m("VD_S_VAK", r::text_trimmed), m("VD_S_POS", r::text_trimmed), m("VD_S_SMT", r::text_trimmed),
          m("VD_S_KMB", r::text_trimmed)}),
    each(1, 5,
         {m("VD_N_VAK", r::text_trimmed), m("VD_N_POS", r::text_trimmed), m("VD_N_KMB", r::text_trimmed)}),
};

// Code j of position p of the four PD_FE<j>_<p> fields.
template <int j>
constexpr int pd_fe_code(int p) {
  return pd_fe_element(p, j);
}
constexpr field_member pd_fe(const char* source, int (*element)(int)) {
  return {.record_field = "PD_FE", .source = source, .how = r::text, .element = element};
}
constexpr field_group pnt_dta_fields_read[] = {
    one("PD_T_NR", r::single),
    one("PD_VAK_NR", r::text),
    each_in_room(20, {m("PD_PNT_", r::text), m("PD_P_S_", r::text), pd_fe("PD_FE1_", pd_fe_code<1>),
                      pd_fe("PD_FE2_", pd_fe_code<2>), pd_fe("PD_FE3_", pd_fe_code<3>),
                      pd_fe("PD_FE4_", pd_fe_code<4>)}),
};

constexpr field_group gem_dta_fields_read[] = {
    one("GD_VAK_NR", r::text),
    one("GD_TIPE", r::text),
    one("GD_P_K_NR", r::int16),
    one("GD_KMB_NR", r::text),
    each_in_room(20, {m("GD_PPL_", r::single), m("GD_PNT_", r::single)}),
};

constexpr field_group gem_p_k_fields_read[] = {
    one("GPK_VAK_NR", r::text),
    each(1, 20, {m("GPK_POS_", r::text), m("GPK_KLS_", r::text)}),
};

constexpr field_group rt_fields_read[] = {
    one("RT_TAB_NR", r::single),  one("RT_VELD_NR", r::single), one("RT_LENGTE", r::single),
    one("RT_LYN_1", r::single),   one("RT_KOLOM_1", r::single), one("RT_LYN_2", r::single),
    one("RT_KOLOM_2", r::single),
};

// --- the conversions ------------------------------------------------------------

using e = row_errors;
using t = retire_kind;
constexpr auto every = rows_taken::every;
constexpr int before_2015 = 2015;

// A conversion of the common kind: every row, the record file taken out
// first, the table (and memo) retired, the database closed.
constexpr conversion usual(const char* code, const char* routine, const char* table, const char* record_file,
                           const platform::record_layout& layout, std::span<const field_group> fields,
                           row_errors errors, std::int16_t* number, std::int32_t* count) {
  return {.code = code,
          .routine = routine,
          .table = table,
          .memo = nullptr,
          .record_file = record_file,
          .layout = &layout,
          .fields = fields,
          .rows = every,
          .errors = errors,
          .delete_first = true,
          .retire = t::table,
          .retire_name = nullptr,
          .close_database = true,
          .clear_record_source = false,
          .number = number,
          .count = count,
          .marker = nullptr,
          .before_year = before_2015};
}

template <typename Change>
constexpr conversion with(conversion c, Change change) {
  change(c);
  return c;
}

const conversion conversions[] = {
    with(usual("SKL", "create_skl_dta_random", "skl_dta.dbf", "Skl_Dta_random.txt", skl_dta_record,
               skl_fields, e::end_conversion, &g_skl_file_number, nullptr),
         [](conversion& c) {
           c.delete_first = false;
           c.retire = t::none;
           c.before_year = 0;
         }),
    with(usual("PPLHST", "create_ppl_hst_random", "Ppl_hst.dbf", "Ppl_hst_random.txt", ppl_hst_record,
               ppl_hst_fields_read, e::skip_field, &g_pplhst_file_number, &g_pplhst_record_count),
         [](conversion& c) { c.marker = "ph2014_random.txt"; }),
    usual("GBRK", "create_ppl_gbrk_random", "Ppl_gbrk.dbf", "Ppl_gbrk_random.txt", ppl_gbrk_record,
          ppl_gbrk_fields_read, e::skip_field, &g_gbrk_file_number, nullptr),
    with(usual("PIG", "create_ppl_pig_random", "Ppl_pig.dbf", "Ppl_pig_random.txt", ppl_pig_record,
               ppl_pig_fields_read, e::end_conversion, &g_pig_file_number, &g_pig_record_count),
         [](conversion& c) { c.marker = "pig2014_random.txt"; }),
    with(usual("SBP", "create_sbp_random", "s_b_prs.dbf", "sbp_random.txt", sbp_record, sbp_fields_read,
               e::end_conversion, &g_sbp_file_number, &g_sbp_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("S_B", "create_sb_random", "sb2_dta.dbf", "sb_random.txt", sb_record, sb_fields_read,
               e::end_conversion, &g_s_b_file_number, &g_s_b_record_count),
         [](conversion& c) {
           c.marker = "sb2014_random.txt";
           c.clear_record_source = true;
         }),
    with(usual("SBI", "create_sbi_random", "sbi_kde.dbf", "sbi_random.txt", sbi_record, sbi_fields_read,
               e::skip_field, &g_sbi_file_number, &g_sbi_record_count),
         [](conversion& c) {
           c.delete_first = false;
           c.before_year = 0;
         }),
    with(usual("SBT", "create_sbt_random", "s_b_tot.dbf", "sbt_random.txt", sbt_record, sbt_fields_read,
               e::end_conversion, &g_sbt_file_number, &g_sbt_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("KHDTA", "create_k_h_dta_random", "k_h_dta.dbf", "k_h_dta_random.txt", k_h_dta_record,
               k_h_dta_fields_read, e::end_conversion, &g_khdta_file_number, &g_khdta_record_count),
         [](conversion& c) { c.memo = "k_h_dta.dbt"; }),
    usual("H_W", "create_hw_random", "h_w_dta.dbf", "hw_random.txt", hw_record, hw_fields_read,
          e::end_conversion, &g_h_w_file_number, &g_h_w_record_count),
    with(usual("HW2", "create_hw2_random", "hw2_dta.dbf", "hw2_random.txt", hw2_record, hw2_fields_read,
               e::end_conversion, &g_hw2_file_number, &g_hw2_record_count),
         [](conversion& c) { c.memo = "hw2_dta.dbt"; }),
    with(usual("KPD", "create_kpd_random", "k_p_dta.dbf", "KPD_random.txt", kpd_record, kpd_fields_read,
               e::end_conversion, &g_kpd_convert_file_number, nullptr),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("KPK", "create_kpk_random", "kpv_kde.dbf", "kpk_random.txt", kpk_record, kpk_fields_read,
               e::report_first_row, &g_kpk_file_number, &g_kpk_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("PI1", "create_pi1_random", "pi1_dta.dbf", "pi1_random.txt", pi1_record, pi1_fields_read,
               e::end_conversion, &g_pi1_file_number, &g_pi1_record_count),
         [](conversion& c) {
           c.rows = rows_taken::first_only;
           c.clear_record_source = true;
         }),
    // The symbol-distribution window reads pi2_dta.dbf from the data folder,
    // so the table stays there and \save receives a copy.
    with(usual("PI2", "create_pi2_random", "pi2_dta.dbf", "pi2_random.txt", pi2_record, pi2_fields_read,
               e::end_conversion, &g_pi2_file_number, &g_pi2_record_count),
         [](conversion& c) {
           c.retire = t::copy_only;
           c.clear_record_source = true;
         }),
    with(usual("OBEDTA", "create_obe_dta_random", "obe_dta.dbf", "obe_dta_random.txt", obe_dta_record,
               obe_dta_fields_read, e::end_conversion, &g_obedta_file_number, &g_obedta_record_count),
         [](conversion& c) {
           c.delete_first = false;
           c.clear_record_source = true;
         }),
    usual("PRMREM", "create_prm_rem_random", "r_c_dta.dbf", "prm_rem_random.txt", prm_rem_record,
          prm_rem_fields_read, e::end_conversion, &g_prmrem_file_number, &g_prmrem_record_count),
    // The subject table stays in the folder; a restore file beside it goes.
    with(usual("VAKDTA", "create_vak_dta_random", "vak_dta.dbf", "vak_dta_random.txt", vak_dta_record,
               vak_dta_fields_read, e::skip_field, &g_vakdta_file_number, &g_vakdta_record_count),
         [](conversion& c) {
           c.retire = t::named_file;
           c.retire_name = "rstr_vak_random.txt";
           c.close_database = false;
           c.clear_record_source = true;
         }),
    with(usual("PNTDTA", "create_pnt_dta_random", "pnt_dta.dbf", "pnt_dta_random.txt", pnt_dta_record,
               pnt_dta_fields_read, e::skip_field, &g_pntdta_file_number, &g_pntdta_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("GEMDTA", "create_gem_dta_random", "gem_dta.dbf", "gem_dta_random.txt", gem_dta_record,
               gem_dta_fields_read, e::end_conversion, &g_gemdta_file_number, &g_gemdta_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("GEMPK", "create_gem_p_k_random", "gem_p_k.dbf", "gem_p_k_random.txt", gem_p_k_record,
               gem_p_k_fields_read, e::end_conversion, &g_gempk_file_number, &g_gempk_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
    with(usual("RT", "create_rt_random", "rt_dta.dbf", "rt_random.txt", rt_record, rt_fields_read,
               e::end_conversion, &g_rt_file_number, &g_rt_record_count),
         [](conversion& c) { c.clear_record_source = true; }),
};

}  // namespace

std::span<const conversion> conversion_table() { return conversions; }

const conversion* find_conversion(const char* code) {
  for (const conversion& c : conversions)
    if (std::strcmp(c.code, code) == 0) return &c;
  return nullptr;
}

}  // namespace km
