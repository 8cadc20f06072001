#pragma once
// The process-wide services of the program in one place: the pieces a test
// puts its own stand-in in place of (clock, dialogs, system information,
// program launcher, document opener, the CUPS client) and the places the program finds its
// files (drive map and current directory, registry file, desktop folder,
// program file, instance lock file, PDF folder). Each module keeps its own
// accessor (clock(), launcher(), active_drive_map() ...); they read and
// write this object.
//
// reset_for_tests() puts the services back to their defaults and every
// other piece of process-wide state (open files, windows, end hooks, the
// shared variables ...) back to its start. A module that keeps such state
// registers the step that resets it with a reset_step object beside the
// state, so a module registers its step exactly when it is linked in, and
// this layer needs to know nothing of the layers above it.

#include <QString>
#include <optional>

#include "platform/drive_map.h"

namespace km::platform {

class clock_source;
class dialog_service;
class system_info_provider;
class program_launcher;
class document_opener;
class cups_client;

struct services_t {
  clock_source* clock = nullptr;                // nullptr: the system clock
  dialog_service* dialogs = nullptr;            // nullptr: a stand-in that refuses every prompt
  system_info_provider* system_info = nullptr;  // nullptr: the running system
  program_launcher* launcher = nullptr;         // nullptr: the operating system's
  document_opener* opener = nullptr;            // nullptr: the desktop's
  cups_client* cups = nullptr;                  // nullptr: the system's CUPS through libcups

  std::optional<drive_map> drives;  // empty: the default map, loaded on first use
  QString current_directory = QStringLiteral("C:\\");
  QString registry_file;       // "": C:\Windows\registry.ini
  QString desktop_folder;      // native; "": the user's desktop
  QString program_file_path;   // "": found from drives.ini or the running binary
  QString instance_lock_file;  // native; "": at the root of C:
  QString pdf_folder;          // native; "": KORVA-MARKS in the documents folder
};

// The services in use. Not owned: whoever puts a service in place keeps it
// alive while it is there.
services_t& services();

// The services reset_for_tests() puts back. Without a call, the program's
// own (a default services_t); a test main sets safe stand-ins here.
void set_default_services(const services_t& defaults);

// Puts the services back to their defaults and runs every registered reset
// step: first the windows, then the open files and locks (while the
// services the test put in place are still there), then the services, then
// the plain values.
void reset_for_tests();

enum class reset_stage { windows, open_files, values };

// A step of reset_for_tests(), registered when the object is made; modules
// keep one at namespace scope beside the state it resets:
//
//   const reset_step reset_timers{reset_stage::values, [] { ... }};
class reset_step {
 public:
  reset_step(reset_stage stage, void (*step)());
};

}  // namespace km::platform
