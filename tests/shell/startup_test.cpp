// The start-up window and its idle watch, on the fake clock with a cursor
// of the test's own: the time-out file, the load, the refused close, the
// warning five seconds before the time-out, the log-out to a fresh main
// menu through each window's orderly close, and a log-out while prompts
// wait for an answer.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include <QPointer>

#include "common/data_file_services.h"
#include "common/idle_clock.h"
#include "platform/dbase/data_control.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/form_timer.h"
#include "platform/win_path.h"
#include "shell/frm_message.h"
#include "shell/time_out_file.h"
#include "start_fixture.h"
#include "support/dbf_builder.h"
#include "support/lock_holder.h"
#include "support/window_helpers.h"

namespace km {
namespace {

// ---- time_out.txt ------------------------------------------------------------

class time_out_test : public test::start_fixture {};

TEST_F(time_out_test, the_file_gives_the_time_out_or_300) {
  struct row {
    const char* file;  // nullptr: no file
    float seconds;
  };
  const row rows[] = {
      {nullptr, 300.0f},
      {"600\r\n", 600.0f},
      {" 600 \r\n", 600.0f},
      {"0\r\n", 0.0f},
      {"2.5\r\n", 2.5f},
      {"\"120\"\r\n", 120.0f},
      {"-5\r\n", 300.0f},
      {"abc\r\n", 300.0f},
      {"", 300.0f},
      {"\r\n", 300.0f},
      {"1e40\r\n", 300.0f},
      {"1e400\r\n", 300.0f},
      {"600 seconds\r\n", 300.0f},
      {"#TRUE#\r\n", 300.0f},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.file ? r.file : "(no file)");
    if (platform::file_exists(QStringLiteral("C:\\time_out.txt")))
      platform::delete_file(QStringLiteral("C:\\time_out.txt"));
    if (r.file) write_file(QStringLiteral("C:\\time_out.txt"), r.file);
    EXPECT_EQ(load_idle_timeout(), r.seconds);
    EXPECT_EQ(g_open_file_count, 0);
  }
}

// ---- the start-up window and the idle watch -------------------------------

// The main menu: counts its loads and notes whether anything still waited
// for the user when it opened.
struct startup_stand_in_menu : platform::form {
  static inline int loads = 0;
  static inline int prompts_at_load = -1;
  startup_stand_in_menu() : platform::form(QStringLiteral("punte_mnu")) {}
  void on_load() override {
    ++loads;
    prompts_at_load = platform::dialogs().open_prompts();
  }
};

// A work window whose orderly close is noted.
struct work_window : platform::form {
  static inline QStringList closed;
  explicit work_window(const QString& name) : platform::form(name) {}
  void request_close() override {
    closed << name();
    platform::form::request_close();
  }
};

class startup_test : public test::start_fixture {
 protected:
  void SetUp() override {
    start_fixture::SetUp();
    startup_stand_in_menu::loads = 0;
    startup_stand_in_menu::prompts_at_load = -1;
    work_window::closed.clear();
    warnings.clear();
    register_startup_windows();
    // The splash has tests of its own; here it is a plain window.
    platform::register_form(QStringLiteral("marks_splash"),
                            [] { return new platform::form("marks_splash"); });
    platform::register_form(QStringLiteral("punte_mnu"), [] { return new startup_stand_in_menu; });
    // The message window, noting when each warning opens.
    platform::register_form(QStringLiteral("frmMessage"), [this] {
      warnings << fake.monotonic_ms() - start_ms;
      return new frmMessage;
    });
    platform::set_cursor_reader([this] { return cursor; });
  }

  startup* load_startup() {
    start_ms = fake.monotonic_ms();
    return qobject_cast<startup*>(platform::load_form(QStringLiteral("startup")));
  }
  qint64 elapsed() { return fake.monotonic_ms() - start_ms; }
  // Lets the program run until ms after the start-up window's load.
  void run_until(qint64 ms) {
    while (elapsed() < ms) platform::pump_events();
  }
  QStringList loaded_names() const {
    QStringList out;
    for (platform::form* f : platform::loaded_forms()) out << f->name();
    return out;
  }

