#pragma once
// The few POSIX file operations the table engine needs, with failures
// turned into dbf_error: opening with the errno classified, positioned reads
// and writes, and the replacement of whole files through a temporary file
// in the same folder and a rename.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace km::platform::dbf_io {

// A file descriptor, closed when the handle goes.
class file_handle {
 public:
  file_handle() = default;
  explicit file_handle(int fd) : fd_(fd) {}
  file_handle(file_handle&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
  file_handle& operator=(file_handle&& o) noexcept;
  file_handle(const file_handle&) = delete;
  file_handle& operator=(const file_handle&) = delete;
  ~file_handle();

  int fd() const { return fd_; }
  bool is_open() const { return fd_ >= 0; }
  // Closes the descriptor; false when the system reports a failure (a
  // write that could not be completed on a network file system).
  [[nodiscard]] bool close();

 private:
  int fd_ = -1;
};

// Opens an existing file for reading, or for reading and writing. Throws
// dbf_error: not_found (no such file or folder), in_use (access refused),
// read_only (readable but not writable, when writing was asked for),
// disk_error (anything else). what names the file in the reason.
[[nodiscard]] file_handle open_existing(const QString& native_path, bool for_writing, const QString& what);

[[nodiscard]] qint64 file_size(const file_handle& f, const QString& what);

// The whole file from its start. Throws disk_error.
[[nodiscard]] QByteArray read_all(const file_handle& f, const QString& what);

// Exactly n bytes at offset; a short read (the file shrank) throws
// bad_format, a failed one disk_error.
void read_at(const file_handle& f, qint64 offset, char* buffer, qint64 n, const QString& what);

// All n bytes at offset. Throws disk_error (disk full, network gone).
void write_at(const file_handle& f, qint64 offset, const char* data, qint64 n, const QString& what);

// Makes the file exactly size bytes long. Throws disk_error.
void truncate_to(const file_handle& f, qint64 size, const QString& what);

// Flushes the file's bytes to the disk. Throws disk_error.
void sync_file(const file_handle& f, const QString& what);

// Flushes the entries of the file's folder to the disk, so that a rename
// or a new file there outlasts a power cut. Failures are passed over.
void sync_folder_of(const QString& native_file);

// Replaces (or creates) each file with its bytes: every file is first
// written and flushed to a temporary file in its own folder
// ("<name>.<8 hex digits>.tmp", one tag for the files of one replacement),
// then the temporaries are renamed over the targets in the order given,
// and their folders synced.
// Every target but the last is kept aside ("<name>.<tag>.old") until the
// last is in place: when a rename fails, the files already renamed get
// their old bytes back, so the files stay a pair of one generation (give
// the memo file first and its table last). An existing file's permissions
// are kept. Throws disk_error (read_only when the folder cannot be written),
// or dbf_file_held_open (dbf_error.h) when a rename is refused because
// another program has the file open, as a file server refuses it while
// another computer has the file open, and everything was put back.
// Each rename is a file_step::table_rename of the file layer's fault hook
// (platform/file_faults.h), through which tests make one fail.
// When last_file is given it receives the descriptor of the last file, now
// in place, open for reading and writing and still holding the table lock
// its temporary had, so that a table held open goes on with its new file
// without opening it again (an opening that could fail after the change).
void replace_files(const std::vector<std::pair<QString, QByteArray>>& files,
                   file_handle* last_file = nullptr);

// Makes an empty temporary file beside native_target, named as
// replace_files names its temporaries, and returns it locked for as long as
// the handle lives, so that remove_stale_temporaries leaves it alone while
// another writer (a library that writes by name) fills it. Throws
// dbf_error (read_only when the folder cannot be written).
[[nodiscard]] file_handle create_temporary_beside(const QString& native_target, QString& temp_path);

// Settles what replacements that never finished (the program was killed
// or the machine stopped) left beside the table at dbf_path: its own and
// its memo file's temporaries and asides, of the naming replace_files
// uses. Only leftovers no process holds a lock on are touched: a memo file
// kept aside is put back when its table was never replaced (so the old
// table keeps its old memo file), else removed; temporaries are removed.
// Failures are passed over.
void remove_stale_temporaries(const QString& dbf_path);

// The file in the folder of dbf_path with the same base name and the
// extension ext (such as "dbt"): the exact spelling when present, else the
// one whose name matches case-insensitively, else the exact spelling.
QString sibling_path(const QString& dbf_path, const QString& ext);

}  // namespace km::platform::dbf_io
