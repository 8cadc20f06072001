// Lets GoogleTest print loose values and texts in failure messages. Every
// test program includes it ahead of each file (its precompiled header), so
// it is guarded by a macro: #pragma once is not kept across a precompiled
// header.
#ifndef KM_TEST_VALUE_PRINTING_H
#define KM_TEST_VALUE_PRINTING_H

#include <QString>
#include <ostream>

#include "platform/value.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(QChar c, std::ostream* os) {
  *os << '\'' << QString(c).toStdString() << "' (U+"
      << QString::number(c.unicode(), 16).toUpper().toStdString() << ')';
}
QT_END_NAMESPACE

namespace km::platform {

inline void PrintTo(const Value& value, std::ostream* os) {
  static const char* const kinds[] = {"empty",  "null", "int16",   "int32", "single",
                                      "double", "date", "boolean", "text"};
  *os << kinds[static_cast<int>(value.kind())];
  if (!value.is_empty() && !value.is_null()) *os << '(' << value.to_text().toStdString() << ')';
}

}  // namespace km::platform

#endif  // KM_TEST_VALUE_PRINTING_H
