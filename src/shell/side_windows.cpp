#include "shell/side_windows.h"

#include "platform/ui/window_registry.h"
#include "shell/acrobat_interface.h"
#include "shell/cre8_korva_admin_from_nw_admin.h"
#include "shell/math_calc.h"
#include "shell/sk0_floating.h"
#include "shell/statistics.h"

namespace km {

void register_side_windows() {
  platform::register_form("MathCalc", [] { return new MathCalc; });
  platform::register_form("acrobat_interface", [] { return new acrobat_interface; });
  platform::register_form("sk0_floating", [] { return new sk0_floating; });
  platform::register_form("statistics", [] { return new statistics; });
  platform::register_form("cre8_korva_admin_from_nw_admin",
                          [] { return new cre8_korva_admin_from_nw_admin; });
}

}  // namespace km
