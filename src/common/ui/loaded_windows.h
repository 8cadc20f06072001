#pragma once
// Unloading a window only when it is loaded.

#include <QString>

#include "platform/ui/form.h"

namespace km {

// Unloads the window when it is loaded; otherwise nothing happens. A
// failure is shown in a message box and the caller goes on.
void unload_form_if_loaded(platform::form* window);
void unload_form_if_loaded(const QString& name);

}  // namespace km
