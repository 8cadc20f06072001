#include "platform/dialogs.h"

#include <utility>

#include "platform/program.h"
#include "platform/services.h"

namespace km::platform {

no_dialog_service::no_dialog_service(QString what) : what_(what.toUtf8()) {}

namespace {

// Stands in while no service is installed: every prompt is a programming
// fault, reported with the text it would have shown.
class refusing_dialogs : public dialog_service {
 public:
  msg_answer message_box(const message_request& r) override { refuse("message box", r.text); }
  input_answer input_box(const input_request& r) override { refuse("input box", r.prompt); }
  void beep() override {}
  std::optional<QString> browse_folder(const folder_request& r) override {
    refuse("folder browser", r.title);
  }
  std::optional<QString> file_dialog(const file_request& r) override { refuse("file dialog", r.title); }
  std::optional<printer_choice> printer_dialog(const printer_request& r) override {
    refuse("printer dialog", r.printer_name);
  }
  std::optional<font_choice> font_dialog(const font_request&) override { refuse("font dialog", QString()); }
  QString clipboard_text() override { return clipboard_; }
  void set_clipboard_text(const QString& text) override { clipboard_ = text; }

 private:
  [[noreturn]] static void refuse(const char* kind, const QString& text) {
    throw no_dialog_service(
        QStringLiteral("no dialog service installed for the %1: \"%2\"").arg(QLatin1String(kind), text));
  }
  QString clipboard_;
};

refusing_dialogs& refusing() {
  static refusing_dialogs instance;
  return instance;
}

}  // namespace

dialog_service& dialogs() {
  dialog_service* current = services().dialogs;
  return current ? *current : refusing();
}

dialog_service* set_dialogs(dialog_service* service) { return std::exchange(services().dialogs, service); }

msg_answer message_box(const QString& text, msg_buttons buttons, msg_icon icon, const QString& title,
                       int default_button) {
  message_request request;
  request.text = text;
  request.buttons = buttons;
  request.icon = icon;
  request.title = title.isEmpty() ? program_title() : title;
  request.default_button = default_button;
  return dialogs().message_box(request);
}

input_answer input_box(const QString& prompt, const QString& title, const QString& default_text) {
  input_request request;
  request.prompt = prompt;
  request.title = title.isEmpty() ? program_title() : title;
  request.default_text = default_text;
  return dialogs().input_box(request);
}

void beep() { dialogs().beep(); }

}  // namespace km::platform
