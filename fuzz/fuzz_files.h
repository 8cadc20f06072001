#pragma once
// What the fuzz targets share: a temporary drive C: for the readers that
// take Windows paths, and the input written to a file there.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/drive_map.h"

namespace km::fuzz {

// The native folder of drive C:, made on first use and kept for the run.
inline const QString& drive_c() {
  static QTemporaryDir dir;
  static const QString folder = [] {
    if (!dir.isValid()) std::abort();
    platform::drive_map map;
    map.set_drive(QLatin1Char('C'), dir.path());
    platform::set_drive_map(map);
    platform::set_current_directory(QStringLiteral("C:\\"));
    return dir.path();
  }();
  return folder;
}

// Writes bytes to a file of drive C: (name as it is on disk) and returns its
// native path.
inline QString write_file(const QString& name, const char* data, std::size_t size) {
  const QString path = drive_c() + QLatin1Char('/') + name;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(data, qint64(size)) != qint64(size))
    std::abort();
  return path;
}

inline QString write_input(const QString& name, const std::uint8_t* data, std::size_t size) {
  return write_file(name, reinterpret_cast<const char*>(data), size);
}

}  // namespace km::fuzz
