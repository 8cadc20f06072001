// The end of the program: hooks, closing every numbered file, the
// exception the application's main catches, and handlers that end the
// program from inside the event loop.
#include "platform/program.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/dialog_language.h"
#include "platform/form_timer.h"
#include "platform/numbered_files.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"

namespace km::platform {
namespace {

class program_test : public km::test::clean_state_test {
 protected:
  km::test::temp_drives drives;
};

TEST_F(program_test, title) { EXPECT_EQ(program_title(), "KORVA-MARKS"); }

TEST_F(program_test, end_program_runs_the_hooks_closes_every_file_and_throws) {
  open_file(11, "C:\\a.txt", open_mode::output);
  open_file(101, "C:\\b.dat", open_mode::random, 44);
  std::vector<int> order;
  bool files_open_in_hook = false;
  add_end_hook([&] { order.push_back(1); });
  const int removed = add_end_hook([&] { order.push_back(2); });
  add_end_hook([&] {
    order.push_back(3);
    files_open_in_hook = is_numbered_file_open(11);
  });
  remove_end_hook(removed);
  EXPECT_THROW(end_program(), program_ended);
  EXPECT_EQ(order, std::vector<int>({3, 1})) << "last added runs first";
  EXPECT_TRUE(files_open_in_hook) << "the hooks run before the files close";
  EXPECT_FALSE(is_numbered_file_open(11));
  EXPECT_FALSE(is_numbered_file_open(101));
  EXPECT_TRUE(program_has_ended());
}

TEST_F(program_test, a_failing_hook_is_reported_and_the_rest_still_runs) {
  km::test::scripted_dialogs dialogs;
  dialogs.expect_message("tray icon gone").icon(msg_icon::critical);
  open_file(12, "C:\\c.txt", open_mode::output);
  bool second_ran = false;
  add_end_hook([&] { second_ran = true; });
  add_end_hook([] { throw std::runtime_error("tray icon gone"); });
  EXPECT_THROW(end_program(), program_ended);
  EXPECT_TRUE(second_ran);
  EXPECT_FALSE(is_numbered_file_open(12));
  dialogs.verify();
}

TEST_F(program_test, a_hook_that_ends_the_program_again_does_not_loop) {
  int runs = 0;
  add_end_hook([&] {
    ++runs;
    end_program();
  });
  EXPECT_THROW(end_program(), program_ended);
  EXPECT_EQ(runs, 1);
}

TEST_F(program_test, a_handler_that_ends_the_program_stops_the_waits_above_it) {
  fake_clock fake;
  scoped_clock use(fake);
  bool after_end = false;
  run_handler([&] {
    end_program();
    after_end = true;
  });
  EXPECT_FALSE(after_end);
  EXPECT_TRUE(program_has_ended());
  // The wait that comes next throws the end again, once.
  EXPECT_THROW(pump_events(), program_ended);
  form_timer t(nullptr, "t", 10, true);
  EXPECT_NO_THROW(pump_events());
}

TEST_F(program_test, a_handler_failure_is_shown_and_the_program_goes_on) {
  km::test::scripted_dialogs dialogs;
  dialogs.expect_message("UNEXPECTED ERROR: disk full\r\n\r\nThe step was stopped; the program goes on.")
      .icon(msg_icon::critical)
      .title("KORVA-MARKS");
  run_handler([] { throw std::runtime_error("disk full"); });
  EXPECT_FALSE(program_has_ended());
  dialogs.verify();
  set_dialog_language_source([] { return dialog_language::afrikaans; });
  dialogs.expect_message("ONVERWAGTE FOUT: disk full\r\n\r\nDie stap is gestaak; die program gaan voort.")
      .icon(msg_icon::critical);
  run_handler([] { throw std::runtime_error("disk full"); });
  dialogs.verify();
}

}  // namespace
}  // namespace km::platform
