#include "marks/marks_windows.h"

#include "marks/obe_inlees.h"
#include "marks/punte_druk.h"
#include "marks/punte_inlees.h"
#include "platform/ui/window_registry.h"

namespace km {

void register_marks_windows() {
  platform::register_form(QStringLiteral("punte_inlees"), [] { return new punte_inlees(); });
  platform::register_form(QStringLiteral("obe_inlees"), [] { return new obe_inlees(); });
  platform::register_form(QStringLiteral("punte_druk"), [] { return new punte_druk(); });
}

}  // namespace km
