#pragma once
// The loaded windows of the program, by name, in the order they were
// loaded. Each window exists once: loading a window that is loaded gives
// the one there is. Windows are made by factories registered under their
// names, so a lower layer can open a window of a higher one by name.
// The registry owns the windows it holds; an unloaded window is deleted
// once control is back in the event loop.

#include <QList>
#include <QString>
#include <functional>

#include "platform/ui/form.h"

namespace km::platform {

using form_factory = std::function<form*()>;

// Registers (or replaces) the factory of a window name.
void register_form(const QString& name, form_factory factory);
bool has_form_factory(const QString& name);
void unregister_form(const QString& name);

// The loaded window of this name (case-insensitive), loading it through its
// factory when it is not loaded; on_load runs once at loading. nullptr when
// no factory is registered, or when the window unloaded itself in on_load.
form* load_form(const QString& name);
// Loads a window made by the caller; the registry takes it over. Returns it,
// or nullptr when it unloaded itself in on_load. A window already loaded is
// returned as it is.
form* load_form(form* window);

// The loaded window of this name (case-insensitive), or nullptr.
form* find_form(const QString& name);
bool is_loaded(const QString& name);
// Compares addresses only: safe with a window that is already gone.
bool is_loaded(const form* window);

int loaded_count();
// By position in load order, 0 first; nullptr outside the range.
form* loaded_form(int index);
QList<form*> loaded_forms();
// The window loaded last, or nullptr.
form* last_loaded_form();

// Loads when needed and shows. show_form(name, true) returns when the window
// is hidden or unloaded. Returns the window, or nullptr when it could not be
// loaded.
form* show_form(const QString& name, bool modal = false);
void show_form(form* window, bool modal = false);
void hide_form(const QString& name);

// Unloads: query_unload may refuse, then on_unload runs, its timers stop,
// the window is hidden and leaves the list. Returns false when refused or
// not loaded.
bool unload_form(form* window, unload_reason reason = unload_reason::code);
bool unload_form(const QString& name);
// Unloads every window whose name is not exactly keep_name.
void unload_all_but(const QString& keep_name);

}  // namespace km::platform
