#include "support/temp_drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/numbered_files.h"

namespace km::test {

temp_drives::temp_drives() : saved_(km::platform::save_path_state()) {
  if (!dir_.isValid()) throw std::runtime_error("no temporary directory for the test drives");
  for (QChar letter : {QLatin1Char('C'), QLatin1Char('D')}) add_drive(letter);
  km::platform::set_current_directory(QStringLiteral("C:\\"));
}

temp_drives::~temp_drives() {
  try {
    km::platform::close_all_numbered_files();
  } catch (...) {
    // A test that left an output file open may fail to put it in place;
    // the temporary folder goes away all the same.
  }
  km::platform::restore_path_state(saved_);
}

QString temp_drives::base() const { return dir_.path(); }

QString temp_drives::native_drive(QChar letter) const { return map_.drives.value(letter.toUpper()); }

QString temp_drives::add_drive(QChar letter) {
  const QString folder = make_native_folder(QString(letter.toUpper()));
  map_.set_drive(letter, folder);
  apply();
  return folder;
}

void temp_drives::remove_drive(QChar letter) {
  map_.drives.remove(letter.toUpper());
  apply();
}

QString temp_drives::add_share(const QString& unc_root) {
  QString name = unc_root;
  name.replace(QLatin1Char('\\'), QLatin1Char('_'));
  const QString folder = make_native_folder(QStringLiteral("share") + name);
  map_.set_share(unc_root, folder);
  apply();
  return folder;
}

QString temp_drives::write_native(const QString& relative, const QByteArray& bytes) {
  const QString path = dir_.filePath(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write a test file");
  return path;
}

QString temp_drives::make_native_folder(const QString& relative) {
  const QString path = QDir::cleanPath(dir_.filePath(relative));
  QDir().mkpath(path);
  return path;
}

void temp_drives::apply() { km::platform::set_drive_map(map_); }

}  // namespace km::test
