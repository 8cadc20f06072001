#include "common/ui/loaded_windows.h"

#include <stdexcept>

#include "platform/dialogs.h"
#include "platform/program.h"
#include "platform/ui/window_registry.h"

namespace km {

using platform::form;

void unload_form_if_loaded(form* window) {
  try {
    for (int i = 0; i < platform::loaded_count(); ++i) {
      if (platform::loaded_form(i) == window) {
        platform::unload_form(window);
        break;
      }
    }
  } catch (const platform::program_ended&) {
    throw;
  } catch (const std::exception& e) {
    platform::message_box(QString::fromUtf8(e.what()));
  }
}

void unload_form_if_loaded(const QString& name) { unload_form_if_loaded(platform::find_form(name)); }

}  // namespace km
