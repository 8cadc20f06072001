#pragma once
// The name of a code's record file exactly as the opener's file-code table
// spells it, so that a build makes the very file the opening looks for and
// a name is never spelt twice.

#include <QString>
#include <stdexcept>
#include <string>

#include "common/file_code_table.h"

namespace km {

inline QString code_file_name(const char* code) {
  const file_code_entry* entry = find_file_code(QLatin1String(code));
  if (entry == nullptr) throw std::logic_error(std::string("no file code ") + code);
  return QLatin1String(entry->file_name);
}

}  // namespace km
