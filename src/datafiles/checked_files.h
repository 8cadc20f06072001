#pragma once
// File steps of the upgrades that must never leave a school's file half
// written: a copy that is read back and compared before anything changes,
// and a new content that takes the old one's place only when it is whole.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

#include "common/file_number_pool.h"

namespace km {

// A number of the record-file pool, given back however the scope ends (a
// file still open on it is closed).
class pooled_file_number {
 public:
  pooled_file_number();
  pooled_file_number(const pooled_file_number&) = delete;
  pooled_file_number& operator=(const pooled_file_number&) = delete;
  ~pooled_file_number();
  int get() const { return number_; }
  // Closes the file and gives the number back before the scope ends.
  void close() { close_file(number_); }

 private:
  std::int16_t number_;
};

// The whole content of a file named by its Windows path. Throws
// platform::file_error when it cannot be read.
QByteArray file_bytes(const QString& win_path);

// Copies source to destination (overwriting) and compares the copy with its
// source byte for byte. Throws platform::file_error when a step fails or the
// copy differs.
void copy_checked(const QString& source, const QString& destination);

// Makes an empty file (a marker); a file already there is left as it is.
void make_empty_file(const QString& win_path);

// Writes today's date as a settings file writes one ("#yyyy-mm-dd#" and
// CR LF) into a new marker file, through g_file_number2: written whole
// under the marker's name followed by ".new", then put in place.
void write_date_marker(const QString& win_path);

// Puts work_file (in the target's folder) in place of target: synced, then
// renamed over it in one step, so that a break at any point leaves either
// the old file beside the work file, which the next run removes before it
// starts, or the new file alone. A failure removes the work file.
void put_in_place(const QString& work_file, const QString& target);

// Runs write, which makes work_file; when it throws platform::file_error
// (a full disk, a refused write) the part of work_file it made is removed
// before the error goes on, as far as the folder lets it.
void removing_on_failure(const QString& work_file, const std::function<void()>& write);

}  // namespace km
