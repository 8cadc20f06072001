#include "datafiles/checked_files.h"

#include <QFile>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/sync_file.h"
#include "platform/value.h"
#include "platform/win_path.h"

namespace km {

pooled_file_number::pooled_file_number() : number_(get_free_file_number(0)) {}

pooled_file_number::~pooled_file_number() { abandon_file(number_); }

QByteArray file_bytes(const QString& win_path) {
  QFile file(platform::to_native_path(win_path));
  if (!file.open(QIODevice::ReadOnly))
    throw platform::file_error(platform::file_error::kind::permission_denied, win_path, file.errorString());
  return file.readAll();
}

void copy_checked(const QString& source, const QString& destination) {
  platform::copy_file(source, destination, true);
  if (file_bytes(destination) != file_bytes(source)) {
    throw platform::file_error(platform::file_error::kind::other, destination,
                               QStringLiteral("the copy differs from its source"));
  }
}

void make_empty_file(const QString& win_path) {
  if (platform::file_exists(win_path)) return;
  pooled_file_number number;
  platform::open_file(number.get(), win_path, platform::open_mode::binary);
}

void write_date_marker(const QString& win_path) {
  // Written whole under a work name and put in place, so that a marker is
  // never there empty: a stopped write leaves no marker, and the work file
  // (with what its own write left) goes at the next try.
  const QString work = win_path + QStringLiteral(".new");
  platform::remove_write_leftovers(work);
  if (platform::file_exists(work)) platform::delete_file(work, true);
  removing_on_failure(work, [&] {
    g_file_number2 = get_free_file_number(1);
    try {
      platform::open_file(g_file_number2, work, platform::open_mode::output);
      platform::write_fields(g_file_number2, {platform::Value::date(platform::today())});
    } catch (...) {
      abandon_file(g_file_number2);
      throw;
    }
    close_file(g_file_number2);
  });
  put_in_place(work, win_path);
}

void removing_on_failure(const QString& work_file, const std::function<void()>& write) {
  try {
    write();
  } catch (const platform::file_error&) {
    try {
      if (platform::file_exists(work_file)) platform::delete_file(work_file, true);
    } catch (const platform::file_error&) {
      // Left for the next run, which removes a work file before it starts.
    }
    throw;
  }
}

void put_in_place(const QString& work_file, const QString& target) {
  removing_on_failure(work_file, [&] {
    platform::sync_file(work_file);
    platform::replace_file(work_file, target);
  });
}

}  // namespace km
