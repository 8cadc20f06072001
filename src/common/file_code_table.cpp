#include "common/file_code_table.h"

#include "common/data_file_services.h"
#include "common/record_file_layouts.h"
#include "common/record_file_opening.h"
#include "common/shared_variables.h"

namespace km {

namespace {

using s = data_file_services;

// A build from a dBase table in years before `year` (0: any year).
constexpr build_step from_table(const char* table, table_build_hook hook, int year = 2015) {
  return {.table = table, .from_table = hook, .before_year = year};
}

// One line group per code, in request order.
// clang-format off
const file_code_entry entries[] = {
    // The school group: one record each, opened with their layout's length.
    {.code = "SKL", .file_name = "Skl_Dta_random.txt", .record_length = skl_dta_record.length,
     .number = &g_skl_file_number, .count = nullptr, .layout = &skl_dta_record, .school_group = true,
     .build = from_table("skl_dta.dbf", &s::create_skl_dta_random, 0)},
    {.code = "SKLADD", .file_name = "skl_add_random.txt", .record_length = skl_add_record.length,
     .number = &g_skladd_file_number, .count = nullptr, .layout = &skl_add_record, .school_group = true,
     .upgrades = {{"skladd_convert.2016", &s::upgrade_skl_add_2016, 2017}},
     .after_count = blank_first_record},
    {.code = "SKLHB", .file_name = "skl_h_b_random.txt", .record_length = skl_h_b_record.length,
     .number = &g_sklhb_file_number, .count = nullptr, .layout = &skl_h_b_record, .school_group = true,
     .after_count = blank_first_record},
    {.code = "SKLEPOS", .file_name = "skl_epos_random.txt", .record_length = skl_epos_record.length,
     .number = &g_sklepos_file_number, .count = nullptr, .layout = &skl_epos_record, .school_group = true,
     .after_count = sklepos_after_count},
    {.code = "MSPSKL", .file_name = "Alle_Skole_MS_personeel.txt", .record_length = msp_skl_record.length,
     .number = &g_mspskl_file_number, .count = nullptr, .layout = &msp_skl_record, .school_group = true},
    {.code = "SKLMSP", .file_name = "Skl_MSP_personeel.txt", .record_length = skl_msp_record.length,
     .number = &g_sklmsp_file_number, .count = nullptr, .layout = &skl_msp_record, .school_group = true},

    {.code = "GSN", .file_name = "Gsn_Cmp_random.txt", .record_length = 2120, .number = &g_gsn_file_number,
     .count = &g_gsn_record_count,
     .upgrades = {{"gsncmp_convert.2016", &s::convert_gsn_cmp_random},
                  {"gsncmp_convert2.2016", &s::convert_gsn_cmp_random}}},
    {.code = "GSNPPL", .file_name = "Gsn_Ppl_random.txt", .record_length = 875, .number = &g_gsnppl_file_number,
     .count = &g_gsnppl_record_count},
    {.code = "BRP", .file_name = "Brp_Dta_random.txt", .record_length = 30, .number = &g_brp_file_number,
     .count = &g_brp_record_count},
    {.code = "GKDE", .file_name = "Gsn_kde_random.txt", .record_length = 56, .number = &g_gkde_file_number,
     .count = &g_gkde_record_count},
    {.code = "ACCCNT", .file_name = "Acc_Cnt_random.txt", .record_length = 54, .number = &g_acccnt_file_number,
     .count = &g_acccnt_record_count},
    {.code = "PPL", .file_name = "Ppl_cmp_random.txt", .record_length = 1212, .number = &g_ppl_file_number,
     .count = &g_ppl_record_count},
    {.code = "PPLADD", .file_name = "Ppl_add_random.txt", .record_length = 177, .number = &g_ppladd_file_number,
     .count = &g_ppladd_record_count, .after_count = ppladd_after_count},
    {.code = "PPLDEL", .file_name = "Ppl_del_random.txt", .record_length = 1224, .number = &g_ppldel_file_number,
     .count = &g_ppldel_record_count},
    {.code = "PPLHST", .file_name = "Ppl_hst_random.txt", .record_length = 88, .number = &g_pplhst_file_number,
     .count = &g_pplhst_record_count, .build = from_table("Ppl_hst.dbf", &s::create_ppl_hst_random),
     .upgrades = {{"ph2014_random.txt", &s::upgrade_ppl_hst_2014}}},
    {.code = "PPLPROM", .file_name = "Ppl_prom_random.txt", .record_length = 418,
     .number = &g_pplprom_file_number, .count = &g_pplprom_record_count},
    {.code = "PPLPROMVJ", .file_name = "Ppl_prom_VJ_random.txt", .record_length = 19,
     .number = &g_pplpromvj_file_number, .count = &g_pplpromvj_record_count},
    {.code = "GBRK", .file_name = "Ppl_gbrk_random.txt", .record_length = 193, .number = &g_gbrk_file_number,
     .count = &g_gbrk_record_count, .build = from_table("Ppl_gbrk.dbf", &s::create_ppl_gbrk_random)},
    {.code = "KHDTA", .file_name = "k_h_dta_random.txt", .record_length = 122, .number = &g_khdta_file_number,
     .count = &g_khdta_record_count, .build = from_table("k_h_dta.dbf", &s::create_k_h_dta_random)},
    {.code = "PRMREM", .file_name = "prm_rem_random.txt", .record_length = 934, .number = &g_prmrem_file_number,
     .count = &g_prmrem_record_count, .build = from_table("r_c_dta.dbf", &s::create_prm_rem_random)},
    {.code = "OBEDTA", .file_name = "obe_dta_random.txt", .record_length = 1888, .number = &g_obedta_file_number,
     .count = &g_obedta_record_count, .build = from_table("obe_dta.dbf", &s::create_obe_dta_random)},
    {.code = "PIG", .file_name = "Ppl_pig_random.txt", .record_length = 372, .number = &g_pig_file_number,
     .count = &g_pig_record_count, .build = from_table("Ppl_pig.dbf", &s::create_ppl_pig_random),
     .upgrades = {{"pig2014_random.txt", &s::upgrade_ppl_pig_2014}}},
    {.code = "PPLVAKVERANDER", .file_name = "Ppl_vakverander_random.txt", .record_length = 1012,
     .number = &g_pplvakverander_file_number, .count = &g_pplvakverander_record_count},
    // Served only in years before 2014 (see the opening).
    {.code = "PI1", .file_name = "pi1_random.txt", .record_length = 172, .number = &g_pi1_file_number,
     .count = &g_pi1_record_count, .build = from_table("pi1_dta.dbf", &s::create_pi1_random)},
    {.code = "PI11", .file_name = "pi11_random.txt", .record_length = 272, .number = &g_pi11_file_number,
     .count = &g_pi11_record_count, .after_count = pi11_after_count},
    {.code = "PI1SMA", .file_name = "PI1SMA_random.txt", .record_length = pi1sma_record.length,
     .number = &g_pi1sma_file_number, .count = nullptr, .layout = &pi1sma_record,
     .after_count = pi1sma_after_count},
    {.code = "PI2", .file_name = "pi2_random.txt", .record_length = 10, .number = &g_pi2_file_number,
     .count = &g_pi2_record_count, .build = from_table("pi2_dta.dbf", &s::create_pi2_random),
     .after_count = pi2_after_count},
    {.code = "PI3", .file_name = "pi3_random.txt", .record_length = pi3_record.length, .number = &g_pi3_file_number,
     .count = &g_pi3_record_count, .layout = &pi3_record, .before_open = pi3_before_open,
     .after_count = pi3_after_count},
    {.code = "PSMB", .file_name = "psmb_random.txt", .record_length = 218, .number = &g_psmb_file_number,
     .count = &g_psmb_record_count, .after_count = psmb_after_count},
    {.code = "PI4SU", .file_name = "pi4_su_random.txt", .record_length = 1237, .number = &g_pi4su_file_number,
     .count = &g_pi4su_record_count,
     .build = {.from_folder = &s::create_pi4_su_random,
               .finish = &s::finish_pi4_su_random,
               .before_year = 0,
               .needs_table = false}},
    {.code = "PI4VH", .file_name = "pi4_vh_random.txt", .record_length = 5717, .number = &g_pi4vh_file_number,
     .count = &g_pi4vh_record_count,
     .build = {.from_folder = &s::create_pi4_vh_random, .before_year = 2016, .needs_table = false},
     .after_count = pi4vh_after_count},
    {.code = "PI5", .file_name = "pi5_random.txt", .record_length = 89, .number = &g_pi5_file_number,
     .count = &g_pi5_record_count, .upgrades = {{"pi54_random.txt", &s::upgrade_pi11_pi5_2014}},
     .after_count = pi5_after_count},
    {.code = "PI5KUR", .file_name = "pi5Kur_random.txt", .record_length = 44, .number = &g_pi5kur_file_number,
     .count = &g_pi5kur_record_count},
    {.code = "VAKDTA", .file_name = "vak_dta_random.txt", .record_length = 692, .number = &g_vakdta_file_number,
     .count = &g_vakdta_record_count, .build = from_table("vak_dta.dbf", &s::create_vak_dta_random),
     .record_number_reset = &g_vakdta_recno},
    {.code = "PNTDTA", .file_name = "pnt_dta_random.txt", .record_length = 492, .number = &g_pntdta_file_number,
     .count = &g_pntdta_record_count, .build = from_table("pnt_dta.dbf", &s::create_pnt_dta_random),
     .record_number_reset = &g_pntdta_recno},
    {.code = "GEMDTA", .file_name = "gem_dta_random.txt", .record_length = 179, .number = &g_gemdta_file_number,
     .count = &g_gemdta_record_count, .build = from_table("gem_dta.dbf", &s::create_gem_dta_random),
     .upgrades = {{"gem2014_random.txt", &s::upgrade_gem_2014}}, .record_number_reset = &g_gemdta_recno},
    {.code = "GEMPK", .file_name = "gem_p_k_random.txt", .record_length = 131, .number = &g_gempk_file_number,
     .count = &g_gempk_record_count, .build = from_table("gem_p_k.dbf", &s::create_gem_p_k_random)},
    {.code = "PRMPROM", .file_name = "prm_prom_random.txt", .record_length = 8, .number = &g_prmprom_file_number,
     .count = &g_prmprom_record_count, .after_count = prmprom_after_count},
    {.code = "H_W", .file_name = "hw_random.txt", .record_length = 29, .number = &g_h_w_file_number,
     .count = &g_h_w_record_count, .build = from_table("h_w_dta.dbf", &s::create_hw_random)},
    {.code = "HW2", .file_name = "hw2_random.txt", .record_length = hw2_record.length, .number = &g_hw2_file_number,
     .count = &g_hw2_record_count, .layout = &hw2_record,
     .build = from_table("hw2_dta.dbf", &s::create_hw2_random), .after_count = hw2_after_count},
    {.code = "HWK", .file_name = "hw_kodes_random.txt", .record_length = 1547, .number = &g_hwk_file_number,
     .count = &g_hwk_record_count, .after_count = hwk_after_count},
    {.code = "B_M", .file_name = "bm_random.txt", .record_length = 20, .number = &g_b_m_file_number,
     .count = &g_b_m_record_count},
    {.code = "S_B", .file_name = "sb_random.txt", .record_length = 1327, .number = &g_s_b_file_number,
     .count = &g_s_b_record_count,
     .build = {.table = "sb2_dta.dbf", .from_table = &s::create_sb_random, .before_year = 2015,
               .starts_over = false},
     .upgrades = {{"sb2014_random.txt", &s::upgrade_sb_2014, 2016}}, .after_count = s_b_after_count},
    {.code = "SBT", .file_name = "sbt_random.txt", .record_length = 60, .number = &g_sbt_file_number,
     .count = &g_sbt_record_count, .build = from_table("s_b_tot.dbf", &s::create_sbt_random)},
    {.code = "SBP", .file_name = "sbp_random.txt", .record_length = 52, .number = &g_sbp_file_number,
     .count = &g_sbp_record_count, .build = from_table("s_b_prs.dbf", &s::create_sbp_random)},
    {.code = "SBI", .file_name = "sbi_random.txt", .record_length = 50, .number = &g_sbi_file_number,
     .count = &g_sbi_record_count, .build = from_table("sbi_kde.dbf", &s::create_sbi_random, 0),
     .after_count = sbi_after_count},
    {.code = "KPD", .file_name = "KPD_random.txt", .record_length = 213, .number = &g_kpd_file_number,
     .count = &g_kpd_record_count,
     .build = {.table = "k_p_dta.dbf", .from_table = &s::create_kpd_random, .before_year = 2015,
               .starts_over = false}},
    {.code = "KPK", .file_name = "kpk_random.txt", .record_length = 284, .number = &g_kpk_file_number,
     .count = &g_kpk_record_count, .build = from_table("kpv_kde.dbf", &s::create_kpk_random)},
    // rt_dta.dbf is bound for the build whether or not it is there.
    {.code = "RT", .file_name = "rt_random.txt", .record_length = 28, .number = &g_rt_file_number,
     .count = &g_rt_record_count,
     .build = {.table = "rt_dta.dbf", .from_table = &s::create_rt_random, .before_year = 2015,
               .needs_table = false},
     .before_open = rt_before_open},
    {.code = "PUVAK", .file_name = "PUVak_random.txt", .record_length = 12, .number = &g_puvak_file_number,
     .count = &g_puvak_record_count},
    {.code = "PUTOT", .file_name = "PUTot_random.txt", .record_length = 108, .number = &g_putot_file_number,
     .count = &g_putot_record_count},
    {.code = "KLS", .file_name = "kls_dta_random.txt", .record_length = 49, .number = &g_kls_file_number,
     .count = &g_kls_record_count},
    {.code = "V_P", .file_name = "v_p_dta_random.txt", .record_length = 41, .number = &g_v_p_file_number,
     .count = &g_v_p_record_count},
    {.code = "NWEKLS", .file_name = "nwe_kls_random.txt", .record_length = 20, .number = &g_nwekls_file_number,
     .count = &g_nwekls_record_count},
    // Served only by open_exp_mrk_control.
    {.code = "E_C", .file_name = "exp_mrk_control.txt", .record_length = 44,
     .number = &g_exp_mrk_control_file_number, .count = &g_exp_mrk_control_count},
};
// clang-format on

}  // namespace

std::span<const file_code_entry> file_code_table() { return entries; }

const file_code_entry* find_file_code(const QString& code) {
  for (const file_code_entry& entry : entries) {
    if (code == QLatin1String(entry.code)) return &entry;
  }
  return nullptr;
}

std::int32_t record_count_of(qint64 length, int record_length) {
  if (length <= 0 || record_length <= 0) return 0;
  qint64 count = length / record_length;
  const qint64 rest = length % record_length;
  if (2 * rest > record_length || (2 * rest == record_length && count % 2 != 0)) ++count;
  return static_cast<std::int32_t>(count);
}

}  // namespace km
