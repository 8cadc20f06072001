#include "markbook/markbook_windows.h"

#include "markbook/pboek_druk.h"
#include "markbook/pboek_inlees.h"
#include "markbook/pboek_opstel.h"
#include "markbook/pboek_uitvoer.h"
#include "markbook/simbole_druk.h"
#include "platform/ui/window_registry.h"

namespace km {

void register_markbook_windows() {
  platform::register_form(QStringLiteral("pboek_opstel"), [] { return new pboek_opstel(); });
  platform::register_form(QStringLiteral("pboek_inlees"), [] { return new pboek_inlees(); });
  platform::register_form(QStringLiteral("pboek_druk"), [] { return new pboek_druk(); });
  platform::register_form(QStringLiteral("simbole_druk"), [] { return new simbole_druk(); });
  platform::register_form(QStringLiteral("pboek_uitvoer"), [] { return new pboek_uitvoer(); });
}

}  // namespace km
