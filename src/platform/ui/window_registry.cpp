#include "platform/ui/window_registry.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <algorithm>

#include "platform/form_timer.h"
#include "platform/loaded_window_seam.h"
#include "platform/services.h"

namespace km::platform {

namespace {

struct registry_state {
  QList<QPointer<form>> loaded;            // in load order
  QHash<QString, form_factory> factories;  // by lower-case name
  QSet<const form*> unloading;             // windows whose unload hooks are running
};

registry_state& state() {
  static registry_state s;
  return s;
}

// Drops the entries of windows that were deleted without an unload.
QList<QPointer<form>>& loaded_list() {
  auto& list = state().loaded;
  list.removeIf([](const QPointer<form>& p) { return p.isNull(); });
  return list;
}

QString factory_key(const QString& name) { return name.toLower(); }

void stop_timers(form* window) {
  for (form_timer* t : window->findChildren<form_timer*>()) t->set_enabled(false);
}

// A test ends with every window it left deleted at once (no hooks asked),
// before the files close, and with no window registered.
void delete_every_window() {
  const QList<form*> windows = loaded_forms();
  state().loaded.clear();
  state().unloading.clear();
  for (form* window : windows) {
    stop_timers(window);
    window->hide();
    delete window;
  }
  if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const reset_step no_windows{reset_stage::windows, delete_every_window};
const reset_step no_factories{reset_stage::values, [] { state().factories.clear(); }};

// The logic below the windows counts and closes windows through the seam
// (loaded_window_seam.h); it is in place whenever the registry is linked in.
const bool seam_in_place = [] {
  set_loaded_window_routines({&loaded_count, [] {
                                if (form* last = last_loaded_form()) unload_form(last);
                              }});
  return true;
}();

}  // namespace

void register_form(const QString& name, form_factory factory) {
  state().factories.insert(factory_key(name), std::move(factory));
}

bool has_form_factory(const QString& name) { return state().factories.contains(factory_key(name)); }

void unregister_form(const QString& name) { state().factories.remove(factory_key(name)); }

form* load_form(const QString& name) {
  if (form* f = find_form(name)) return f;
  const auto it = state().factories.constFind(factory_key(name));
  if (it == state().factories.constEnd()) return nullptr;
  form* made = (*it)();
  if (!made) return nullptr;
  if (made->objectName().isEmpty()) made->setObjectName(name);
  return load_form(made);
}

form* load_form(form* window) {
  if (!window) return nullptr;
  if (is_loaded(window)) return window;
  loaded_list().append(window);
  QPointer<form> guard(window);
  window->on_load();
  if (!guard || !is_loaded(guard.data())) return nullptr;
  return window;
}

form* find_form(const QString& name) {
  for (const QPointer<form>& p : loaded_list())
    if (p->objectName().compare(name, Qt::CaseInsensitive) == 0) return p.data();
  return nullptr;
}

bool is_loaded(const QString& name) { return find_form(name) != nullptr; }

bool is_loaded(const form* window) {
  if (!window) return false;
  return std::any_of(loaded_list().cbegin(), loaded_list().cend(),
                     [window](const QPointer<form>& p) { return p.data() == window; });
}

int loaded_count() { return int(loaded_list().size()); }

form* loaded_form(int index) {
  const auto& list = loaded_list();
  return index >= 0 && index < list.size() ? list[index].data() : nullptr;
}

QList<form*> loaded_forms() {
  QList<form*> out;
  for (const QPointer<form>& p : loaded_list()) out.append(p.data());
  return out;
}

form* last_loaded_form() {
  const auto& list = loaded_list();
  return list.isEmpty() ? nullptr : list.last().data();
}

form* show_form(const QString& name, bool modal) {
  form* window = load_form(name);
  if (!window) return nullptr;
  QPointer<form> guard(window);
  show_form(window, modal);
  return guard.data();
}

void show_form(form* window, bool modal) {
  if (!window) return;
  if (modal)
    window->show_modal();
  else
    window->show_modeless();
}

void hide_form(const QString& name) {
  if (form* window = find_form(name)) window->hide();
}

bool unload_form(form* window, unload_reason reason) {
  if (!is_loaded(window) || state().unloading.contains(window)) return false;
  QPointer<form> guard(window);
  state().unloading.insert(window);
  struct unloading_mark {
    const form* window;
    ~unloading_mark() { state().unloading.remove(window); }
  } mark{window};
  if (!window->query_unload(reason)) return false;
  if (guard) window->on_unload();
  loaded_list().removeIf([window](const QPointer<form>& p) { return p.data() == window; });
  if (!guard) return true;
  stop_timers(window);
  window->hide();
  window->setWindowModality(Qt::NonModal);
  // Deleted once control is back in the event loop: the unload may come
  // from one of the window's own handlers.
  window->deleteLater();
  return true;
}

bool unload_form(const QString& name) { return unload_form(find_form(name)); }

void unload_all_but(const QString& keep_name) {
  for (form* window : loaded_forms())
    if (window->objectName() != keep_name) unload_form(window);
}

}  // namespace km::platform
