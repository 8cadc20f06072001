#pragma once
// The pool of file numbers. Every file the program opens by number takes its
// number here and gives it back through close_file, so a number is never
// handed out twice. For record files opened by file code the pool also keeps
// the folder and code each number has open, so a second request for the same
// file can reuse the open number instead of opening the file again.
//
// Numbers 11..100 serve short-lived files (settings and choice files), numbers
// 101..511 the record files. 0 means "no file"; close_file with 999 closes
// every file at once.

#include <QString>
#include <cstdint>
#include <functional>

namespace km {

// Close-all's two follow-up steps, which belong to modules built on top of
// this one; the program wires them at start. Left empty, the step is skipped.
// Called with the data folder: releases this user's lock record for it.
extern std::function<void(const QString& folder)> g_close_all_release_locks_hook;
// Requests the school record file again, so it is open when close-all returns.
extern std::function<void()> g_close_all_reopen_school_hook;

constexpr std::int16_t close_all_files = 999;

// Takes the lowest free number of a pool: 11..100 when flag is non-zero,
// 101..511 when it is 0. When that pool is used up the program tells the user,
// closes every file and ends (km::platform::program_ended); the other pool is
// never tried.
std::int16_t get_free_file_number(std::int16_t flag);

// 0: nothing. 999: gives up every file and forgets every number (the
// variable keeps 999); an output file nobody closed is abandoned, its old
// file left whole. Any other number: closes its file (no error when none is
// open; an output file's text takes the old file's place here), frees the
// number and its folder and code, clears the first per-file variable holding
// it, and sets the variable to 0. Throws std::out_of_range for a number
// outside 0..511 other than 999, and platform::file_error when an output
// cannot be put in place (after the bookkeeping).
void close_file(std::int16_t& number);

// As close_file, but an output file's text is not put in place: the old
// file stays as it was. For a write that failed part way, and for files
// read for input. Never throws a file failure.
void abandon_file(std::int16_t& number);

// True when the caller must open the file (taking a number first); false when
// the same folder and code (blanks around them ignored, letter case counted)
// are already open under a record-file number, which is then rewound to
// record 1. Short-lived numbers, unrecorded numbers and numbers whose file is
// no longer open are closed, leaving the variable 0, and give true.
bool check_file_open_needed(std::int16_t& number, const QString& folder, const QString& code);

// Records the folder and code a record file was just opened for.
void remember_open_file(std::int16_t number, const QString& folder, const QString& code);

// Sets every per-file file-number variable to 0.
void reset_file_number_globals();

// Sets the first per-file file-number variable (in their fixed order) that
// holds n to 0; the rest are left as they are.
void forget_file_number(std::int16_t n);

}  // namespace km
