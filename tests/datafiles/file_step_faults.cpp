#include "file_step_faults.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "platform/file_error.h"

namespace km::test {

file_step_faults::file_step_faults(step_fault fault, int at) {
  platform::set_file_fault_hook([this, fault, at](platform::file_step step, const QString& path) {
    ++steps_;
    paths_ << path;
    kinds_.push_back(step);
    if (fault == step_fault::none || steps_ < at) return;
    // A folder that cannot be written still lets a file in it be opened
    // for writing; what is written to it, made, renamed or removed is refused.
    if (fault == step_fault::read_only && step == platform::file_step::open_write && QFileInfo(path).isFile())
      return;
    if (fault == step_fault::stop) throw stopped_at_step{};
    if (fault == step_fault::read_only)
      throw platform::file_error(platform::file_error::kind::permission_denied, path,
                                 QStringLiteral("read-only"));
    if (steps_ == at)
      throw platform::file_error(platform::file_error::kind::disk_full, path, QStringLiteral("disk full"));
  });
}

file_step_faults::~file_step_faults() { platform::set_file_fault_hook({}); }

folder_state state_of_folder(const QString& native_folder) {
  folder_state state;
  const QDir root(native_folder);
  QDirIterator it(native_folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot read " << path.toStdString();
    state[root.relativeFilePath(path)] = f.readAll();
  }
  return state;
}

std::string describe(const folder_state& state) {
  std::string out;
  for (const auto& [name, bytes] : state) {
    out += name.toStdString() + " " + std::to_string(bytes.size()) + " " +
           QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(8).toStdString() + "\n";
  }
  return out;
}

void copy_native_folder(const QString& from, const QString& to) {
  QDir().mkpath(to);
  const QDir root(from);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = to + u'/' + root.relativeFilePath(path);
    if (QFileInfo(path).isDir())
      QDir().mkpath(target);
    else if (!QFile::copy(path, target))
      ADD_FAILURE() << "cannot copy " << path.toStdString();
  }
}

}  // namespace km::test
