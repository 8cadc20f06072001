#pragma once
// Byte helpers for tests that check files byte for byte.

#include <QByteArray>
#include <QString>
#include <initializer_list>

namespace km::test {

// "00 00 C8 42" style text of bytes, for readable failure messages.
QString hex(const QByteArray& bytes);

// Bytes from a list of values 0..255.
QByteArray bytes(std::initializer_list<int> values);

// The whole content of a native file ("" when it cannot be read).
QByteArray read_native_file(const QString& path);

}  // namespace km::test
