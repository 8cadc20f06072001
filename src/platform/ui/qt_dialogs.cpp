#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "platform/win_path.h"

namespace km::platform {

namespace {

QWidget* dialog_parent() { return QApplication::activeWindow(); }

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

// The native folder of a Windows folder when it exists, else "".
QString existing_native_folder(const QString& win_folder) {
  if (win_folder.trimmed().isEmpty()) return QString();
  const QString native = to_native_path(win_folder);
  return !native.isEmpty() && QFileInfo(native).isDir() ? native : QString();
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
  QMessageBox box(dialog_parent());
  box.setWindowTitle(request.title);
  box.setText(request.text);
  box.setIcon(qt_icon(request.icon));
  const auto buttons = standard_buttons(request.buttons);
  for (auto b : buttons) box.addButton(b);
  const int index = std::clamp(request.default_button - 1, 0, int(buttons.size()) - 1);
  box.setDefaultButton(buttons[std::size_t(index)]);
  box.exec();
  return answer_of(box.standardButton(box.clickedButton()));
}

input_answer qt_dialogs::input_box(const input_request& request) {
  QInputDialog dialog(dialog_parent());
  dialog.setWindowTitle(request.title);
  dialog.setLabelText(request.prompt);
  dialog.setTextValue(request.default_text);
  if (dialog.exec() != QDialog::Accepted) return {QString(), true};
  return {dialog.textValue(), false};
}

void qt_dialogs::beep() { QApplication::beep(); }

std::optional<QString> qt_dialogs::browse_folder(const folder_request& request) {
  const QString chosen = QFileDialog::getExistingDirectory(dialog_parent(), request.title,
                                                           existing_native_folder(request.start_folder));
  if (chosen.isEmpty()) return std::nullopt;
  return to_windows_path(chosen);
}

std::optional<QString> qt_dialogs::file_dialog(const file_request& request) {
  QFileDialog dialog(dialog_parent(), request.title);
  const bool save = request.kind == file_dialog_kind::save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.filter.trimmed().isEmpty()) dialog.setNameFilter(qt_name_filters(request.filter.trimmed()));
  const QString folder = existing_native_folder(request.initial_folder);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (!request.file_name.isEmpty()) dialog.selectFile(request.file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return to_windows_path(dialog.selectedFiles().constFirst());
}

std::optional<printer_choice> qt_dialogs::printer_dialog(const printer_request& request) {
  QPrinter printer(QPrinter::HighResolution);
  if (!request.printer_name.isEmpty()) printer.setPrinterName(request.printer_name);
  printer.setCopyCount(std::max(1, request.copies));
  QPrintDialog dialog(&printer, dialog_parent());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  printer_choice choice;
  choice.printer_name = printer.printerName();
  choice.copies = printer.copyCount();
  choice.to_pdf = printer.outputFormat() == QPrinter::PdfFormat;
  if (choice.to_pdf) choice.pdf_file = to_windows_path(printer.outputFileName());
  return choice;
}

std::optional<font_choice> qt_dialogs::font_dialog(const font_request& request) {
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
