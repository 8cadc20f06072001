#pragma once
// The scripted stand-in for the dialog service. A test queues the prompts
// it expects, each with its answer; every prompt the program shows is
// checked against the next one in the queue (kind, exact text, buttons,
// icon, and the title and default text when the expectation names them).
// A difference or a prompt nobody expected fails the test with both texts;
// verify() fails for every expected prompt that never came. Beeps and the
// clipboard are kept for the test to look at.
//
//   km::test::scripted_dialogs dialogs;   // installs itself
//   dialogs.expect_message("Saved").icon(msg_icon::information);
//   dialogs.expect_message("Delete?").buttons(msg_buttons::yes_no).answer(msg_answer::no);
//   run the code ...
//   dialogs.verify();                      // or use the fixture with_scripted_dialogs

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <source_location>

#include "platform/dialogs.h"
#include "support/clean_state.h"

namespace km::test {

enum class prompt_kind { message, input, folder, file, printer, font };

class expected_prompt {
 public:
  // What the prompt must show.
  expected_prompt& buttons(platform::msg_buttons b);
  expected_prompt& icon(platform::msg_icon i);
  expected_prompt& title(const QString& t);
  expected_prompt& default_button(int n);
  expected_prompt& default_text(const QString& t);
  expected_prompt& file_kind(platform::file_dialog_kind k);
  expected_prompt& file_name(const QString& name);
  expected_prompt& start_folder(const QString& folder);

  // The answer. Without one: a message box answers with its first button,
  // an input box with its default text, every other dialog with cancel.
  expected_prompt& answer(platform::msg_answer a);
  expected_prompt& type(const QString& text);
  expected_prompt& choose(const QString& path);
  expected_prompt& choose_printer(const platform::printer_choice& choice);
  expected_prompt& choose_font(const platform::font_choice& choice);
  expected_prompt& cancel();

  // Runs while the prompt is on the screen, before the answer is given: a
  // test looks at the state of the program at that moment.
  expected_prompt& while_shown(std::function<void()> action);
  // Keeps the prompt on the screen, processing events as a dialog's own
  // loop does, until the program dismisses it (dismiss_open_prompts); it
  // then answers as a cancelled dialog. Runs after while_shown.
  expected_prompt& stays_open();

 private:
  friend class scripted_dialogs;
  prompt_kind kind_ = prompt_kind::message;
  QString text_;
  platform::msg_buttons buttons_ = platform::msg_buttons::ok;
  platform::msg_icon icon_ = platform::msg_icon::none;
  std::optional<QString> title_;
  std::optional<int> default_button_;
  std::optional<QString> default_text_;
  std::optional<platform::file_dialog_kind> file_kind_;
  std::optional<QString> file_name_;
  std::optional<QString> start_folder_;

  std::optional<platform::msg_answer> answer_;
  std::optional<QString> typed_;
  std::optional<QString> chosen_path_;
  std::optional<platform::printer_choice> printer_;
  std::optional<platform::font_choice> font_;
  bool cancel_ = false;
  std::function<void()> while_shown_;
  bool stays_open_ = false;
  std::source_location where_;
};

class scripted_dialogs : public platform::dialog_service {
 public:
  scripted_dialogs();
  ~scripted_dialogs() override;
  scripted_dialogs(const scripted_dialogs&) = delete;
  scripted_dialogs& operator=(const scripted_dialogs&) = delete;

  // text: the message; the prompt of an input box; the title of a folder
  // or file dialog.
  expected_prompt& expect_message(const QString& text,
                                  std::source_location where = std::source_location::current());
  expected_prompt& expect_input(const QString& prompt,
                                std::source_location where = std::source_location::current());
  expected_prompt& expect_folder(const QString& title,
                                 std::source_location where = std::source_location::current());
  expected_prompt& expect_file(const QString& title,
                               std::source_location where = std::source_location::current());
  expected_prompt& expect_printer(std::source_location where = std::source_location::current());
  expected_prompt& expect_font(std::source_location where = std::source_location::current());

  // Fails the test for each expected prompt that did not come, then
  // forgets them.
  void verify();
  int pending() const { return int(queue_.size()); }

  int beeps() const { return beeps_; }
  // Everything shown, in order: "message: <text>", "input: <prompt>",
  // "folder: <title>", "file: <title>", "printer", "font", "beep".
  const QStringList& log() const { return log_; }
  void clear_log();

  // The clipboard the program reads and writes.
  QString clipboard;

  // dialog_service
  platform::msg_answer message_box(const platform::message_request& request) override;
  platform::input_answer input_box(const platform::input_request& request) override;
  void beep() override;
  std::optional<QString> browse_folder(const platform::folder_request& request) override;
  std::optional<QString> file_dialog(const platform::file_request& request) override;
  std::optional<platform::printer_choice> printer_dialog(const platform::printer_request& request) override;
  std::optional<platform::font_choice> font_dialog(const platform::font_request& request) override;
  QString clipboard_text() override { return clipboard; }
  void set_clipboard_text(const QString& text) override { clipboard = text; }
  int open_prompts() const override { return open_prompts_; }
  void dismiss_open_prompts() override;

  // How many times the program dismissed the open prompts.
  int dismissals() const { return dismissals_; }

 private:
  expected_prompt& add(prompt_kind kind, const QString& text, std::source_location where);
  // The next expectation when it is of this kind; otherwise a failure and
  // nullopt. The expectation leaves the queue either way.
  std::optional<expected_prompt> take(prompt_kind kind, const QString& shown);
  // Shows the prompt: runs its while_shown action and, for stays_open, the
  // wait. True when the program dismissed it meanwhile.
  bool run_while_shown(const expected_prompt& e);

  std::deque<expected_prompt> queue_;
  platform::dialog_service* previous_ = nullptr;
  int beeps_ = 0;
  int open_prompts_ = 0;
  int dismissals_ = 0;
  QStringList log_;
};

// A test fixture with scripted dialogs that checks at the end that every
// expected prompt came, then resets the program's state (clean_state_test).
class with_scripted_dialogs : public clean_state_test {
 protected:
  void TearDown() override {
    dialogs.verify();
    clean_state_test::TearDown();
  }
  scripted_dialogs dialogs;
};

// Readable names, for failure messages.
QString kind_name(prompt_kind kind);
QString buttons_name(platform::msg_buttons buttons);
QString icon_name(platform::msg_icon icon);

}  // namespace km::test
