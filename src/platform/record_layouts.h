#pragma once
// The fixed-length records of the files this program shares with the
// other programs of the suite. Offsets and widths are those of the files
// on disk; every layout is checked at compile time.

#include "platform/record_layout.h"

namespace km::platform {

// exp_mrk_control.txt: one subject combination per 44-byte record, written
// by the administration program.
inline constexpr field_def exp_mrk_control_fields[] = {
    field::text("grade", 3, 0),
    field::text("subject", 5, 3),
    field::single("subject_total", 8),  // maximum to which exported marks are converted
    field::text("class", 3, 12),
    field::text("second_class", 3, 15),
    field::text("class_when_blank", 3, 18),  // used when "class" is blank
    field::int16("number", 21),
    field::text("code", 5, 23),
    field::date("date", 28),
    field::text("spare", 8, 36),
};
inline constexpr record_layout exp_mrk_control_record{"exp_mrk_control_record", 44, exp_mrk_control_fields};
static_assert(layout_problem(exp_mrk_control_record) == nullptr);

// user_lock_record.txt: one lock per 140-byte record.
// clang-format off
inline constexpr field_def user_lock_fields[] = {
    field::text("user_name", 50, 0),
    field::date("date", 50),
    field::text("text", 20, 58),
    field::text("lock_type", 10, 78),    // "L" for a folder lock
    field::int16("number", 88),
    field::text("locked_item", 50, 90),  // the folder that is locked
};
// clang-format on
inline constexpr record_layout user_lock_record{"user_lock_record", 140, user_lock_fields};
static_assert(layout_problem(user_lock_record) == nullptr);

// Audit_Trail.txt: one opened window per 258-byte record.
inline constexpr field_def audit_trail_fields[] = {
    field::text("user_name", 50, 0),
    field::date("date", 50),
    field::text("time", 10, 58),
    field::text("window_name", 50, 68),
    field::text("unused", 50, 118),  // never written: stays 50 zero bytes
    field::text("admin_folder", 30, 168),
    field::text("network_folder_1", 30, 198),
    field::text("network_folder_2", 30, 228),
};
inline constexpr record_layout audit_trail_record{"audit_trail_record", 258, audit_trail_fields};
static_assert(layout_problem(audit_trail_record) == nullptr);

}  // namespace km::platform
