#pragma once
// The record layouts of the record files that open_random_files writes or
// reads itself: the six school-group records, the PI1SMA and PI3 records
// and the behaviour record of hw2_random.txt. (The export-control record is
// declared with the other shared layouts in platform/record_layouts.h.)
//
// Packed little-endian, no padding; text is cp1252, blank-padded. Every
// layout is checked at compile time: offsets follow one another and add up
// to the record length, which is the record length the file is opened with.

#include "platform/record_layout.h"

namespace km {

// ---------------------------------------------------------------------------
// Skl_Dta_random.txt (code "SKL"): the school record, 2756 bytes.
//
// Field order is the order in which the school record is built from
// skl_dta.dbf; the three 20-entry groups come where that build reads them
// (after SD_T_NR) and are declared 0 to 20, entry 0 being left unused.
// Widths, fixed once for every reader and writer of the record:
//   60  school name (SD_SKOOL), e-mail address, department name (SX_DEPT_NM)
//   50  names of the principal, deputies, staff and users (SX_*), except:
//   10  title and initials of the principal (SX_TTL_HF, SX_VRL_HF)
//   20  telephone and fax numbers, the two user selections (SX_SEL_1/2)
//   40  address lines, centre name, district, region, ward
//   30  circuit and province
//   10  postal codes, centre and district numbers, the two type codes
//  100  path of the department's logo (SD_OD_LOGO)
//   10  subject code SD_ST(i); 40 subject name SD_NME(i)
// The five numbers taken with Val (SD_T_NR, SD_TME_OUT, SD_AKA_MAX,
// SD_S_T_MAX, SD_N_A_MAX) are single-precision; the flags are 16-bit
// Booleans.
inline constexpr platform::field_def skl_dta_fields[] = {
    platform::field::text("SD_SKOOL", 60, 0),  // the school's name
    platform::field::text("SD_KRING", 30, 60),
    platform::field::text("SD_SNTR_NM", 40, 90),
    platform::field::text("SD_SNTR_NR", 10, 130),
    platform::field::text("SD_ADRES1", 40, 140),
    platform::field::text("SD_ADRES2", 40, 180),
    platform::field::text("SD_ADRES3", 40, 220),
    platform::field::text("SD_KODE", 10, 260),
    platform::field::text("SD_FOON", 20, 270),
    platform::field::text("SD_FAKS", 20, 290),
    platform::field::text("SD_PROV", 30, 310),  // the province
    platform::field::single("SD_T_NR", 340),
    platform::field::text("SD_ST", 10, 344, 21, 0),
    platform::field::bool16("SD_OBE", 554, 21, 0),
    platform::field::text("SD_NME", 40, 596, 21, 0),
    platform::field::single("SD_TME_OUT", 1436),
    platform::field::text("SD_T_O_TPE", 10, 1440),
    platform::field::text("SD_DIST_NR", 10, 1450),
    platform::field::text("SD_DISTRIK", 40, 1460),
    platform::field::text("SD_USE_CDE", 10, 1500),
    platform::field::bool16("SD_OUDSTES", 1510),
    platform::field::text("SD_EMAIL", 60, 1512),
    platform::field::single("SD_AKA_MAX", 1572),
    platform::field::single("SD_S_T_MAX", 1576),
    platform::field::single("SD_N_A_MAX", 1580),
    platform::field::text("SD_STREEK", 40, 1584),
    platform::field::text("SD_WYK", 40, 1624),
    platform::field::text("SD_OD_LOGO", 100, 1664),
    platform::field::text("SX_HOOF", 50, 1764),
    platform::field::text("SX_S_ADJ1", 50, 1814),
    platform::field::text("SX_S_ADJ2", 50, 1864),
    platform::field::text("SX_ADJ", 50, 1914),
    platform::field::text("SX_DPO", 50, 1964),
    platform::field::text("SX_SVO_NME", 50, 2014),
    platform::field::text("SX_SVO_T_A", 50, 2064),
    platform::field::text("SX_SVO_T_E", 50, 2114),
    platform::field::text("SX_DEPT_NM", 60, 2164),
    platform::field::text("SX_USER1", 50, 2224),
    platform::field::text("SX_SEL_1", 20, 2274),
    platform::field::text("SX_USER2", 50, 2294),
    platform::field::text("SX_SEL_2", 20, 2344),
    platform::field::bool16("SX_EXPRESS", 2364),
    platform::field::text("SD_S_ADR1", 40, 2366),
    platform::field::text("SD_S_ADR2", 40, 2406),
    platform::field::text("SD_S_ADR3", 40, 2446),
    platform::field::text("SD_S_KODE", 10, 2486),
    platform::field::text("SD_FOON_K", 20, 2496),
    platform::field::text("SD_FAKS_K", 20, 2516),
    platform::field::text("SX_TTL_HF", 10, 2536),
    platform::field::text("SX_VRL_HF", 10, 2546),
    platform::field::text("SX_FNK_HF", 50, 2556),
    platform::field::text("SX_FNR_HF", 50, 2606),
    platform::field::text("SX_SNK_HF", 50, 2656),
    platform::field::text("SX_SNR_HF", 50, 2706),
};
inline constexpr platform::record_layout skl_dta_record{"skl_dta_record", 2756, skl_dta_fields};
static_assert(platform::layout_problem(skl_dta_record) == nullptr);

// skl_add_random.txt (code "SKLADD"): the school's additional record in its
// current layout, 458 bytes. Term dates are dates; the section-21 flag is a
// 16-bit Boolean.
inline constexpr platform::field_def skl_add_fields[] = {
    platform::field::text("SD_CLUSTER", 20, 0),
    platform::field::text("SD_GPS_LATITUDE", 20, 20),
    platform::field::text("SD_GPS_LONGITUDE", 20, 40),
    platform::field::int16("SD_KWINTIEL_NOMMER", 60),
    platform::field::text("SD_SEKSIE21_INFO", 50, 62, 6, 1),
    platform::field::bool16("SD_SEKSIE21_SKOOL", 362),
    platform::field::date("SD_TERMYN_BGN", 364, 4, 1),
    platform::field::date("SD_TERMYN_END", 396, 4, 1),
    platform::field::text("SD_TIPE_SKOOL", 30, 428),
};
inline constexpr platform::record_layout skl_add_record{"skl_add_record", 458, skl_add_fields};
static_assert(platform::layout_problem(skl_add_record) == nullptr);

// skl_epos_random.txt (code "SKLEPOS"): the school's e-mail slots, entries
// 1 to 5 of four arrays, 1100 bytes.
inline constexpr platform::field_def skl_epos_fields[] = {
    platform::field::text("SE_EMAIL_SERVER", 60, 0, 5, 1),
    platform::field::text("SE_EMAIL_ADDRESS", 60, 300, 5, 1),
    platform::field::text("SE_EMAIL_USERNAME", 60, 600, 5, 1),
    platform::field::text("SE_EMAIL_PASSWORD", 40, 900, 5, 1),
};
inline constexpr platform::record_layout skl_epos_record{"skl_epos_record", 1100, skl_epos_fields};
static_assert(platform::layout_problem(skl_epos_record) == nullptr);

// skl_h_b_random.txt (code "SKLHB"), Alle_Skole_MS_personeel.txt ("MSPSKL")
// and Skl_MSP_personeel.txt ("SKLMSP"): records that other programs of the
// suite fill. This program reads none of their fields; it opens them with
// a fixed record length of 256 bytes, one text block each.
inline constexpr platform::field_def skl_h_b_fields[] = {platform::field::text("SH_DATA", 256, 0)};
inline constexpr platform::record_layout skl_h_b_record{"skl_h_b_record", 256, skl_h_b_fields};
static_assert(platform::layout_problem(skl_h_b_record) == nullptr);

inline constexpr platform::field_def msp_skl_fields[] = {platform::field::text("MS_DATA", 256, 0)};
inline constexpr platform::record_layout msp_skl_record{"msp_skl_record", 256, msp_skl_fields};
static_assert(platform::layout_problem(msp_skl_record) == nullptr);

inline constexpr platform::field_def skl_msp_fields[] = {platform::field::text("MS_DATA", 256, 0)};
inline constexpr platform::record_layout skl_msp_record{"skl_msp_record", 256, skl_msp_fields};
static_assert(platform::layout_problem(skl_msp_record) == nullptr);

// PI1SMA_random.txt (code "PI1SMA"): one 48-byte value, read whole from
// record 1.
inline constexpr platform::field_def pi1sma_fields[] = {platform::field::raw("PI1SMA_DATA", 48, 0)};
inline constexpr platform::record_layout pi1sma_record{"pi1sma_record", 48, pi1sma_fields};
static_assert(platform::layout_problem(pi1sma_record) == nullptr);

// pi3_random.txt (code "PI3"): the weights record, 250 bytes. The opening
// repairs the single-precision weight at offset 61 from the older 16-bit
// weight at offset 57; the other bytes are carried as they are.
inline constexpr platform::field_def pi3_fields[] = {
    platform::field::raw("PI3_HEAD", 57, 0),   platform::field::int16("PI3_WEIGHT_OLD", 57),
    platform::field::raw("PI3_GAP", 2, 59),    platform::field::single("PI3_WEIGHT", 61),
    platform::field::raw("PI3_REST", 185, 65),
};
inline constexpr platform::record_layout pi3_record{"pi3_record", 250, pi3_fields};
static_assert(platform::layout_problem(pi3_record) == nullptr);

// hw2_random.txt (code "HW2") and gedrag2_random.txt: one behaviour entry
// of a learner, 129 bytes.
inline constexpr platform::field_def hw2_fields[] = {
    platform::field::single("HD_T_NR", 0),  // learner number
    platform::field::date("HD_B_DATUM", 4),    platform::field::date("HD_E_DATUM", 12),
    platform::field::text("HD_W_D_S", 1, 20),  platform::field::date("HD_F_DATUM", 21),
    platform::field::text("HD_MEMO", 100, 29),
};
inline constexpr platform::record_layout hw2_record{"hw2_record", 129, hw2_fields};
static_assert(platform::layout_problem(hw2_record) == nullptr);

}  // namespace km
