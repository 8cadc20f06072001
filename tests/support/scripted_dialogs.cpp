#include "support/scripted_dialogs.h"

#include "platform/form_timer.h"

namespace km::test {

using namespace km::platform;

namespace {

// A text in quotes with its line ends and tabs made visible.
std::string shown_text(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  out.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  out.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
  // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) of a
  // prepended literal through char_traits.
  std::string quoted(1, '"');
  quoted += out.toStdString();
  quoted += '"';
  return quoted;
}

std::string differs(const char* what, const QString& expected, const QString& actual) {
  qsizetype at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  return std::string(what) + " differs (first at character " + std::to_string(at) +
         ")\n  expected: " + shown_text(expected) + "\n  actual:   " + shown_text(actual);
}

msg_answer first_button_answer(msg_buttons buttons) {
  switch (buttons) {
    case msg_buttons::ok:
    case msg_buttons::ok_cancel:
      return msg_answer::ok;
    case msg_buttons::abort_retry_ignore:
      return msg_answer::abort;
    case msg_buttons::yes_no_cancel:
    case msg_buttons::yes_no:
      return msg_answer::yes;
    case msg_buttons::retry_cancel:
      return msg_answer::retry;
  }
  return msg_answer::ok;
}

// The answer given to a prompt nobody expected: the way out that changes
// the least.
msg_answer safe_answer(msg_buttons buttons) {
  switch (buttons) {
    case msg_buttons::ok:
      return msg_answer::ok;
    case msg_buttons::yes_no:
      return msg_answer::no;
    case msg_buttons::abort_retry_ignore:
      return msg_answer::abort;
    default:
      return msg_answer::cancel;
  }
}

}  // namespace

QString kind_name(prompt_kind kind) {
  switch (kind) {
    case prompt_kind::message:
      return QStringLiteral("message box");
    case prompt_kind::input:
      return QStringLiteral("input box");
    case prompt_kind::folder:
      return QStringLiteral("folder browser");
    case prompt_kind::file:
      return QStringLiteral("file dialog");
    case prompt_kind::printer:
      return QStringLiteral("printer dialog");
    case prompt_kind::font:
      return QStringLiteral("font dialog");
  }
  return QString();
}

QString buttons_name(msg_buttons buttons) {
  switch (buttons) {
    case msg_buttons::ok:
      return QStringLiteral("OK");
    case msg_buttons::ok_cancel:
      return QStringLiteral("OK/Cancel");
    case msg_buttons::abort_retry_ignore:
      return QStringLiteral("Abort/Retry/Ignore");
    case msg_buttons::yes_no_cancel:
      return QStringLiteral("Yes/No/Cancel");
    case msg_buttons::yes_no:
      return QStringLiteral("Yes/No");
    case msg_buttons::retry_cancel:
      return QStringLiteral("Retry/Cancel");
  }
  return QString();
}

QString icon_name(msg_icon icon) {
  switch (icon) {
    case msg_icon::none:
      return QStringLiteral("no icon");
    case msg_icon::critical:
      return QStringLiteral("critical");
    case msg_icon::question:
      return QStringLiteral("question");
    case msg_icon::exclamation:
      return QStringLiteral("exclamation");
    case msg_icon::information:
      return QStringLiteral("information");
  }
  return QString();
}

// ---- expected_prompt -------------------------------------------------------

expected_prompt& expected_prompt::buttons(msg_buttons b) {
  buttons_ = b;
  return *this;
}
expected_prompt& expected_prompt::icon(msg_icon i) {
  icon_ = i;
  return *this;
}
expected_prompt& expected_prompt::title(const QString& t) {
  title_ = t;
  return *this;
}
expected_prompt& expected_prompt::default_button(int n) {
  default_button_ = n;
  return *this;
}
expected_prompt& expected_prompt::default_text(const QString& t) {
  default_text_ = t;
  return *this;
}
expected_prompt& expected_prompt::file_kind(file_dialog_kind k) {
  file_kind_ = k;
  return *this;
}
expected_prompt& expected_prompt::file_name(const QString& name) {
  file_name_ = name;
  return *this;
}
expected_prompt& expected_prompt::start_folder(const QString& folder) {
  start_folder_ = folder;
  return *this;
}
expected_prompt& expected_prompt::answer(msg_answer a) {
  answer_ = a;
  return *this;
}
expected_prompt& expected_prompt::type(const QString& text) {
  typed_ = text;
  cancel_ = false;
  return *this;
}
expected_prompt& expected_prompt::choose(const QString& path) {
  chosen_path_ = path;
  cancel_ = false;
  return *this;
}
expected_prompt& expected_prompt::choose_printer(const printer_choice& choice) {
  printer_ = choice;
  cancel_ = false;
  return *this;
}
expected_prompt& expected_prompt::choose_font(const font_choice& choice) {
  font_ = choice;
  cancel_ = false;
  return *this;
}
expected_prompt& expected_prompt::cancel() {
  cancel_ = true;
  typed_.reset();
  chosen_path_.reset();
  printer_.reset();
  font_.reset();
  return *this;
}
expected_prompt& expected_prompt::stays_open() {
  stays_open_ = true;
  return *this;
}

expected_prompt& expected_prompt::while_shown(std::function<void()> action) {
  while_shown_ = std::move(action);
  return *this;
}

// ---- scripted_dialogs ------------------------------------------------------

scripted_dialogs::scripted_dialogs() { previous_ = set_dialogs(this); }

scripted_dialogs::~scripted_dialogs() { set_dialogs(previous_); }

void scripted_dialogs::dismiss_open_prompts() {
  if (open_prompts_ > 0) ++dismissals_;
}

bool scripted_dialogs::run_while_shown(const expected_prompt& e) {
  const int dismissals_before = dismissals_;
  ++open_prompts_;
  struct closing {
    int& open;
    ~closing() { --open; }
  } close_guard{open_prompts_};
  if (e.while_shown_) e.while_shown_();
  if (e.stays_open_) {
    // A dialog that nobody closes would hang the test: give up after a
    // generous number of rounds.
    constexpr int max_rounds = 1'000'000;
    int rounds = 0;
    while (dismissals_ == dismissals_before && rounds++ < max_rounds) platform::pump_events();
    if (dismissals_ == dismissals_before)
      ADD_FAILURE_AT(e.where_.file_name(), int(e.where_.line()))
          << kind_name(e.kind_).toStdString() << " " << e.text_.toStdString() << ": never dismissed";
  }
  return dismissals_ != dismissals_before;
}

expected_prompt& scripted_dialogs::add(prompt_kind kind, const QString& text, std::source_location where) {
  expected_prompt& e = queue_.emplace_back();
  e.kind_ = kind;
  e.text_ = text;
  e.where_ = where;
  return e;
}

expected_prompt& scripted_dialogs::expect_message(const QString& text, std::source_location where) {
  return add(prompt_kind::message, text, where);
}
expected_prompt& scripted_dialogs::expect_input(const QString& prompt, std::source_location where) {
  return add(prompt_kind::input, prompt, where);
}
expected_prompt& scripted_dialogs::expect_folder(const QString& title, std::source_location where) {
  return add(prompt_kind::folder, title, where);
}
expected_prompt& scripted_dialogs::expect_file(const QString& title, std::source_location where) {
  return add(prompt_kind::file, title, where);
}
expected_prompt& scripted_dialogs::expect_printer(std::source_location where) {
  return add(prompt_kind::printer, QString(), where);
}
expected_prompt& scripted_dialogs::expect_font(std::source_location where) {
  return add(prompt_kind::font, QString(), where);
}

void scripted_dialogs::verify() {
  while (!queue_.empty()) {
    const expected_prompt e = queue_.front();
    queue_.pop_front();
    ADD_FAILURE_AT(e.where_.file_name(), int(e.where_.line()))
        << "expected " << kind_name(e.kind_).toStdString() << " " << shown_text(e.text_)
        << " was never shown";
  }
}

void scripted_dialogs::clear_log() { log_.clear(); }

std::optional<expected_prompt> scripted_dialogs::take(prompt_kind kind, const QString& shown) {
  if (queue_.empty()) {
    ADD_FAILURE() << "unexpected " << kind_name(kind).toStdString() << " " << shown_text(shown);
    return std::nullopt;
  }
  expected_prompt e = queue_.front();
  queue_.pop_front();
  if (e.kind_ != kind) {
    ADD_FAILURE_AT(e.where_.file_name(), int(e.where_.line()))
        << "expected " << kind_name(e.kind_).toStdString() << " " << shown_text(e.text_) << " but a "
        << kind_name(kind).toStdString() << " " << shown_text(shown) << " was shown";
    return std::nullopt;
  }
  if (e.text_ != shown && kind != prompt_kind::printer && kind != prompt_kind::font)
    ADD_FAILURE_AT(e.where_.file_name(), int(e.where_.line()))
        << kind_name(kind).toStdString() << ": " << differs("text", e.text_, shown);
  return e;
}

msg_answer scripted_dialogs::message_box(const message_request& r) {
  log_ << QStringLiteral("message: ") + r.text;
  auto e = take(prompt_kind::message, r.text);
  if (!e) return safe_answer(r.buttons);
  const auto file = e->where_.file_name();
  const int line = int(e->where_.line());
  if (e->buttons_ != r.buttons)
    ADD_FAILURE_AT(file, line) << "message box " << shown_text(r.text) << ": buttons expected "
                               << buttons_name(e->buttons_).toStdString() << ", shown "
                               << buttons_name(r.buttons).toStdString();
  if (e->icon_ != r.icon)
    ADD_FAILURE_AT(file, line) << "message box " << shown_text(r.text) << ": icon expected "
                               << icon_name(e->icon_).toStdString() << ", shown "
                               << icon_name(r.icon).toStdString();
  if (e->title_ && *e->title_ != r.title)
    ADD_FAILURE_AT(file, line) << "message box " << shown_text(r.text) << ": "
                               << differs("title", *e->title_, r.title);
  if (e->default_button_ && *e->default_button_ != r.default_button)
    ADD_FAILURE_AT(file, line) << "message box " << shown_text(r.text) << ": default button expected "
                               << *e->default_button_ << ", shown " << r.default_button;
  if (run_while_shown(*e)) return safe_answer(r.buttons);
  return e->answer_.value_or(first_button_answer(r.buttons));
}

input_answer scripted_dialogs::input_box(const input_request& r) {
  log_ << QStringLiteral("input: ") + r.prompt;
  auto e = take(prompt_kind::input, r.prompt);
  if (!e) return {QString(), true};
  const auto file = e->where_.file_name();
  const int line = int(e->where_.line());
  if (e->title_ && *e->title_ != r.title)
    ADD_FAILURE_AT(file, line) << "input box " << shown_text(r.prompt) << ": "
                               << differs("title", *e->title_, r.title);
  if (e->default_text_ && *e->default_text_ != r.default_text)
    ADD_FAILURE_AT(file, line) << "input box " << shown_text(r.prompt) << ": "
                               << differs("default text", *e->default_text_, r.default_text);
  if (run_while_shown(*e) || e->cancel_) return {QString(), true};
  return {e->typed_.value_or(r.default_text), false};
}

void scripted_dialogs::beep() {
  ++beeps_;
  log_ << QStringLiteral("beep");
}

std::optional<QString> scripted_dialogs::browse_folder(const folder_request& r) {
  log_ << QStringLiteral("folder: ") + r.title;
  auto e = take(prompt_kind::folder, r.title);
  if (!e) return std::nullopt;
  if (e->start_folder_ && *e->start_folder_ != r.start_folder)
    ADD_FAILURE_AT(e->where_.file_name(), int(e->where_.line()))
        << "folder browser " << shown_text(r.title) << ": "
        << differs("start folder", *e->start_folder_, r.start_folder);
  if (run_while_shown(*e) || e->cancel_ || !e->chosen_path_) return std::nullopt;
  return e->chosen_path_;
}

std::optional<QString> scripted_dialogs::file_dialog(const file_request& r) {
  log_ << QStringLiteral("file: ") + r.title;
  auto e = take(prompt_kind::file, r.title);
  if (!e) return std::nullopt;
  const auto file = e->where_.file_name();
  const int line = int(e->where_.line());
  if (e->file_kind_ && *e->file_kind_ != r.kind)
    ADD_FAILURE_AT(file, line) << "file dialog " << shown_text(r.title) << ": expected the "
                               << (*e->file_kind_ == file_dialog_kind::save ? "save" : "open") << " dialog";
  if (e->file_name_ && *e->file_name_ != r.file_name)
    ADD_FAILURE_AT(file, line) << "file dialog " << shown_text(r.title) << ": "
                               << differs("proposed name", *e->file_name_, r.file_name);
  if (e->start_folder_ && *e->start_folder_ != r.initial_folder)
    ADD_FAILURE_AT(file, line) << "file dialog " << shown_text(r.title) << ": "
                               << differs("start folder", *e->start_folder_, r.initial_folder);
  if (run_while_shown(*e) || e->cancel_ || !e->chosen_path_) return std::nullopt;
  return e->chosen_path_;
}

std::optional<printer_choice> scripted_dialogs::printer_dialog(const printer_request&) {
  log_ << QStringLiteral("printer");
  auto e = take(prompt_kind::printer, QString());
  if (!e) return std::nullopt;
  if (run_while_shown(*e) || e->cancel_) return std::nullopt;
  return e->printer_;
}

std::optional<font_choice> scripted_dialogs::font_dialog(const font_request&) {
  log_ << QStringLiteral("font");
  auto e = take(prompt_kind::font, QString());
  if (!e) return std::nullopt;
  if (run_while_shown(*e) || e->cancel_) return std::nullopt;
  return e->font_;
}

}  // namespace km::test
