#pragma once
// The program as a whole: its title, its end, and the guard that keeps
// exceptions out of the window system's event dispatch.

#include <QString>
#include <exception>
#include <functional>

namespace km::platform {

// Thrown by end_program. The application's main catches it and quits;
// tests expect it.
class program_ended : public std::exception {
 public:
  const char* what() const noexcept override { return "the program has ended"; }
};

// "KORVA-MARKS": the caption of message boxes given no title, the tray tip.
QString program_title();

// Ends the program at once: runs the end hooks (last added first), gives up
// every numbered file (an output nobody closed is abandoned and the old file
// stays whole) and throws program_ended. A hook that fails does not stop the
// others or the giving up of the files.
[[noreturn]] void end_program();

// Steps to take before the files close (the tray icon, lock records ...).
// add_end_hook returns an id for remove_end_hook.
int add_end_hook(std::function<void()> hook);
void remove_end_hook(int id);

// True once end_program has run (until reset_for_tests).
bool program_has_ended();

// True once, after run_handler caught program_ended: the wait that asks
// (pump_events) throws it again so the code below it stops too.
bool take_pending_program_end();

// Runs an event handler that the window system calls (a button click, a
// timer tick): no exception leaves it. program_ended marks the end and asks
// the event loop to quit; the next wait of the program (see pump_events)
// throws it again in plain code. Any other failure is reported in a
// critical message box ("UNEXPECTED ERROR: " and its text, "The step was
// stopped; the program goes on.", in the dialogs' language) and the
// program goes on.
void run_handler(const std::function<void()>& handler);

}  // namespace km::platform
