#pragma once
// The record layouts of the record files that are not converted from a
// dBase table: the homework codes (hw_kodes_random.txt), the outcome sets of
// the subjects in their narrow and wide forms (pi4_su_random.txt and
// pi4_vh_random.txt) and the promotion settings (prm_prom_random.txt).
//
// Packed little-endian, no padding; text is cp1252, blank-padded. A flag
// matrix is declared as one array of all its elements, the first index
// running fastest; the small function beside it gives the element of
// entry (row, column).

#include "platform/record_layout.h"

namespace km {

// ---------------------------------------------------------------------------
// hw_kodes_random.txt: one record per homework code, 1547 bytes; record n
// holds code n. Each group of members comes from one text file:
// hwi_kde1.txt (two texts, a number, a short text), hwi_kde2.txt and
// hwi_kde3.txt (two texts and a number each), hwi_drk1.txt (two flags).
inline constexpr platform::field_def hw_kodes_fields[] = {
    platform::field::int16("hk_code", 0),
    platform::field::text("hk_kde1_text1", 255, 2),
    platform::field::text("hk_kde1_text2", 255, 257),
    platform::field::int16("hk_kde1_number", 512),
    platform::field::text("hk_kde1_short", 5, 514),
    platform::field::text("hk_kde2_text1", 255, 519),
    platform::field::text("hk_kde2_text2", 255, 774),
    platform::field::int16("hk_kde2_number", 1029),
    platform::field::text("hk_kde3_text1", 255, 1031),
    platform::field::text("hk_kde3_text2", 255, 1286),
    platform::field::int16("hk_kde3_number", 1541),
    platform::field::bool16("hk_drk1_flag1", 1543),
    platform::field::bool16("hk_drk1_flag2", 1545),
};
inline constexpr platform::record_layout hw_kodes_record{"hw_kodes_record", 1547, hw_kodes_fields};
static_assert(platform::layout_problem(hw_kodes_record) == nullptr);

// ---------------------------------------------------------------------------
// The outcome sets: per subject, rows of two texts and a row of flags.
// Row 0 and column 0 are never filled; a subject text file fills columns 1,
// 2, 3 and 5 of its rows.
inline constexpr int outcome_flag_columns = 5;  // columns 1 to 5 (0 unused)

// pi4_su_random.txt: one record per subject text file, 1237 bytes, rows 1
// to 10.
inline constexpr int su_outcome_rows = 10;
inline constexpr platform::field_def pi4_su_fields[] = {
    platform::field::text("su_code", 5, 0),  // the subject code, from the file name
    platform::field::text("su_text_a", 50, 5, su_outcome_rows + 1),
    platform::field::text("su_text_b", 50, 555, su_outcome_rows + 1),
    platform::field::int16("su_flags", 1105, (su_outcome_rows + 1) * (outcome_flag_columns + 1)),
};
inline constexpr platform::record_layout pi4_su_record{"pi4_su_record", 1237, pi4_su_fields};
static_assert(platform::layout_problem(pi4_su_record) == nullptr);

// The element of su_flags that holds entry (row, column).
constexpr int su_flag_element(int row, int column) { return row + (su_outcome_rows + 1) * column; }

// pi4_vh_random.txt: the same per subject with room for 50 rows, 5717
// bytes.
inline constexpr int vh_outcome_rows = 50;
inline constexpr platform::field_def pi4_vh_fields[] = {
    platform::field::text("vh_code", 5, 0),
    platform::field::text("vh_text_a", 50, 5, vh_outcome_rows + 1),
    platform::field::text("vh_text_b", 50, 2555, vh_outcome_rows + 1),
    platform::field::int16("vh_flags", 5105, (vh_outcome_rows + 1) * (outcome_flag_columns + 1)),
};
inline constexpr platform::record_layout pi4_vh_record{"pi4_vh_record", 5717, pi4_vh_fields};
static_assert(platform::layout_problem(pi4_vh_record) == nullptr);

// The element of vh_flags that holds entry (row, column).
constexpr int vh_flag_element(int row, int column) { return row + (vh_outcome_rows + 1) * column; }

// ---------------------------------------------------------------------------
// prm_prom_random.txt: four promotion settings, 8 bytes, settings 1 to 4.
inline constexpr platform::field_def prm_prom_fields[] = {
    platform::field::bool16("prom_setting", 0, 4, 1),
};
inline constexpr platform::record_layout prm_prom_record{"prm_prom_record", 8, prm_prom_fields};
static_assert(platform::layout_problem(prm_prom_record) == nullptr);

}  // namespace km
