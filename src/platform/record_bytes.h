#pragma once
// The little-endian numbers of record bytes, read and written at a byte
// offset: the one place where the record files' number encoding is spelt.

#include <QByteArray>
#include <QtEndian>
#include <cstring>

namespace km::platform {

template <typename T>
T load_le(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

template <typename T>
void store_le(QByteArray& bytes, int offset, T value) {
  qToLittleEndian<T>(value, bytes.data() + offset);
}

inline float load_single(const QByteArray& bytes, int offset) {
  const quint32 bits = load_le<quint32>(bytes, offset);
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

inline double load_double(const QByteArray& bytes, int offset) {
  const quint64 bits = load_le<quint64>(bytes, offset);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

inline void store_single(QByteArray& bytes, int offset, float v) {
  quint32 bits;
  std::memcpy(&bits, &v, sizeof bits);
  store_le<quint32>(bytes, offset, bits);
}

inline void store_double(QByteArray& bytes, int offset, double v) {
  quint64 bits;
  std::memcpy(&bits, &v, sizeof bits);
  store_le<quint64>(bytes, offset, bits);
}

}  // namespace km::platform
