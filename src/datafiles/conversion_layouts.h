#pragma once
// The record layouts of the record files built from older tables (the
// school record and the hw2 record are declared with the opening's own
// layouts in common/record_file_layouts.h). Packed little-endian, no
// padding; text is cp1252, blank-padded. Arrays run from element 0, which
// no conversion fills. Each layout is checked at compile time against the
// record length its file is opened with.

#include "platform/record_layout.h"

namespace km {

// Ppl_hst_random.txt: a learner's history, five codes with their years.
// The three reserved arrays are never filled here.
inline constexpr platform::field_def ppl_hst_fields[] = {
    platform::field::single("PH_T_NR", 0),     platform::field::text("PH_STD_", 3, 4, 6),
    platform::field::int16("PH_JAAR_", 22, 6), platform::field::text("PH_X1_", 2, 34, 6),
    platform::field::text("PH_X2_", 5, 46, 6), platform::field::text("PH_X3_", 2, 76, 6),
};
inline constexpr platform::record_layout ppl_hst_record{"ppl_hst_record", 88, ppl_hst_fields};
static_assert(platform::layout_problem(ppl_hst_record) == nullptr);

// Ppl_gbrk_random.txt: 20 one-character codes with a date each.
inline constexpr platform::field_def ppl_gbrk_fields[] = {platform::field::single("PG_T_NR", 0),
                                                          platform::field::text("PG_P_S", 1, 4, 21),
                                                          platform::field::date("PG_DTE", 25, 21)};
inline constexpr platform::record_layout ppl_gbrk_record{"ppl_gbrk_record", 193, ppl_gbrk_fields};
static_assert(platform::layout_problem(ppl_gbrk_record) == nullptr);

// Ppl_pig_random.txt: four number arrays per learner.
inline constexpr platform::field_def ppl_pig_fields[] = {
    platform::field::single("PG_T_NR", 0),       platform::field::single("PG_GEM_", 4, 23),
    platform::field::single("PG_PIG_", 96, 23),  platform::field::single("PG_B6G_", 188, 23),
    platform::field::single("PG_B6P_", 280, 23),
};
inline constexpr platform::record_layout ppl_pig_record{"ppl_pig_record", 372, ppl_pig_fields};
static_assert(platform::layout_problem(ppl_pig_record) == nullptr);

// sbp_random.txt: five done flags per grade, class, teacher and week.
inline constexpr platform::field_def sbp_fields[] = {
    platform::field::text("SP_GRAAD", 3, 0),     platform::field::text("SP_KLAS", 3, 3),
    platform::field::text("SP_ONNIE", 30, 6),    platform::field::single("SP_WEEK", 36),
    platform::field::bool16("ST_GEDOEN", 40, 6),
};
inline constexpr platform::record_layout sbp_record{"sbp_record", 52, sbp_fields};
static_assert(platform::layout_problem(sbp_record) == nullptr);

// sb_random.txt: per learner 440 entries of a year, a type and a
// description code, in four groups of 110 (see sb_group_start).
inline constexpr platform::field_def sb_fields[] = {
    platform::field::single("SD_T_NR", 0), platform::field::text("SD_JAAR", 1, 4, 441),
    platform::field::text("SD_TIPE", 1, 445, 441), platform::field::text("SD_BESK", 1, 886, 441)};
inline constexpr platform::record_layout sb_record{"sb_record", 1327, sb_fields};
static_assert(platform::layout_problem(sb_record) == nullptr);
// The first element of group g (1..4) of the sb arrays.
constexpr int sb_group_start(int g) { return (g - 1) * 110 + 1; }
inline constexpr int sb_group_size = 110;

// sbi_random.txt: a type and a description.
inline constexpr platform::field_def sbi_fields[] = {platform::field::text("SBI_TIPE", 25, 0),
                                                     platform::field::text("SBI_BESK", 25, 25)};
inline constexpr platform::record_layout sbi_record{"sbi_record", 50, sbi_fields};
static_assert(platform::layout_problem(sbi_record) == nullptr);

// sbt_random.txt: twelve monthly totals and the total as the table kept it.
inline constexpr platform::field_def sbt_fields[] = {platform::field::single("ST_T_NR", 0),
                                                     platform::field::single("ST_MAAND", 4, 13),
                                                     platform::field::single("ST_TOTAAL", 56)};
inline constexpr platform::record_layout sbt_record{"sbt_record", 60, sbt_fields};
static_assert(platform::layout_problem(sbt_record) == nullptr);

// k_h_dta_random.txt: a learner's hostel, room, laundry number and note.
inline constexpr platform::field_def k_h_dta_fields[] = {
    platform::field::single("KH_T_NR", 0),     platform::field::text("KH_KOSHUIS", 8, 4),
    platform::field::text("KH_KAMER", 5, 12),  platform::field::text("KH_WASGOED", 5, 17),
    platform::field::text("KH_MEMO", 100, 22),
};
inline constexpr platform::record_layout k_h_dta_record{"k_h_dta_record", 122, k_h_dta_fields};
static_assert(platform::layout_problem(k_h_dta_record) == nullptr);

// hw_random.txt: one homework entry of a learner.
inline constexpr platform::field_def hw_fields[] = {
    platform::field::single("hd_t_nr", 0),     platform::field::date("hd_datum", 4),
    platform::field::text("hd_pos_nr", 3, 12), platform::field::single("hd_rede", 15),
    platform::field::single("hd_uitslag", 19), platform::field::single("hd_opmerk", 23),
    platform::field::bool16("hd_voltooi", 27),
};
inline constexpr platform::record_layout hw_record{"hw_record", 29, hw_fields};
static_assert(platform::layout_problem(hw_record) == nullptr);

// KPD_random.txt: per learner ten levels, each with the day it was reached
// and the day it was printed.
inline constexpr platform::field_def kpd_fields[] = {
    platform::field::single("KPD_T_NR", 0), platform::field::text("KPD_VLAK", 3, 4, 11),
    platform::field::date("KPD_DATUM_BEREIK", 37, 11), platform::field::date("KPD_DATUM_GEDRUK", 125, 11)};
inline constexpr platform::record_layout kpd_record{"kpd_record", 213, kpd_fields};
static_assert(platform::layout_problem(kpd_record) == nullptr);

// kpk_random.txt: a code, two descriptions and twenty grade entries with a
// from and a to value.
inline constexpr platform::field_def kpk_fields[] = {
    platform::field::text("KPv_KODE", 3, 0),     platform::field::text("KPv_BSK1", 25, 3),
    platform::field::text("KPv_BSK2", 25, 28),   platform::field::text("KPv_GRD", 3, 53, 21),
    platform::field::single("KPv_VAN", 116, 21), platform::field::single("KPv_TOT", 200, 21),
};
inline constexpr platform::record_layout kpk_record{"kpk_record", 284, kpk_fields};
static_assert(platform::layout_problem(kpk_record) == nullptr);

// pi1_random.txt: the one settings record of cycles (4) and tasks (8).
inline constexpr platform::field_def pi1_fields[] = {
    platform::field::single("pi1_OUD_B", 0),    platform::field::single("pi1_OUD_O", 4),
    platform::field::int16("pi1_SIKL", 8),      platform::field::text("PI1_SN_", 5, 10, 5),
    platform::field::single("PI1_SF_", 35, 5),  platform::field::text("PI1_TN_", 5, 55, 9),
    platform::field::single("pi1_tf_", 100, 9), platform::field::single("PI1_TR_", 136, 9),
};
inline constexpr platform::record_layout pi1_record{"pi1_record", 172, pi1_fields};
static_assert(platform::layout_problem(pi1_record) == nullptr);

// pi2_random.txt: a symbol with its upper and lower bound.
inline constexpr platform::field_def pi2_fields[] = {platform::field::text("PI2_SIMBL", 2, 0),
                                                     platform::field::single("PI2_GRNS_B", 2),
                                                     platform::field::single("PI2_GRNS_O", 6)};
inline constexpr platform::record_layout pi2_record{"pi2_record", 10, pi2_fields};
static_assert(platform::layout_problem(pi2_record) == nullptr);

// obe_dta_random.txt: a learner's outcomes of one subject, 30 entries.
inline constexpr platform::field_def obe_dta_fields[] = {
    platform::field::single("OD_T_NR", 0),         platform::field::text("OD_VAK_NR", 5, 4),
    platform::field::text("OD_PRG_ORG", 50, 9),    platform::field::text("OD_S_U_", 50, 59, 31),
    platform::field::text("OD_SMB_", 5, 1609, 31), platform::field::single("OD_ASS_", 1764, 31),
};
inline constexpr platform::record_layout obe_dta_record{"obe_dta_record", 1888, obe_dta_fields};
static_assert(platform::layout_problem(obe_dta_record) == nullptr);

// prm_rem_random.txt: a learner's two rows of 14 comment codes; the blocks
// between them are reserved and stay zero bytes.
inline constexpr platform::field_def prm_rem_fields[] = {
    platform::field::single("RC_T_NR", 0),
    platform::field::raw("RC_RESERVED_A", 120, 4),
    platform::field::text("RC_RESERVED_B", 10, 124, 15),
    platform::field::text("RC_RESERVED_C", 30, 274, 15),
    platform::field::text("RC_RESERVED_D", 5, 724, 15),
    platform::field::text("RC_RESERVED_E", 5, 799, 15),
    platform::field::int16("RC_COM1_", 874, 15),
    platform::field::int16("RC_COM2_", 904, 15),
};
inline constexpr platform::record_layout prm_rem_record{"prm_rem_record", 934, prm_rem_fields};
static_assert(platform::layout_problem(prm_rem_record) == nullptr);

// vak_dta_random.txt: a learner's subjects in groups A (20), S (15) and N
// (5); the arrays have room for more than the groups fill.
inline constexpr platform::field_def vak_dta_fields[] = {
    platform::field::single("VD_T_NR", 0),         platform::field::text("VD_A_VAK", 5, 4, 21),
    platform::field::text("VD_A_POS", 3, 109, 21), platform::field::text("VD_A_KMB", 3, 172, 21),
    platform::field::text("VD_S_VAK", 5, 235, 21), platform::field::text("VD_S_POS", 3, 340, 21),
    platform::field::text("VD_S_SMT", 5, 403, 21), platform::field::text("VD_S_KMB", 3, 508, 21),
    platform::field::text("VD_N_VAK", 5, 571, 11), platform::field::text("VD_N_POS", 3, 626, 11),
    platform::field::text("VD_N_KMB", 3, 659, 11),
};
inline constexpr platform::record_layout vak_dta_record{"vak_dta_record", 692, vak_dta_fields};
static_assert(platform::layout_problem(vak_dta_record) == nullptr);

// pnt_dta_random.txt: a learner's marks of one subject at 20 positions,
// each with a symbol and four codes (PD_FE, see pd_fe_element).
inline constexpr platform::field_def pnt_dta_fields[] = {
    platform::field::single("PD_T_NR", 0),       platform::field::text("PD_VAK_NR", 5, 4),
    platform::field::text("PD_PNT_", 5, 9, 21),  platform::field::text("PD_P_S_", 3, 114, 21),
    platform::field::text("PD_FE", 3, 177, 105),
};
inline constexpr platform::record_layout pnt_dta_record{"pnt_dta_record", 492, pnt_dta_fields};
static_assert(platform::layout_problem(pnt_dta_record) == nullptr);
// The PD_FE element of code j (0..4) of position p (0..20).
constexpr int pd_fe_element(int p, int j) { return 5 * p + j; }

// gem_dta_random.txt: the averages of a subject combination.
inline constexpr platform::field_def gem_dta_fields[] = {
    platform::field::text("GD_VAK_NR", 5, 0),   platform::field::text("GD_TIPE", 1, 5),
    platform::field::int16("GD_P_K_NR", 6),     platform::field::text("GD_KMB_NR", 3, 8),
    platform::field::single("GD_PPL_", 11, 21), platform::field::single("GD_PNT_", 95, 21),
};
inline constexpr platform::record_layout gem_dta_record{"gem_dta_record", 179, gem_dta_fields};
static_assert(platform::layout_problem(gem_dta_record) == nullptr);

// gem_p_k_random.txt: a subject's 20 positions with their classes.
inline constexpr platform::field_def gem_p_k_fields[] = {platform::field::text("GPK_VAK_NR", 5, 0),
                                                         platform::field::text("GPK_POS_", 3, 5, 21),
                                                         platform::field::text("GPK_KLS_", 3, 68, 21)};
inline constexpr platform::record_layout gem_p_k_record{"gem_p_k_record", 131, gem_p_k_fields};
static_assert(platform::layout_problem(gem_p_k_record) == nullptr);

// rt_random.txt: where a field of a report template is printed.
inline constexpr platform::field_def rt_fields[] = {
    platform::field::single("RT_TAB_NR", 0),   platform::field::single("RT_VELD_NR", 4),
    platform::field::single("RT_LENGTE", 8),   platform::field::single("RT_LYN_1", 12),
    platform::field::single("RT_KOLOM_1", 16), platform::field::single("RT_LYN_2", 20),
    platform::field::single("RT_KOLOM_2", 24),
};
inline constexpr platform::record_layout rt_record{"rt_record", 28, rt_fields};
static_assert(platform::layout_problem(rt_record) == nullptr);

}  // namespace km
