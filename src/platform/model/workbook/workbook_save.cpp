#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/dialog_language.h"
#include "platform/folder_listing_cache.h"
#include "platform/model/workbook/workbook.h"
#include "platform/model/workbook/xlsx_writer.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

QString language_text(const char* afrikaans, const char* english) {
  return in_language(current_dialog_language(), QString::fromUtf8(afrikaans), QString::fromUtf8(english));
}

QString system_text(int error_number) { return QString::fromLocal8Bit(std::strerror(error_number)); }

// Flushes the written workbook to the disk before it replaces the old one.
bool synced(const QByteArray& path) {
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool done = ::fsync(fd) == 0;
  ::close(fd);
  return done;
}

// The new file keeps the access rights of the file it replaces.
void keep_mode(const QByteArray& from_target, const QByteArray& to_temporary) {
  struct stat st {};
  if (::stat(from_target.constData(), &st) == 0 && S_ISREG(st.st_mode))
    ::chmod(to_temporary.constData(), st.st_mode & 07777);
}

}  // namespace

// The file is written whole under a temporary name in the target's folder
// and renamed over the target only then, so a save that fails part way
// leaves an older file of that name as it was and no half-written file.
bool workbook::save(const QString& win_path, QString& error) const {
  const QString native = to_native_path(win_path);
  if (native.isEmpty() || !QFileInfo(QFileInfo(native).absolutePath()).isDir()) {
    error = language_text("Die gids van die lêer bestaan nie.", "The folder of the file does not exist.");
    return false;
  }
  // What killed saves of this workbook left beside it goes first; the new
  // temporary stays locked while it is written, so that no other save's
  // clean-up takes it.
  dbf_io::remove_stale_temporaries(native);
  QString temporary;
  dbf_io::file_handle held;
  try {
    held = dbf_io::create_temporary_beside(native, temporary);
  } catch (const dbf_error& e) {
    error = language_text("Die werkboek kon nie geskryf word nie: ", "The workbook could not be written: ") +
            e.text();
    return false;
  }
  const QByteArray temporary_bytes = QFile::encodeName(temporary);
  const QByteArray target_bytes = QFile::encodeName(native);

  std::vector<const worksheet*> sheets;
  for (const auto& s : sheets_) sheets.push_back(s.get());
  QString reason;
  if (!write_xlsx(sheets, temporary_bytes, reason)) {
    ::unlink(temporary_bytes.constData());
    error = language_text("Die werkboek kon nie geskryf word nie: ", "The workbook could not be written: ") +
            reason;
    return false;
  }
  keep_mode(target_bytes, temporary_bytes);
  if (!synced(temporary_bytes) || std::rename(temporary_bytes.constData(), target_bytes.constData()) != 0) {
    const int failure = errno;
    ::unlink(temporary_bytes.constData());
    error = language_text("Die nuwe werkboek kon nie die lêer vervang nie: ",
                          "The new workbook could not replace the file: ") +
            system_text(failure);
    return false;
  }
  folder_listing::note_created(native);
  dbf_io::sync_folder_of(native);
  return true;
}

}  // namespace km::platform
