#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/dialog_language.h"
#include "platform/ui/caption_width.h"
#include "platform/ui/drive_file_dialog.h"
#include "platform/ui/printer/printer_dialog_paper.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

QWidget* dialog_parent() { return QApplication::activeWindow(); }

// Gives the keyboard back when a dialog closes: to the window it was shown
// over, at the control that had the focus, or, when that control went out
// of sight meanwhile (the window changed its view behind the dialog), at
// the window's first control that takes the keyboard. The teacher types on
// at once, without a click.
class focus_return {
 public:
  focus_return() : window_(QApplication::activeWindow()), control_(QApplication::focusWidget()) {}
  ~focus_return() {
    if (!window_ || !window_->isVisible()) return;
    QWidget* target = takes_keys(control_) ? control_.data() : nullptr;
    for (QWidget* w = window_->nextInFocusChain(); !target && w && w != window_; w = w->nextInFocusChain())
      if (takes_keys(w)) target = w;
    window_->activateWindow();
    if (target) target->setFocus(Qt::OtherFocusReason);
  }
  focus_return(const focus_return&) = delete;
  focus_return& operator=(const focus_return&) = delete;

 private:
  bool takes_keys(const QWidget* w) const {
    return w && w->window() == window_ && w->isVisible() && w->isEnabled() &&
           (w->focusPolicy() & Qt::TabFocus);
  }
  QPointer<QWidget> window_;
  QPointer<QWidget> control_;
};

std::vector<QMessageBox::StandardButton> standard_buttons(msg_buttons buttons) {
  using B = QMessageBox::StandardButton;
  switch (buttons) {
    case msg_buttons::ok:
      return {B::Ok};
    case msg_buttons::ok_cancel:
      return {B::Ok, B::Cancel};
    case msg_buttons::abort_retry_ignore:
      return {B::Abort, B::Retry, B::Ignore};
    case msg_buttons::yes_no_cancel:
      return {B::Yes, B::No, B::Cancel};
    case msg_buttons::yes_no:
      return {B::Yes, B::No};
    case msg_buttons::retry_cancel:
      return {B::Retry, B::Cancel};
  }
  return {B::Ok};
}

msg_answer answer_of(QMessageBox::StandardButton button) {
  using B = QMessageBox::StandardButton;
  switch (button) {
    case B::Ok:
      return msg_answer::ok;
    case B::Abort:
      return msg_answer::abort;
    case B::Retry:
      return msg_answer::retry;
    case B::Ignore:
      return msg_answer::ignore;
    case B::Yes:
      return msg_answer::yes;
    case B::No:
      return msg_answer::no;
    default:
      return msg_answer::cancel;
  }
}

