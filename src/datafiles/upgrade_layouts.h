#pragma once
// The record layouts that only the layout upgrades and the default scales
// use: the older layouts that are read once and the current layouts of
// PI11, PI5, PPLADD and PSMB. Packed little-endian, no padding; text is
// cp1252, blank-padded. Each is checked at compile time.

#include "platform/record_layout.h"

namespace km {

// pi11_random.txt: cycle names and weights (1..5), task names, weights and
// values (1..15).
inline constexpr platform::field_def pi11_fields[] = {
    platform::field::single("PI11_OUD_B", 0),     platform::field::single("PI11_OUD_O", 4),
    platform::field::int16("PI11_SIKL", 8),       platform::field::text("PI11_SN_", 5, 10, 6),
    platform::field::single("PI11_SF_", 40, 6),   platform::field::text("PI11_TN_", 5, 64, 16),
    platform::field::single("PI11_TF_", 144, 16), platform::field::single("PI11_TR_", 208, 16),
};
inline constexpr platform::record_layout pi11_record{"pi11_record", 272, pi11_fields};
static_assert(platform::layout_problem(pi11_record) == nullptr);

// The same file before 2014: room for seven tasks.
inline constexpr platform::field_def pi14_fields[] = {
    platform::field::single("PI11_OUD_B", 0),    platform::field::single("PI11_OUD_O", 4),
    platform::field::int16("PI11_SIKL", 8),      platform::field::text("PI11_SN_", 5, 10, 6),
    platform::field::single("PI11_SF_", 40, 6),  platform::field::text("PI11_TN_", 5, 64, 8),
    platform::field::single("PI11_TF_", 104, 8), platform::field::single("PI11_TR_", 136, 8),
};
inline constexpr platform::record_layout pi14_record{"pi14_record", 168, pi14_fields};
static_assert(platform::layout_problem(pi14_record) == nullptr);

// pi5_random.txt: a code with 20 values, carried as bytes; before 2014, 12.
inline constexpr platform::field_def pi5_fields[] = {platform::field::text("PI5_CODE", 5, 0),
                                                     platform::field::raw("PI5_VAL_", 4, 5, 21)};
inline constexpr platform::record_layout pi5_record{"pi5_record", 89, pi5_fields};
static_assert(platform::layout_problem(pi5_record) == nullptr);
inline constexpr platform::field_def pi54_fields[] = {platform::field::text("PI5_CODE", 5, 0),
                                                      platform::field::raw("PI5_VAL_", 4, 5, 13)};
inline constexpr platform::record_layout pi54_record{"pi54_record", 57, pi54_fields};
static_assert(platform::layout_problem(pi54_record) == nullptr);

// Ppl_pig_random.txt before 2014: room for 14 subjects.
inline constexpr platform::field_def ppl_pig_2014_fields[] = {
    platform::field::single("PG_T_NR", 0),       platform::field::single("PG_GEM_", 4, 15),
    platform::field::single("PG_PIG_", 64, 15),  platform::field::single("PG_B6G_", 124, 15),
    platform::field::single("PG_B6P_", 184, 15),
};
inline constexpr platform::record_layout ppl_pig_2014_record{"ppl_pig_2014_record", 244, ppl_pig_2014_fields};
static_assert(platform::layout_problem(ppl_pig_2014_record) == nullptr);

// sb_random.txt before 2014: the 440 codes of each kind as one text.
inline constexpr platform::field_def sb_2014_fields[] = {
    platform::field::single("SD_T_NR", 0), platform::field::text("SD_JAAR", 440, 4),
    platform::field::text("SD_TIPE", 440, 444), platform::field::text("SD_BESK", 440, 884)};
inline constexpr platform::record_layout sb_2014_record{"sb_2014_record", 1324, sb_2014_fields};
static_assert(platform::layout_problem(sb_2014_record) == nullptr);

// Ppl_hst_random.txt before 2014: codes and years only.
inline constexpr platform::field_def ppl_hst_2014_fields[] = {platform::field::single("PH_T_NR", 0),
                                                              platform::field::text("PH_STD_", 3, 4, 6),
                                                              platform::field::int16("PH_JAAR_", 22, 6)};
inline constexpr platform::record_layout ppl_hst_2014_record{"ppl_hst_2014_record", 34, ppl_hst_2014_fields};
static_assert(platform::layout_problem(ppl_hst_2014_record) == nullptr);

// Ppl_add_random.txt: known by widths only. The first four bytes of
// PA_KEY_RUN are a single, the record's key number.
inline constexpr platform::field_def ppl_add_fields[] = {
    platform::field::raw("PA_KEY_RUN", 8, 0),    platform::field::text("PA_TEXT_1", 20, 8),
    platform::field::text("PA_TEXT_2", 45, 28),  platform::field::text("PA_TEXT_3", 50, 73),
    platform::field::raw("PA_RUN_2", 4, 123),    platform::field::text("PA_TEXT_4", 3, 127),
    platform::field::text("PA_TEXT_5", 4, 130),  platform::field::raw("PA_RUN_3", 2, 134),
    platform::field::text("PA_TEXT_6", 20, 136), platform::field::raw("PA_RUN_4", 16, 156),
    platform::field::text("PA_TEXT_7", 1, 172),  platform::field::text("PA_TEXT_8", 4, 173),
};
inline constexpr platform::record_layout ppl_add_record{"ppl_add_record", 177, ppl_add_fields};
static_assert(platform::layout_problem(ppl_add_record) == nullptr);

// psmb_random.txt: one achievement level with its description in both
// languages. The lower bound comes first here (in PI2 the upper does).
inline constexpr platform::field_def psmb_fields[] = {
    platform::field::text("PSMB_SYMBOL", 5, 0),    platform::field::text("PSMB_CODE", 5, 5),
    platform::field::single("PSMB_LOWER", 10),     platform::field::single("PSMB_UPPER", 14),
    platform::field::text("PSMB_TEXT_1", 100, 18), platform::field::text("PSMB_TEXT_2", 100, 118),
};
inline constexpr platform::record_layout psmb_record{"psmb_record", 218, psmb_fields};
static_assert(platform::layout_problem(psmb_record) == nullptr);

}  // namespace km
