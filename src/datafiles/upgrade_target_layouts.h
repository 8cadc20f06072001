#pragma once
// The current layouts of the record files that the upgrades write and that
// the conversions from the older tables also write: learner history, PIG,
// behaviour history, PI1 and PI2. They are declared once, for both; this
// header holds them until the conversions' own layout header takes them.

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

// Ppl_pig_random.txt: four number arrays per learner.
inline constexpr platform::field_def ppl_pig_fields[] = {
    platform::field::single("PG_T_NR", 0),       platform::field::single("PG_GEM_", 4, 23),
    platform::field::single("PG_PIG_", 96, 23),  platform::field::single("PG_B6G_", 188, 23),
    platform::field::single("PG_B6P_", 280, 23),
};
inline constexpr platform::record_layout ppl_pig_record{"ppl_pig_record", 372, ppl_pig_fields};
static_assert(platform::layout_problem(ppl_pig_record) == nullptr);

// sb_random.txt: per learner 440 entries of a year, a type and a
// description code.
inline constexpr platform::field_def sb_fields[] = {
    platform::field::single("SD_T_NR", 0), platform::field::text("SD_JAAR", 1, 4, 441),
    platform::field::text("SD_TIPE", 1, 445, 441), platform::field::text("SD_BESK", 1, 886, 441)};
inline constexpr platform::record_layout sb_record{"sb_record", 1327, sb_fields};
static_assert(platform::layout_problem(sb_record) == nullptr);

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

}  // namespace km