  QPoint cursor{100, 100};
  qint64 start_ms = 0;
  QList<qint64> warnings;  // ms after the load at which a warning opened
};

TEST_F(startup_test, load_prepares_the_machine_and_shows_the_splash) {
  write_file(QStringLiteral("C:\\time_out.txt"), " 600 \r\n");
  platform::system_settings().decimal = QLatin1Char(',');
  startup* window = load_startup();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(g_idle_timeout, 600.0f);
  EXPECT_EQ(g_last_activity, fake.timer());
  EXPECT_EQ(g_windows_name, QStringLiteral("Windows 10 Pro"));
  EXPECT_EQ(platform::system_settings().decimal, QLatin1Char('.'));
  EXPECT_EQ(*platform::registry_read(linked_connections_value), platform::Value::int32(1));
  EXPECT_TRUE(window->caption().startsWith(QStringLiteral("KORVA-MARKS  -  OSKAVEN  -  ")));
  EXPECT_EQ(window->width_twips(), int(platform::screen_width_twips()));
  EXPECT_EQ(window->height_twips(), int(platform::screen_height_twips()));
  EXPECT_EQ(loaded_names(), QStringList({"startup", "marks_splash"}));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Data1().objectName(), QStringLiteral("Data1"));
  EXPECT_EQ(window->Data1().connect(), QStringLiteral("dBASE III;"));
  EXPECT_EQ(&window->CommonDialog1(), &platform::dialogs());
  ASSERT_NE(window->skl_wapen(), nullptr);
  EXPECT_EQ(window->prv_wapen()->objectName(), QStringLiteral("prv_wapen"));
  EXPECT_TRUE(window->tmrCheckMouse()->running());
  EXPECT_EQ(window->tmrCheckMouse()->interval(), 100);
}

TEST_F(startup_test, the_record_file_builds_read_their_table_without_locking_it) {
  // Data1 only reads the older tables: another program (the administration
  // program, on this computer or another) can still take the table's write
  // lock while a build reads it.
  startup* window = load_startup();
  ASSERT_NE(window, nullptr);
  drives.make_native_folder(QStringLiteral("C/DATA"));
  const QString table = test::dbf_builder()
                            .field("NR", 'N', 4)
                            .record({"1"})
                            .write(platform::to_native_path(QStringLiteral("C:\\DATA\\k_h_dta.dbf")));
  platform::data_control& data1 = startup_data_control();
  ASSERT_EQ(&data1, &window->Data1());
  data1.set_database_name(QStringLiteral("C:\\DATA"));
  data1.set_record_source(QStringLiteral("k_h_dta.dbf"));
  data1.refresh();
  ASSERT_TRUE(data1.has_recordset());
  EXPECT_EQ(data1.recordset().record_count(), 1);
  test::lock_holder administration(table, platform::dbf_table_lock_offset, 1);
  EXPECT_TRUE(administration.locked());
  data1.close_database();
}

TEST_F(startup_test, the_main_window_never_closes_and_brings_the_menu_instead) {
  startup* window = load_startup();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(platform::unload_form(window));
  EXPECT_EQ(startup_stand_in_menu::loads, 1);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(platform::is_loaded(window));
  EXPECT_TRUE(platform::is_loaded(QStringLiteral("punte_mnu")));
  platform::unload_all_but(QStringLiteral("startup"));
  EXPECT_EQ(loaded_names(), QStringList({"startup"}));
}

