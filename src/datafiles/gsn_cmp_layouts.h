#pragma once
// The family-composition record of Gsn_Cmp_random.txt in its three
// layouts: 2046 bytes, 2090 (a list of eleven 4-byte numbers added, F64)
// and 2120 (two 15-character fields inserted, F17 and F26). The fields are
// known by number only. F05, F33, F64 and F65 are numbers carried as their
// bytes; the arrays F59 to F64 run 0 to 10.

#include "platform/record_layout.h"

namespace km {

inline constexpr platform::field_def gsn_cmp_fields[] = {
    platform::field::text("F01", 30, 0),        platform::field::text("F02", 5, 30),
    platform::field::text("F03", 5, 35),        platform::field::text("F04", 10, 40),
    platform::field::raw("F05", 8, 50),         platform::field::text("F06", 1, 58),
    platform::field::text("F07", 40, 59),       platform::field::text("F08", 40, 99),
    platform::field::text("F09", 40, 139),      platform::field::text("F10", 4, 179),
    platform::field::text("F11", 40, 183),      platform::field::text("F12", 40, 223),
    platform::field::text("F13", 40, 263),      platform::field::text("F14", 4, 303),
    platform::field::text("F15", 15, 307),      platform::field::text("F16", 13, 322),
    platform::field::text("F17", 15, 335),      platform::field::text("F18", 5, 350),
    platform::field::text("F19", 40, 355),      platform::field::text("F20", 40, 395),
    platform::field::text("F21", 40, 435),      platform::field::text("F22", 40, 475),
    platform::field::text("F23", 15, 515),      platform::field::text("F24", 30, 530),
    platform::field::text("F25", 13, 560),      platform::field::text("F26", 15, 573),
    platform::field::text("F27", 5, 588),       platform::field::text("F28", 40, 593),
    platform::field::text("F29", 40, 633),      platform::field::text("F30", 40, 673),
    platform::field::text("F31", 40, 713),      platform::field::text("F32", 15, 753),
    platform::field::raw("F33", 4, 768),        platform::field::text("F34", 5, 772),
    platform::field::text("F35", 5, 777),       platform::field::text("F36", 5, 782),
    platform::field::text("F37", 5, 787),       platform::field::text("F38", 5, 792),
    platform::field::text("F39", 100, 797),     platform::field::text("F40", 12, 897),
    platform::field::text("F41", 12, 909),      platform::field::text("F42", 30, 921),
    platform::field::text("F43", 15, 951),      platform::field::text("F44", 15, 966),
    platform::field::text("F45", 15, 981),      platform::field::text("F46", 30, 996),
    platform::field::int16("F47", 1026),        platform::field::text("F48", 60, 1028),
    platform::field::text("F49", 50, 1088),     platform::field::text("F50", 50, 1138),
    platform::field::text("F51", 15, 1188),     platform::field::text("F52", 15, 1203),
    platform::field::text("F53", 5, 1218),      platform::field::text("F54", 2, 1223),
    platform::field::text("F55", 5, 1225),      platform::field::text("F56", 2, 1230),
    platform::field::text("F57", 20, 1232),     platform::field::int16("F58", 1252),
    platform::field::text("F59", 30, 1254, 11), platform::field::text("F60", 30, 1584, 11),
    platform::field::text("F61", 3, 1914, 11),  platform::field::text("F62", 3, 1947, 11),
    platform::field::date("F63", 1980, 11),     platform::field::raw("F64", 4, 2068, 11),
    platform::field::raw("F65", 8, 2112),
};
inline constexpr platform::record_layout gsn_cmp_record{"gsn_cmp_record", 2120, gsn_cmp_fields};
static_assert(platform::layout_problem(gsn_cmp_record) == nullptr);

inline constexpr platform::field_def gsn_cmp_2090_fields[] = {
    platform::field::text("F01", 30, 0),        platform::field::text("F02", 5, 30),
    platform::field::text("F03", 5, 35),        platform::field::text("F04", 10, 40),
    platform::field::raw("F05", 8, 50),         platform::field::text("F06", 1, 58),
    platform::field::text("F07", 40, 59),       platform::field::text("F08", 40, 99),
    platform::field::text("F09", 40, 139),      platform::field::text("F10", 4, 179),
    platform::field::text("F11", 40, 183),      platform::field::text("F12", 40, 223),
    platform::field::text("F13", 40, 263),      platform::field::text("F14", 4, 303),
    platform::field::text("F15", 15, 307),      platform::field::text("F16", 13, 322),
    platform::field::text("F18", 5, 335),       platform::field::text("F19", 40, 340),
    platform::field::text("F20", 40, 380),      platform::field::text("F21", 40, 420),
    platform::field::text("F22", 40, 460),      platform::field::text("F23", 15, 500),
    platform::field::text("F24", 30, 515),      platform::field::text("F25", 13, 545),
    platform::field::text("F27", 5, 558),       platform::field::text("F28", 40, 563),
    platform::field::text("F29", 40, 603),      platform::field::text("F30", 40, 643),
    platform::field::text("F31", 40, 683),      platform::field::text("F32", 15, 723),
    platform::field::raw("F33", 4, 738),        platform::field::text("F34", 5, 742),
    platform::field::text("F35", 5, 747),       platform::field::text("F36", 5, 752),
    platform::field::text("F37", 5, 757),       platform::field::text("F38", 5, 762),
    platform::field::text("F39", 100, 767),     platform::field::text("F40", 12, 867),
    platform::field::text("F41", 12, 879),      platform::field::text("F42", 30, 891),
    platform::field::text("F43", 15, 921),      platform::field::text("F44", 15, 936),
    platform::field::text("F45", 15, 951),      platform::field::text("F46", 30, 966),
    platform::field::int16("F47", 996),         platform::field::text("F48", 60, 998),
    platform::field::text("F49", 50, 1058),     platform::field::text("F50", 50, 1108),
    platform::field::text("F51", 15, 1158),     platform::field::text("F52", 15, 1173),
    platform::field::text("F53", 5, 1188),      platform::field::text("F54", 2, 1193),
    platform::field::text("F55", 5, 1195),      platform::field::text("F56", 2, 1200),
    platform::field::text("F57", 20, 1202),     platform::field::int16("F58", 1222),
    platform::field::text("F59", 30, 1224, 11), platform::field::text("F60", 30, 1554, 11),
    platform::field::text("F61", 3, 1884, 11),  platform::field::text("F62", 3, 1917, 11),
    platform::field::date("F63", 1950, 11),     platform::field::raw("F64", 4, 2038, 11),
    platform::field::raw("F65", 8, 2082),
};
inline constexpr platform::record_layout gsn_cmp_2090_record{"gsn_cmp_2090_record", 2090,
                                                             gsn_cmp_2090_fields};
static_assert(platform::layout_problem(gsn_cmp_2090_record) == nullptr);

inline constexpr platform::field_def gsn_cmp_2046_fields[] = {
    platform::field::text("F01", 30, 0),        platform::field::text("F02", 5, 30),
    platform::field::text("F03", 5, 35),        platform::field::text("F04", 10, 40),
    platform::field::raw("F05", 8, 50),         platform::field::text("F06", 1, 58),
    platform::field::text("F07", 40, 59),       platform::field::text("F08", 40, 99),
    platform::field::text("F09", 40, 139),      platform::field::text("F10", 4, 179),
    platform::field::text("F11", 40, 183),      platform::field::text("F12", 40, 223),
    platform::field::text("F13", 40, 263),      platform::field::text("F14", 4, 303),
    platform::field::text("F15", 15, 307),      platform::field::text("F16", 13, 322),
    platform::field::text("F18", 5, 335),       platform::field::text("F19", 40, 340),
    platform::field::text("F20", 40, 380),      platform::field::text("F21", 40, 420),
    platform::field::text("F22", 40, 460),      platform::field::text("F23", 15, 500),
    platform::field::text("F24", 30, 515),      platform::field::text("F25", 13, 545),
    platform::field::text("F27", 5, 558),       platform::field::text("F28", 40, 563),
    platform::field::text("F29", 40, 603),      platform::field::text("F30", 40, 643),
    platform::field::text("F31", 40, 683),      platform::field::text("F32", 15, 723),
    platform::field::raw("F33", 4, 738),        platform::field::text("F34", 5, 742),
    platform::field::text("F35", 5, 747),       platform::field::text("F36", 5, 752),
    platform::field::text("F37", 5, 757),       platform::field::text("F38", 5, 762),
    platform::field::text("F39", 100, 767),     platform::field::text("F40", 12, 867),
    platform::field::text("F41", 12, 879),      platform::field::text("F42", 30, 891),
    platform::field::text("F43", 15, 921),      platform::field::text("F44", 15, 936),
    platform::field::text("F45", 15, 951),      platform::field::text("F46", 30, 966),
    platform::field::int16("F47", 996),         platform::field::text("F48", 60, 998),
    platform::field::text("F49", 50, 1058),     platform::field::text("F50", 50, 1108),
    platform::field::text("F51", 15, 1158),     platform::field::text("F52", 15, 1173),
    platform::field::text("F53", 5, 1188),      platform::field::text("F54", 2, 1193),
    platform::field::text("F55", 5, 1195),      platform::field::text("F56", 2, 1200),
    platform::field::text("F57", 20, 1202),     platform::field::int16("F58", 1222),
    platform::field::text("F59", 30, 1224, 11), platform::field::text("F60", 30, 1554, 11),
    platform::field::text("F61", 3, 1884, 11),  platform::field::text("F62", 3, 1917, 11),
    platform::field::date("F63", 1950, 11),     platform::field::raw("F65", 8, 2038),
};
inline constexpr platform::record_layout gsn_cmp_2046_record{"gsn_cmp_2046_record", 2046,
                                                             gsn_cmp_2046_fields};
static_assert(platform::layout_problem(gsn_cmp_2046_record) == nullptr);

}  // namespace km
