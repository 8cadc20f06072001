#include "platform/program.h"

#include <QCoreApplication>
#include <QThread>
#include <utility>
#include <vector>

#include "platform/dialog_language.h"
#include "platform/dialogs.h"
#include "platform/numbered_files.h"
#include "platform/services.h"

namespace km::platform {

namespace {

struct end_hook_entry {
  int id;
  std::function<void()> hook;
};

std::vector<end_hook_entry>& end_hooks() {
  static std::vector<end_hook_entry> hooks;
  return hooks;
}

int g_next_hook_id = 1;
bool g_ended = false;
bool g_ending = false;
bool g_end_pending = false;

// A test starts with a program that has not ended and no end hooks.
void fresh_program() {
  g_ended = false;
  g_ending = false;
  g_end_pending = false;
  end_hooks().clear();
}
const reset_step fresh_program_at_reset{reset_stage::values, fresh_program};

// Shows a failure met while the program ends; nothing may stop the end.
void report_quietly(const QString& text) {
  try {
    message_box(text, msg_buttons::ok, msg_icon::critical);
  } catch (...) {
  }
}

// A handler's failure as the user sees it: its own text, framed in the
// chosen language.
QString handler_failure_text(const QString& detail) {
  const dialog_language language = current_dialog_language();
  return in_language(language, QStringLiteral("ONVERWAGTE FOUT: "), QStringLiteral("UNEXPECTED ERROR: ")) +
         detail + QStringLiteral("\r\n\r\n") +
         in_language(language, QStringLiteral("Die stap is gestaak; die program gaan voort."),
                     QStringLiteral("The step was stopped; the program goes on."));
}

}  // namespace

QString program_title() { return QStringLiteral("KORVA-MARKS"); }

void end_program() {
  // A hook that ends the program itself must not run the hooks again.
  if (!g_ending) {
    g_ending = true;
    // Take the hooks out first: a hook may add or remove others.
    std::vector<end_hook_entry> hooks;
    std::swap(hooks, end_hooks());
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
      try {
        it->hook();
      } catch (const program_ended&) {
      } catch (const std::exception& e) {
        report_quietly(QString::fromUtf8(e.what()));
      } catch (...) {
      }
    }
    // What was not closed by now is unfinished: abandoned, never committed.
    close_all_numbered_files();
    g_ended = true;
    g_ending = false;
  }
  throw program_ended();
}

int add_end_hook(std::function<void()> hook) {
  const int id = g_next_hook_id++;
  end_hooks().push_back({id, std::move(hook)});
  return id;
}

void remove_end_hook(int id) {
  auto& hooks = end_hooks();
  std::erase_if(hooks, [id](const end_hook_entry& e) { return e.id == id; });
}

bool program_has_ended() { return g_ended; }

bool take_pending_program_end() { return std::exchange(g_end_pending, false); }

void run_handler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const program_ended&) {
    g_ended = true;
    g_end_pending = true;
    // Leave the running event loops; with none running (a test calling a
    // handler directly) there is nothing to leave.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
  } catch (const std::exception& e) {
    report_quietly(handler_failure_text(QString::fromUtf8(e.what())));
  } catch (...) {
    report_quietly(handler_failure_text(QStringLiteral("Unknown error")));
  }
}

}  // namespace km::platform