TEST_F(startup_test, warning_after_295_seconds_and_log_out_after_300) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  QPointer<platform::form> first_menu = platform::find_form(QStringLiteral("punte_mnu"));
  platform::load_form(new work_window(QStringLiteral("pboek_opstel")))->show();
  platform::load_form(new work_window(QStringLiteral("pboek_inlees")))->show();

  run_until(295'000);
  EXPECT_TRUE(warnings.isEmpty()) << "a warning at 295.0 s";
  run_until(310'000);
  // The warning came on the tick after 295 s, once.
  EXPECT_EQ(warnings, QList<qint64>({295'100}));
  // Only the start-up window and a freshly loaded main menu are left; the
  // work windows went through their own close, the last opened first.
  EXPECT_EQ(loaded_names(), QStringList({"startup", "punte_mnu"}));
  EXPECT_TRUE(first_menu.isNull() || !platform::is_loaded(first_menu.data()));
  EXPECT_EQ(startup_stand_in_menu::loads, 2);
  EXPECT_EQ(work_window::closed, QStringList({"pboek_inlees", "pboek_opstel"}));
  auto* window = qobject_cast<startup*>(platform::find_form(QStringLiteral("startup")));
  EXPECT_EQ(window->watch().log_outs(), 1);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(startup_test, the_idle_clock_starts_again_at_the_log_out) {
  ASSERT_NE(load_startup(), nullptr);
  run_until(301'000);
  auto* window = qobject_cast<startup*>(platform::find_form(QStringLiteral("startup")));
  ASSERT_EQ(window->watch().log_outs(), 1);
  const qint64 log_out_at = elapsed();
  run_until(log_out_at + 294'000);
  EXPECT_EQ(warnings.size(), 1);
  run_until(log_out_at + 301'000);
  EXPECT_EQ(warnings.size(), 2);
  EXPECT_EQ(window->watch().log_outs(), 2);
}

TEST_F(startup_test, zero_switches_the_log_out_off_but_the_cursor_still_counts) {
  write_file(QStringLiteral("C:\\time_out.txt"), "0\r\n");
  ASSERT_NE(load_startup(), nullptr);
  run_until(200'000);
  cursor = {101, 100};
  run_until(200'100);
  EXPECT_EQ(g_last_activity, fake.timer());
  run_until(1'000'000);
  EXPECT_TRUE(warnings.isEmpty());
  EXPECT_EQ(startup_stand_in_menu::loads, 0);
}

TEST_F(startup_test, the_first_tick_never_resets_the_clock) {
  ASSERT_NE(load_startup(), nullptr);
  const float at_load = g_last_activity;
  // The cursor moved before the first tick: the first tick only notes it.
  cursor = {500, 500};
  run_until(100);
  EXPECT_EQ(g_last_activity, at_load);
  run_until(1'000);
  EXPECT_EQ(g_last_activity, at_load);
  cursor = {501, 500};
  run_until(1'100);
  EXPECT_GT(g_last_activity, at_load);
  EXPECT_EQ(g_last_activity, fake.timer());
}

TEST_F(startup_test, activity_during_the_warning_prevents_the_log_out) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  // The watcher moves the cursor two seconds into the warning.
  platform::form_timer mover(nullptr, QStringLiteral("mover"), 100, true);
  mover.set_handler([this, &mover] {
    if (elapsed() >= 297'000) {
      cursor = {200, 200};
      mover.set_enabled(false);
    }
  });
  run_until(305'000);
  EXPECT_EQ(warnings, QList<qint64>({295'100}));
  EXPECT_EQ(startup_stand_in_menu::loads, 1);
  EXPECT_FALSE(platform::is_loaded(QStringLiteral("frmMessage")));
  // A key press in a work window counts the same way: the next warning
  // comes 295 s after it, not after the cursor's move.
  run_until(590'000);
  reset_idle_clock();
  run_until(885'000);
  EXPECT_EQ(warnings.size(), 1);
  EXPECT_EQ(startup_stand_in_menu::loads, 1);
  run_until(891'000);
  EXPECT_EQ(warnings, QList<qint64>({295'100, 885'100}));
  EXPECT_EQ(startup_stand_in_menu::loads, 2);
}

TEST_F(startup_test, the_idle_watch_keeps_working_across_midnight) {
  fake.set_now(42811.0 + (23 * 3600 + 58 * 60) / 86400.0);  // 23:58:00
  ASSERT_NE(load_startup(), nullptr);
  run_until(295'000);
  EXPECT_TRUE(warnings.isEmpty());
  run_until(301'000);
  EXPECT_EQ(warnings, QList<qint64>({295'100}));
  EXPECT_EQ(startup_stand_in_menu::loads, 1);
}

TEST_F(startup_test, a_log_out_with_an_input_box_and_a_message_box_open_ends_cleanly) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  QPointer<platform::form> menu = platform::find_form(QStringLiteral("punte_mnu"));
  QPointer<platform::form> work = platform::load_form(new work_window(QStringLiteral("pboek_inlees")));
  dialogs.expect_input(QStringLiteral("TIME OUT IN MINUTES")).stays_open();
  dialogs.expect_message(QStringLiteral("TIME DURATION CHANGED TO 5 MINUTES ..."))
      .icon(platform::msg_icon::information)
      .stays_open();

  // A handler of the menu asks a question and then reports, as the
  // time-out button does; the user has walked away.
  bool handler_finished = false;
  platform::input_answer answer;
  {
    answer = platform::input_box(QStringLiteral("TIME OUT IN MINUTES"), QString(), QStringLiteral("5"));
    // The window the handler belongs to is still there while it runs on.
    EXPECT_TRUE(menu && platform::is_loaded(menu.data()));
    platform::message_box(QStringLiteral("TIME DURATION CHANGED TO 5 MINUTES ..."), platform::msg_buttons::ok,
                          platform::msg_icon::information);
    EXPECT_TRUE(menu && platform::is_loaded(menu.data()));
    handler_finished = true;
  }
  EXPECT_TRUE(answer.cancelled);
  EXPECT_EQ(dialogs.dismissals(), 2);
  EXPECT_TRUE(handler_finished);

  // Once the handler has returned, the windows go.
  run_until(elapsed() + 500);
  EXPECT_EQ(loaded_names(), QStringList({"startup", "punte_mnu"}));
  EXPECT_EQ(startup_stand_in_menu::loads, 2);
  EXPECT_EQ(startup_stand_in_menu::prompts_at_load, 0);
  EXPECT_EQ(work_window::closed, QStringList({"pboek_inlees"}));
  EXPECT_TRUE(work.isNull() || !platform::is_loaded(work.data()));
  EXPECT_EQ(warnings.size(), 1);
}

TEST_F(startup_test, a_window_shown_modally_is_closed_before_the_log_out) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  QPointer<platform::form> modal = platform::load_form(new work_window(QStringLiteral("change_folder")));
  bool returned = false;
  modal->show_modal();  // returns once the log-out has closed it
  returned = true;
  EXPECT_TRUE(returned);
  EXPECT_EQ(work_window::closed, QStringList({"change_folder"}));
  // The menu was not yet replaced while the modal window's loop unwound.
  EXPECT_EQ(startup_stand_in_menu::loads, 1);
  run_until(elapsed() + 300);
  EXPECT_EQ(loaded_names(), QStringList({"startup", "punte_mnu"}));
  EXPECT_EQ(startup_stand_in_menu::loads, 2);
}

// A work window whose exit path asks before it closes.
struct asking_window : work_window {
  using work_window::work_window;
  void request_close() override {
    platform::message_box(QStringLiteral("Save the marks?"), platform::msg_buttons::yes_no);
    work_window::request_close();
  }
};

TEST_F(startup_test, a_question_of_an_exit_path_during_the_log_out_is_dismissed) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  platform::load_form(new asking_window(QStringLiteral("pboek_inlees")))->show();
  dialogs.expect_message(QStringLiteral("Save the marks?"))
      .buttons(platform::msg_buttons::yes_no)
      .stays_open();
  run_until(301'000);
  EXPECT_EQ(dialogs.dismissals(), 1);
  EXPECT_EQ(work_window::closed, QStringList({"pboek_inlees"}));
  EXPECT_EQ(loaded_names(), QStringList({"startup", "punte_mnu"}));
  EXPECT_EQ(startup_stand_in_menu::loads, 2);
}

TEST_F(startup_test, close_all_forms_keeps_only_startup) {
  ASSERT_NE(load_startup(), nullptr);
  platform::show_form(QStringLiteral("punte_mnu"));
  platform::load_form(new work_window(QStringLiteral("startup_like")));
  platform::load_form(new work_window(QStringLiteral("STARTUP")));
  close_all_forms();
  EXPECT_EQ(loaded_names(), QStringList({"startup"}));
  EXPECT_EQ(work_window::closed, QStringList({"STARTUP", "startup_like"}));
}

}  // namespace
}  // namespace km
