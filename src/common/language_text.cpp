#include "common/language_text.h"

#include "common/shared_variables.h"

namespace km {

QString in_language(QStringView afrikaans, QStringView english) {
  return (g_language ? afrikaans : english).toString();
}

}  // namespace km