QMessageBox::Icon qt_icon(msg_icon icon) {
  switch (icon) {
    case msg_icon::critical:
      return QMessageBox::Critical;
    case msg_icon::question:
      return QMessageBox::Question;
    case msg_icon::exclamation:
      return QMessageBox::Warning;
    case msg_icon::information:
      return QMessageBox::Information;
    case msg_icon::none:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString qt_name_filters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i].trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

msg_answer qt_dialogs::message_box(const message_request& request) {
  const focus_return keyboard_back;
  QMessageBox box(dialog_parent());
  box.setWindowTitle(request.title);
  box.setText(request.text);
  box.setIcon(qt_icon(request.icon));
  const auto buttons = standard_buttons(request.buttons);
  const dialog_language language = current_dialog_language();
  for (auto b : buttons) box.addButton(b)->setText(button_text(answer_of(b), language));
  const int index = std::clamp(request.default_button - 1, 0, int(buttons.size()) - 1);
  box.setDefaultButton(buttons[std::size_t(index)]);
  // A message box sizes itself to its text alone: a spacer across its grid
  // keeps it wide enough for its title.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(
        new QSpacerItem(width_for_caption(request.title), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
  box.exec();
  return answer_of(box.standardButton(box.clickedButton()));
}

input_answer qt_dialogs::input_box(const input_request& request) {
  const focus_return keyboard_back;
  QInputDialog dialog(dialog_parent());
  dialog.setWindowTitle(request.title);
  dialog.setLabelText(request.prompt);
  dialog.setTextValue(request.default_text);
  const dialog_language language = current_dialog_language();
  dialog.setOkButtonText(button_text(msg_answer::ok, language));
  dialog.setCancelButtonText(button_text(msg_answer::cancel, language));
  dialog.setMinimumWidth(width_for_caption(request.title));
  if (dialog.exec() != QDialog::Accepted) return {QString(), true};
  return {dialog.textValue(), false};
}

void qt_dialogs::beep() { QApplication::beep(); }

std::optional<QString> qt_dialogs::browse_folder(const folder_request& request) {
  const focus_return keyboard_back;
  drive_file_dialog dialog(dialog_parent(), request.title, drive_dialog_mode::folder);
  dialog.start_at(request.start_folder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

std::optional<QString> qt_dialogs::file_dialog(const file_request& request) {
  const focus_return keyboard_back;
  const bool save = request.kind == file_dialog_kind::save;
  drive_file_dialog dialog(dialog_parent(), request.title,
                           save ? drive_dialog_mode::save_file : drive_dialog_mode::open_file);
  if (!request.filter.trimmed().isEmpty()) dialog.setNameFilter(qt_name_filters(request.filter.trimmed()));
  dialog.start_at(request.initial_folder, request.file_name);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

std::optional<printer_choice> qt_dialogs::printer_dialog(const printer_request& request) {
  const focus_return keyboard_back;
  QPrinter printer(QPrinter::HighResolution);
  if (!request.printer_name.isEmpty()) printer.setPrinterName(request.printer_name);
  printer.setCopyCount(std::max(1, request.copies));
  QPrintDialog dialog(&printer, dialog_parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  printer_choice choice;
  choice.printer_name = printer.printerName();
  choice.copies = printer.copyCount();
  choice.to_pdf = printer.outputFormat() == QPrinter::PdfFormat;
  if (choice.to_pdf) {
    choice.pdf_native_file = printer.outputFileName();
    choice.pdf_file = to_windows_path(choice.pdf_native_file);
  } else {
    choice.paper = paper_handling_of(printer);
  }
  return choice;
}

std::optional<font_choice> qt_dialogs::font_dialog(const font_request& request) {
  const focus_return keyboard_back;
  QFont initial;
  if (request.name) initial.setFamily(*request.name);
  if (request.size && *request.size > 0) initial.setPointSizeF(*request.size);
  if (request.bold) initial.setBold(*request.bold);
  if (request.italic) initial.setItalic(*request.italic);
  if (request.underline) initial.setUnderline(*request.underline);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, dialog_parent());
  if (!ok) return std::nullopt;
  font_choice choice;
  choice.name = chosen.family();
  choice.size = chosen.pointSizeF();
  choice.bold = chosen.bold();
  choice.italic = chosen.italic();
  choice.underline = chosen.underline();
  // The dialog offers no colour: the selection keeps the one it had.
  choice.colour = request.colour.value_or(0);
  return choice;
}

QString qt_dialogs::clipboard_text() { return QGuiApplication::clipboard()->text(); }

void qt_dialogs::set_clipboard_text(const QString& text) { QGuiApplication::clipboard()->setText(text); }

namespace {

// The dialogs waiting for the user: every shown modal dialog window.
QList<QDialog*> shown_dialogs() {
  QList<QDialog*> out;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible() && dialog->isModal())
      out.append(dialog);
  return out;
}

}  // namespace

int qt_dialogs::open_prompts() const { return int(shown_dialogs().size()); }

void qt_dialogs::dismiss_open_prompts() {
  for (QDialog* dialog : shown_dialogs()) dialog->reject();
}

void use_qt_dialogs() {
  static qt_dialogs service;
  set_dialogs(&service);
}

}  // namespace km::platform
