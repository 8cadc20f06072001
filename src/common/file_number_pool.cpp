#include "common/file_number_pool.h"

#include <exception>
#include <stdexcept>
#include <string>

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/services.h"

namespace km {

std::function<void(const QString& folder)> g_close_all_release_locks_hook;
std::function<void()> g_close_all_reopen_school_hook;

namespace {

// Installed by the application at start; a test installs them itself.
void no_close_all_hooks() {
  g_close_all_release_locks_hook = nullptr;
  g_close_all_reopen_school_hook = nullptr;
}
const platform::reset_step no_close_all_hooks_at_reset{platform::reset_stage::values, no_close_all_hooks};

}  // namespace

namespace {

constexpr std::int16_t short_pool_first = 11;
constexpr std::int16_t short_pool_last = 100;
constexpr std::int16_t record_pool_first = 101;
constexpr std::int16_t record_pool_last = 511;

// A number used as an index into the pool tables; anything else is a
// programming fault of the caller.
std::size_t slot(std::int16_t number, const char* routine) {
  if (number < 0 || number >= file_number_slots) {
    throw std::out_of_range(std::string(routine) + ": file number " + std::to_string(number) +
                            " is outside 0..511");
  }
  return static_cast<std::size_t>(number);
}

void free_slot(std::size_t n) {
  g_file_in_use[n] = 0;
  g_file_folder[n].clear();
  g_file_code[n].clear();
}

// Gives up every file and forgets every number, then lets the modules above
// release the lock record and reopen the school record. An output file
// nobody closed is abandoned: its old file stays whole.
void close_all() {
  platform::close_all_numbered_files();
  g_file_in_use.fill(0);
  g_file_folder.fill(QString());
  g_file_code.fill(QString());
  g_open_file_count = 0;
  reset_file_number_globals();
  if (g_close_all_release_locks_hook) g_close_all_release_locks_hook(g_data_folder);
  if (g_close_all_reopen_school_hook) g_close_all_reopen_school_hook();
}

// close_file and abandon_file: gives the number back, committing the text
// of an output file or abandoning it. The bookkeeping is done even when the
// commit fails; the failure is passed on after it.
void release_file(std::int16_t& number, bool commit, const char* routine) {
  if (number == 0) return;
  if (number == close_all_files) {
    close_all();
    return;
  }
  const std::size_t n = slot(number, routine);
  std::exception_ptr close_failure;
  if (commit) {
    try {
      platform::close_numbered_file(number);
    } catch (const platform::file_error&) {
      close_failure = std::current_exception();
    }
  } else {
    platform::abandon_numbered_file(number);
  }
  free_slot(n);
  if (g_open_file_count > 0) --g_open_file_count;
  forget_file_number(number);
  number = 0;
  if (close_failure) std::rethrow_exception(close_failure);
}

// No free number is left in the pool asked for: the program cannot go on.
[[noreturn]] void stop_for_exhausted_pool() {
  platform::message_box(QStringLiteral("System error!\r\nAll available File Handles are used!\r\n"
                                       "System will now terminate... Please reload."),
                        platform::msg_buttons::ok, platform::msg_icon::critical);
  try {
    std::int16_t all = close_all_files;
    close_file(all);
  } catch (const platform::file_error&) {
    // The program ends in any case: a follow-up step of close-all that
    // fails (the school record cannot be opened again) does not stop it.
  }
  platform::end_program();
}

}  // namespace

std::int16_t get_free_file_number(std::int16_t flag) {
  const std::int16_t first = flag != 0 ? short_pool_first : record_pool_first;
  const std::int16_t last = flag != 0 ? short_pool_last : record_pool_last;
  for (std::int16_t n = first; n <= last; ++n) {
    if (g_file_in_use[static_cast<std::size_t>(n)] == 0) {
      g_file_in_use[static_cast<std::size_t>(n)] = 1;
      ++g_open_file_count;
      return n;
    }
  }
  stop_for_exhausted_pool();
}

void close_file(std::int16_t& number) { release_file(number, true, "close_file"); }

void abandon_file(std::int16_t& number) { release_file(number, false, "abandon_file"); }

bool check_file_open_needed(std::int16_t& number, const QString& folder, const QString& code) {
  if (number == 0) return true;
  const std::size_t n = slot(number, "check_file_open_needed");
  if (number > short_pool_last && trim_blanks(g_file_folder[n]) == trim_blanks(folder) &&
      trim_blanks(g_file_code[n]) == trim_blanks(code)) {
    try {
      platform::seek(number, 1);
      return false;
    } catch (const platform::file_error&) {
      // The file under the number is gone (closed by a plain close): open anew.
    }
  }
  close_file(number);
  return true;
}

void remember_open_file(std::int16_t number, const QString& folder, const QString& code) {
  const std::size_t n = slot(number, "remember_open_file");
  g_file_folder[n] = trim_blanks(folder);
  g_file_code[n] = trim_blanks(code);
}

void reset_file_number_globals() {
  for (std::int16_t* variable : per_file_number_variables()) *variable = 0;
}

void forget_file_number(std::int16_t n) {
  for (std::int16_t* variable : per_file_number_variables()) {
    if (*variable == n) {
      *variable = 0;
      return;
    }
  }
}

}  // namespace km
