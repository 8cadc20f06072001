#include "markbook/markbook_windows.h"

#include "markbook/pboek_opstel.h"
#include "platform/ui/window_registry.h"

namespace km {

void register_markbook_windows() {
  platform::register_form(QStringLiteral("pboek_opstel"), [] { return new pboek_opstel(); });
}

}  // namespace km
