#include "support/hex_dump.h"

#include <QFile>

namespace km::test {

QString hex(const QByteArray& bytes) {
  QString out;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (i) out += ' ';
    out += QString::asprintf("%02X", static_cast<unsigned char>(bytes[i]));
  }
  return out;
}

QByteArray bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QByteArray read_native_file(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

}  // namespace km::test
