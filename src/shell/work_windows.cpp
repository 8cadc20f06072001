#include "shell/work_windows.h"

#include "platform/ui/window_registry.h"

namespace km {

namespace {

// Exit paths that keep opening windows for each other end here.
constexpr int most_windows_asked = 200;

platform::form* last_window_to_close(const QStringList& keep) {
  const QList<platform::form*> windows = platform::loaded_forms();
  for (auto it = windows.crbegin(); it != windows.crend(); ++it)
    if (!keep.contains((*it)->name(), Qt::CaseInsensitive)) return *it;
  return nullptr;
}

}  // namespace

bool close_windows_orderly(const QStringList& keep) {
  for (int asked = 0; asked < most_windows_asked; ++asked) {
    platform::form* window = last_window_to_close(keep);
    if (!window) return true;
    window->request_close();
    if (platform::is_loaded(window)) return false;
  }
  return last_window_to_close(keep) == nullptr;
}

}  // namespace km
