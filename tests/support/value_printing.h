#pragma once
// Lets GoogleTest print loose values and texts in failure messages.

#include <QString>
#include <ostream>

#include "platform/value.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace km::platform {

inline void PrintTo(const Value& value, std::ostream* os) {
  static const char* const kinds[] = {"empty",  "null", "int16",   "int32", "single",
                                      "double", "date", "boolean", "text"};
  *os << kinds[static_cast<int>(value.kind())];
  if (!value.is_empty() && !value.is_null()) *os << '(' << value.to_text().toStdString() << ')';
}

}  // namespace km::platform
