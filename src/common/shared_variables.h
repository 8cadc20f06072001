#pragma once
// The program's shared state: process-wide variables that windows and
// routines read and assign directly by name. Every one of them starts at 0,
// false, the empty text or an empty value, and reset_shared_variables() puts
// them all back there (platform::reset_for_tests() calls it before and after
// every test).
//
// Each group below is one list of (type, name) pairs. The same list declares
// the variables here, defines them in shared_variables.cpp and drives the
// reset, so a variable cannot be declared and then missed by the reset.
// Several variables are never assigned by any routine and stay empty for the
// whole run; callers rely on that empty value (noted as "never assigned").
//
// Record counts and record numbers are 32-bit: a record file of short records
// passes 32767 records long before it is large, and a count that wrapped
// would send the next record to the wrong place.

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/record_layout.h"
#include "platform/value.h"

namespace km {

// Language and school.
#define KM_SV_LANGUAGE_AND_SCHOOL(X)                                                    \
  X(bool, g_language)       /* true: Afrikaans captions and messages; false: English */ \
  X(QString, g_school_name) /* the school's name, from the school record */             \
  X(QString, g_year)        /* the current calendar year, four digits */                \
  X(QString, g_grade)       /* never assigned: stays "", whose numeric value is 0 */

// Folders, each without a trailing "\" unless noted.
#define KM_SV_FOLDERS(X)                                                                          \
  X(QString, g_program_root)       /* the folder holding the suite's program folders */           \
  X(QString, g_program_path)       /* this program's folder; the current directory */             \
  X(QString, g_program_folder)     /* copy of g_program_path; holds the mark-book template */     \
  X(QString, g_settings_folder)    /* machine-wide settings folder on the program's drive */      \
  X(QString, g_data_drive)         /* drive of the folder tested last ("C:" when it was blank) */ \
  X(QString, g_data_folder)        /* the marks data folder; a table open may append "\" */       \
  X(QString, g_admin_folder)       /* the administration folder */                                \
  X(QString, g_school_data_folder) /* folder of the school record file */                         \
  X(QString, g_user_folder)        /* never assigned: lock and colour files lie at the root */    \
  X(QString, g_network_folder_1)   /* never assigned */                                           \
  X(QString, g_network_folder_2)   /* never assigned */                                           \
  X(QString, g_network_folder_3)   /* never assigned */                                           \
  X(QString, g_network_folder_4)   /* never assigned */                                           \
  X(QString, g_network_folder_5)   /* never assigned */

// Platform description shown in the status labels.
#define KM_SV_PLATFORM(X)                                     \
  X(QString, g_windows_name)  /* the system's product name */ \
  X(QString, g_windows_extra) /* never assigned */

// Idle clock and the timed message window.
#define KM_SV_IDLE_AND_MESSAGE(X)                                                       \
  X(float, g_last_activity)           /* seconds since midnight of the last activity */ \
  X(float, g_idle_timeout)            /* idle time-out in seconds; 0 = off */           \
  X(std::int16_t, g_message_close_ms) /* ms left before the message window closes */

// Menu passwords.
#define KM_SV_PASSWORDS(X)                                                                    \
  X(km::platform::Value, g_system_password)   /* the system password, plain, lower case */    \
  X(km::platform::Value, g_password_line_key) /* key of the passwords-file line being read */ \
  X(QString, g_password_key)                  /* menu name, ":" and button index */           \
  X(bool, g_password_ok)                      /* the prompt's answer: password was right */

// General file numbers of short-lived files and the learner being added.
#define KM_SV_FILES(X)                                                    \
  X(std::int16_t, g_file_number)  /* general file numbers, taken from */  \
  X(std::int16_t, g_file_number2) /* and given back to the file-number */ \
  X(std::int16_t, g_file_number3) /* pool; up to three at once */         \
  X(float, g_current_t_nr)        /* learner number of the record being added */

// Appearance and menus.
#define KM_SV_APPEARANCE(X)                                       \
  X(double, g_frame_red)         /* frame and gradient colour, */ \
  X(double, g_frame_green)       /* set to 255, 192, 158 */       \
  X(double, g_frame_blue)        /* by the splash */              \
  X(QString, g_manual_file_name) /* manual the manuals window opens at once */

// The main menu's notification-area icon record (its type is in
// tray_icon_data.h); all zero until the main menu fills it.
struct tray_icon_data;
extern tray_icon_data g_tray_icon;

// Print hand-over read or set outside the print engine.
#define KM_SV_PRINT(X)                                                               \
  X(bool, g_print_new_document)         /* a new printed document is pending */      \
  X(QString, g_excel_file_name)         /* proposed file name of an Excel export */  \
  X(std::int16_t, g_print_page_columns) /* usable page width in character columns */ \
  X(std::int16_t, g_print_line_length)  /* copy of g_print_page_columns */           \
  X(float, g_print_page_lines)          /* usable page length in lines */

// Mark book and record layouts.
#define KM_SV_MARK_BOOK(X)                                                                 \
  X(std::int16_t, g_setup_row_count)   /* named task rows of the set-up being read */      \
  X(std::int16_t, g_max_subjects)      /* never assigned: subject positions per learner */ \
  X(std::int16_t, g_cycle_entry_count) /* cycle entries of the PI1/PI11 records */         \
  X(std::int16_t, g_task_entry_count)  /* never assigned: task entries of PI1/PI11 */

// The file-number pool: numbers 11..100 for short-lived files, 101..511 for
// record files. 0 means no file; closing 999 closes every file.
constexpr int file_number_slots = 512;
extern std::array<std::int16_t, file_number_slots> g_file_in_use;  // 1 while taken, 0 when free
extern std::array<QString, file_number_slots> g_file_folder;       // trimmed folder of a record file
extern std::array<QString, file_number_slots> g_file_code;         // trimmed file code requested for it
extern std::int16_t g_open_file_count;                             // numbers taken; never below 0

// Per-file file-number variables: the number a long-lived file is open
// under, 0 when it is not open. The order is fixed: forget_file_number
// clears the first one that holds a given number.
#define KM_SV_PER_FILE_NUMBERS(X)                                                                \
  X(std::int16_t, g_skl_file_number)                                                             \
  X(std::int16_t, g_skladd_file_number)                                                          \
  X(std::int16_t, g_sklhb_file_number)                                                           \
  X(std::int16_t, g_sklepos_file_number)                                                         \
  X(std::int16_t, g_mspskl_file_number)                                                          \
  X(std::int16_t, g_sklmsp_file_number)                                                          \
  X(std::int16_t, g_user_lock_file_number)   /* user_lock_record.txt */                          \
  X(std::int16_t, g_audit_trail_file_number) /* Audit_Trail.txt */                               \
  X(std::int16_t, g_prmprom_file_number)                                                         \
  X(std::int16_t, g_puvak_file_number)                                                           \
  X(std::int16_t, g_putot_file_number)                                                           \
  X(std::int16_t, g_kls_file_number)                                                             \
  X(std::int16_t, g_v_p_file_number)                                                             \
  X(std::int16_t, g_nwekls_file_number)                                                          \
  X(std::int16_t, g_ppl_file_number)                                                             \
  X(std::int16_t, g_ppladd_file_number)                                                          \
  X(std::int16_t, g_ppldel_file_number)                                                          \
  X(std::int16_t, g_pplhst_file_number)                                                          \
  X(std::int16_t, g_pplprom_file_number)                                                         \
  X(std::int16_t, g_pplpromvj_file_number)                                                       \
  X(std::int16_t, g_gbrk_file_number)                                                            \
  X(std::int16_t, g_obedta_file_number)                                                          \
  X(std::int16_t, g_pig_file_number)                                                             \
  X(std::int16_t, g_khdta_file_number)                                                           \
  X(std::int16_t, g_pplvakverander_file_number)                                                  \
  X(std::int16_t, g_prmrem_file_number)                                                          \
  X(std::int16_t, g_pi1_file_number)                                                             \
  X(std::int16_t, g_pi11_file_number)                                                            \
  X(std::int16_t, g_pi1sma_file_number)                                                          \
  X(std::int16_t, g_pi2_file_number)                                                             \
  X(std::int16_t, g_pi3_file_number)                                                             \
  X(std::int16_t, g_psmb_file_number)                                                            \
  X(std::int16_t, g_pi4su_file_number)                                                           \
  X(std::int16_t, g_pi4vh_file_number)                                                           \
  X(std::int16_t, g_pi5_file_number)                                                             \
  X(std::int16_t, g_pi5_old_file_number) /* old-layout pi5 copy while upgrading */               \
  X(std::int16_t, g_pi5kur_file_number)                                                          \
  X(std::int16_t, g_gemdta_file_number)                                                          \
  X(std::int16_t, g_gempk_file_number)                                                           \
  X(std::int16_t, g_vakdta_file_number)                                                          \
  X(std::int16_t, g_pntdta_file_number)                                                          \
  X(std::int16_t, g_h_w_file_number)                                                             \
  X(std::int16_t, g_hw2_file_number)                                                             \
  X(std::int16_t, g_hwk_file_number)                                                             \
  X(std::int16_t, g_b_m_file_number)                                                             \
  X(std::int16_t, g_s_b_file_number)                                                             \
  X(std::int16_t, g_sbt_file_number)                                                             \
  X(std::int16_t, g_sbp_file_number)                                                             \
  X(std::int16_t, g_sbi_file_number)                                                             \
  X(std::int16_t, g_kpd_file_number)                                                             \
  X(std::int16_t, g_kpk_file_number)                                                             \
  X(std::int16_t, g_rt_file_number)                                                              \
  X(std::int16_t, g_kpd_convert_file_number) /* KPD_random.txt, written by the KPD conversion */ \
  X(std::int16_t, g_gsn_file_number)                                                             \
  X(std::int16_t, g_gsnppl_file_number)                                                          \
  X(std::int16_t, g_brp_file_number)                                                             \
  X(std::int16_t, g_gkde_file_number)                                                            \
  X(std::int16_t, g_acccnt_file_number)                                                          \
  X(std::int16_t, g_exp_mrk_control_file_number) /* exp_mrk_control.txt (code "E_C") */

// Record counts of the record files opened by file code: the file length
// divided by the record length. The school-group files and PI1SMA have none.
#define KM_SV_RECORD_COUNTS(X)                   \
  X(std::int32_t, g_gsn_record_count)            \
  X(std::int32_t, g_gsnppl_record_count)         \
  X(std::int32_t, g_brp_record_count)            \
  X(std::int32_t, g_gkde_record_count)           \
  X(std::int32_t, g_acccnt_record_count)         \
  X(std::int32_t, g_ppl_record_count)            \
  X(std::int32_t, g_ppladd_record_count)         \
  X(std::int32_t, g_ppldel_record_count)         \
  X(std::int32_t, g_pplhst_record_count)         \
  X(std::int32_t, g_pplprom_record_count)        \
  X(std::int32_t, g_pplpromvj_record_count)      \
  X(std::int32_t, g_gbrk_record_count)           \
  X(std::int32_t, g_khdta_record_count)          \
  X(std::int32_t, g_prmrem_record_count)         \
  X(std::int32_t, g_obedta_record_count)         \
  X(std::int32_t, g_pig_record_count)            \
  X(std::int32_t, g_pplvakverander_record_count) \
  X(std::int32_t, g_pi1_record_count)            \
  X(std::int32_t, g_pi11_record_count)           \
  X(std::int32_t, g_pi2_record_count)            \
  X(std::int32_t, g_pi3_record_count)            \
  X(std::int32_t, g_psmb_record_count)           \
  X(std::int32_t, g_pi4su_record_count)          \
  X(std::int32_t, g_pi4vh_record_count)          \
  X(std::int32_t, g_pi5_record_count)            \
  X(std::int32_t, g_pi5kur_record_count)         \
  X(std::int32_t, g_vakdta_record_count)         \
  X(std::int32_t, g_pntdta_record_count)         \
  X(std::int32_t, g_gemdta_record_count)         \
  X(std::int32_t, g_gempk_record_count)          \
  X(std::int32_t, g_prmprom_record_count)        \
  X(std::int32_t, g_h_w_record_count)            \
  X(std::int32_t, g_hw2_record_count)            \
  X(std::int32_t, g_hwk_record_count)            \
  X(std::int32_t, g_b_m_record_count)            \
  X(std::int32_t, g_s_b_record_count)            \
  X(std::int32_t, g_sbt_record_count)            \
  X(std::int32_t, g_sbp_record_count)            \
  X(std::int32_t, g_sbi_record_count)            \
  X(std::int32_t, g_kpd_record_count)            \
  X(std::int32_t, g_kpk_record_count)            \
  X(std::int32_t, g_rt_record_count)             \
  X(std::int32_t, g_puvak_record_count)          \
  X(std::int32_t, g_putot_record_count)          \
  X(std::int32_t, g_kls_record_count)            \
  X(std::int32_t, g_v_p_record_count)            \
  X(std::int32_t, g_nwekls_record_count)         \
  X(std::int32_t, g_exp_mrk_control_count)

// Record numbers and counts of the scans that walk a record file.
#define KM_SV_RECORD_NUMBERS(X)                                                    \
  X(std::int32_t, g_exp_mrk_control_recno) /* export-control record being read */  \
  X(std::int32_t, g_pi3_recno)             /* PI3 record being repaired */         \
  X(std::int32_t, g_vakdta_recno)          /* set to 0 when VAKDTA is requested */ \
  X(std::int32_t, g_pntdta_recno)          /* set to 0 when PNTDTA is requested */ \
  X(std::int32_t, g_gemdta_recno)          /* set to 0 when GEMDTA is requested */ \
  X(std::int32_t, g_hw_code_record_number) /* homework-code record being filled */ \
  X(std::int32_t, g_lock_record_no)        /* lock-file record being looked at */  \
  X(std::int32_t, g_lock_record_count)     /* records of the lock file */          \
  X(std::int32_t, g_audit_record_count)    /* records of the audit trail */        \
  X(std::int32_t, g_audit_record_number)   /* audit-trail record being written */

// Every scalar group, for declaring, defining and resetting them together.
#define KM_SV_ALL_SCALARS(X)   \
  KM_SV_LANGUAGE_AND_SCHOOL(X) \
  KM_SV_FOLDERS(X)             \
  KM_SV_PLATFORM(X)            \
  KM_SV_IDLE_AND_MESSAGE(X)    \
  KM_SV_PASSWORDS(X)           \
  KM_SV_FILES(X)               \
  KM_SV_APPEARANCE(X)          \
  KM_SV_PRINT(X)               \
  KM_SV_MARK_BOOK(X)           \
  KM_SV_PER_FILE_NUMBERS(X)    \
  KM_SV_RECORD_COUNTS(X)       \
  KM_SV_RECORD_NUMBERS(X)

#define KM_SV_DECLARE(type, name) extern type name;
KM_SV_ALL_SCALARS(KM_SV_DECLARE)
#undef KM_SV_DECLARE

// Shared record buffers: the one record variable of a record file that the
// opening of record files and the routines of that file read into and write
// from. Each holds its file's layout; the reset clears it to zero bytes.
extern platform::record_buffer g_exp_mrk_control_rec;  // exp_mrk_control.txt, 44 bytes
extern platform::record_buffer g_pi1sma_rec;           // record 1 of PI1SMA_random.txt, 48 bytes
extern platform::record_buffer g_pi3_rec;              // pi3_random.txt, 250 bytes
extern platform::record_buffer g_hw2_rec;              // hw2_random.txt and gedrag2_random.txt, 129 bytes
extern platform::record_buffer g_lock_record;          // user_lock_record.txt, 140 bytes

#define KM_SV_COUNT_ONE(type, name) +1
// How many per-file file-number variables there are.
constexpr std::size_t per_file_number_count = 0 KM_SV_PER_FILE_NUMBERS(KM_SV_COUNT_ONE);
#undef KM_SV_COUNT_ONE

// The per-file file-number variables in their fixed order.
std::span<std::int16_t* const, per_file_number_count> per_file_number_variables();

// Puts every shared variable, the pool tables included, back to its start
// value. Open files are left alone: closing them is the pool's business.
void reset_shared_variables();

}  // namespace km
