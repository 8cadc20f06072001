#pragma once
// Every exchange with the user that is not a window of the program goes
// through one dialog service: message boxes, input boxes, the beep, the
// folder browser, the open and save file dialogs, the printer and font
// dialogs and the clipboard. The program installs the Qt service at start;
// tests install a scripted stand-in that checks each prompt.
//
// Paths handed to and returned by the file and folder dialogs are in the
// program's Windows form ("C:\OSKAVEN\DATA"); the service maps them.

#include <QByteArray>
#include <QString>
#include <exception>
#include <optional>

namespace km::platform {

// Button sets of a message box, numbered as the platform numbers them.
enum class msg_buttons {
  ok = 0,
  ok_cancel = 1,
  abort_retry_ignore = 2,
  yes_no_cancel = 3,
  yes_no = 4,
  retry_cancel = 5
};

enum class msg_icon { none, critical, question, exclamation, information };

// The button pressed, numbered as the platform numbers them.
enum class msg_answer { ok = 1, cancel = 2, abort = 3, retry = 4, ignore = 5, yes = 6, no = 7 };

struct message_request {
  QString text;
  msg_buttons buttons = msg_buttons::ok;
  msg_icon icon = msg_icon::none;
  QString title;           // as the user sees it: never empty once it reaches a service
  int default_button = 1;  // 1 to 3, counted from the left
};

struct input_request {
  QString prompt;
  QString title;  // as the user sees it: never empty once it reaches a service
  QString default_text;
};

// The answer of an input box: the text typed, or "" with cancelled set when
// the user cancelled.
struct input_answer {
  QString text;
  bool cancelled = false;
};

struct folder_request {
  QString title;
  QString start_folder;  // Windows form; "" = the dialog's own choice
};

enum class file_dialog_kind { open, save };

struct file_request {
  file_dialog_kind kind = file_dialog_kind::save;
  QString title;
  QString initial_folder;  // Windows form; "" = the dialog's own choice
  QString filter;          // "Text files|*.txt;*.csv|All files|*.*"; "" = every file
  QString file_name;       // the proposed name
};

struct printer_request {
  QString printer_name;  // the printer selected when the dialog opens; "" = the default
  int copies = 1;
};

// Two-sided printing as the printer dialog offers it; automatic binds on
// the long edge of a portrait page and the short edge of a landscape one.
enum class duplex_choice { printer_default, one_sided, long_edge, short_edge, automatic };

// How a printer handles the paper of a job, where the printer dialog
// offered a choice; the empty values leave it to the printer.
struct paper_handling {
  duplex_choice duplex = duplex_choice::printer_default;
  QString paper_source;  // a media-source keyword of the print system ("tray-1", "manual")
  QString page_ranges;   // "1-3,5"
  bool operator==(const paper_handling&) const = default;
};

struct printer_choice {
  QString printer_name;
  int copies = 1;
  bool to_pdf = false;  // the user chose to print into a PDF file
  QString pdf_file;     // Windows form, when to_pdf and a mapped drive holds the file
  paper_handling paper;
  // The PDF file as the dialog named it (native), when to_pdf: a file
  // outside every mapped drive has no Windows form, and is still the one
  // the teacher chose.
  QString pdf_native_file;
};

// A font as the font dialog shows and returns it. In a request an unset
// field is "mixed" (the selection holds several values) and the dialog
// starts from its own default for it.
struct font_choice {
  QString name;
  double size = 0.0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  unsigned colour = 0;  // 0x00BBGGRR, as the platform stores colours
};

struct font_request {
  std::optional<QString> name;
  std::optional<double> size;
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<unsigned> colour;
};

class dialog_service {
 public:
  virtual ~dialog_service() = default;

  virtual msg_answer message_box(const message_request& request) = 0;
  virtual input_answer input_box(const input_request& request) = 0;
  virtual void beep() = 0;
  // The chosen folder in Windows form, or nullopt when cancelled.
  virtual std::optional<QString> browse_folder(const folder_request& request) = 0;
  // The chosen file (full path, Windows form), or nullopt when cancelled.
  virtual std::optional<QString> file_dialog(const file_request& request) = 0;
  virtual std::optional<printer_choice> printer_dialog(const printer_request& request) = 0;
  virtual std::optional<font_choice> font_dialog(const font_request& request) = 0;
  virtual QString clipboard_text() = 0;
  virtual void set_clipboard_text(const QString& text) = 0;

  // Prompts on the screen now: each waits for the user in a loop of its
  // own, during which timers and other windows' handlers run.
  virtual int open_prompts() const { return 0; }
  // Closes every prompt on the screen as if the user had cancelled it (the
  // idle log-out does so before it unloads the windows); each call returns
  // to its caller once control is back in its loop.
  virtual void dismiss_open_prompts() {}
};

// Thrown by the service that stands in while none is installed: a program
// that shows a prompt before installing its service, or a test that did not
// install the scripted stand-in, fails at once instead of waiting for a user.
class no_dialog_service : public std::exception {
 public:
  explicit no_dialog_service(QString what);
  const char* what() const noexcept override { return what_.constData(); }

 private:
  QByteArray what_;
};

// The current service.
dialog_service& dialogs();
// Installs a service and returns the one it replaces; nullptr puts back the
// stand-in that refuses every prompt. The caller keeps ownership.
dialog_service* set_dialogs(dialog_service* service);

// Short forms used throughout the program. An empty title becomes the
// program's title before the request reaches the service.
msg_answer message_box(const QString& text, msg_buttons buttons = msg_buttons::ok,
                       msg_icon icon = msg_icon::none, const QString& title = QString(),
                       int default_button = 1);
input_answer input_box(const QString& prompt, const QString& title = QString(),
                       const QString& default_text = QString());
void beep();

}  // namespace km::platform
