#include "printing/kies_drukker.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <exception>

#include "common/file_not_written.h"
#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/ui/window_placement.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/ui/printer/device_choice.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "printing/excel_export.h"
#include "printing/export_file_dialog.h"
#include "printing/print_choice_files.h"
#include "printing/print_job_start.h"
#include "printing/print_messages.h"
#include "printing/print_variables.h"
#include "printing/wys_druk_vordering.h"

namespace km {

namespace {

using platform::printer;

const char* const marking_property = "marking_colour";

// The device of a printer chosen in the printer dialog.
std::shared_ptr<platform::print_device> chosen_device(const platform::printer_choice& choice) {
  if (choice.to_pdf) {
    // The file the teacher named, wherever it lies; none named: a new file
    // in the documents folder.
    const QString native = !choice.pdf_native_file.isEmpty() ? choice.pdf_native_file
                           : choice.pdf_file.isEmpty()       ? QString()
                                                             : platform::to_native_path(choice.pdf_file);
    if (!native.isEmpty()) return platform::pdf_device::to_file(native);
    return std::make_shared<platform::pdf_device>();
  }
  return platform::make_printer_device(choice.printer_name, choice.paper);
}

}  // namespace

void click_label::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit clicked();
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

kies_drukker::kies_drukker() : form(QStringLiteral("kies_drukker")) {
  move_twips(0, 0, 6300, 3300);

  auto* column = new QVBoxLayout(this);
  printer_name_ = new click_label(this);
  printer_name_->setObjectName(QStringLiteral("drukker_naam"));
  printer_name_->setAlignment(Qt::AlignCenter);
  printer_name_->setCursor(Qt::PointingHandCursor);
  job_name_ = new QLabel(this);
  job_name_->setObjectName(QStringLiteral("drukwerk_naam"));
  job_name_->setAlignment(Qt::AlignCenter);
  QFont bold = job_name_->font();
  bold.setBold(true);
  job_name_->setFont(bold);
  // The copies stay as SELECT last chose them for every later report, so
  // the window shows them beside the printer's name.
  copies_ = new QLabel(this);
  copies_->setObjectName(QStringLiteral("drukker_kopie"));
  auto* printer_row = new QHBoxLayout;
  printer_row->addStretch();
  printer_row->addWidget(printer_name_);
  printer_row->addWidget(copies_);
  printer_row->addStretch();
  column->addLayout(printer_row);
  column->addWidget(job_name_);

  auto* buttons = new QGridLayout;
  const struct {
    const char* name;
    int row, col;
    void (kies_drukker::*handler)();
  } layout[] = {
      {"druk_ok", 0, 0, &kies_drukker::druk_ok_Click},
      {"druk_stop", 0, 1, &kies_drukker::druk_stop_Click},
      {"druk_wysig", 0, 2, &kies_drukker::druk_wysig_Click},
      {"kies_kleur", 1, 0, &kies_drukker::kies_kleur_Click},
      {"kies_mono", 1, 1, &kies_drukker::kies_mono_Click},
      {"kies_excel", 2, 0, &kies_drukker::kies_excel_Click},
      {"kies_html", 2, 1, &kies_drukker::kies_html_Click},
  };
  for (const auto& b : layout) {
    auto* push = new QPushButton(this);
    push->setObjectName(QString::fromLatin1(b.name));
    push->setAutoDefault(false);
    const auto handler = b.handler;
    on_click(push, [this, handler] { (this->*handler)(); });
    buttons->addWidget(push, b.row, b.col);
  }
  column->addLayout(buttons);
  on_signal(printer_name_, &click_label::clicked, [this] { drukker_naam_Click(); });
}

unsigned kies_drukker::marking_colour(const QPushButton* button) {
  return button ? button->property(marking_property).toUInt() : 0;
}

QPushButton* kies_drukker::button(const QString& name) const { return control<QPushButton>(name); }

void kies_drukker::Form_Load() {
  // The printers are looked up afresh for every report: one removed since
  // is not offered, one added is found.
  printer().set_device(platform::current_printer_device(printer().shared_device()));
  const QString device = printer().device_name();
  const struct {
    const char* name;
    const char16_t* caption_afr;
    const char16_t* caption_eng;
    const char16_t* tip_afr;
    const char16_t* tip_eng;
  } texts[] = {
      {"druk_ok", u"DRUK", u"PRINT", u" Druk na ", u" Print to "},
      {"druk_stop", u"KANSELLEER", u"CANCEL", u" Kanselleer drukwerk ", u" Cancel printing "},
      {"druk_wysig", u"VERANDER", u"SELECT", u" Kies 'n ander drukker ", u" Select a different printer "},
      {"kies_kleur", u"KLEUR", u"COLOUR", u" Doen drukwerk in kleur ", u" Do printing in colour "},
      {"kies_mono", u"MONO", u"MONO", u" Doen drukwerk in swart ", u" Do printing in black "},
      {"kies_excel", u"EXCEL", u"EXCEL", nullptr, nullptr},
      {"kies_html", u"HTML", u"HTML", nullptr, nullptr},
  };
  for (const auto& t : texts) {
    QPushButton* push = button(QString::fromLatin1(t.name));
    push->setText(in_language(t.caption_afr, t.caption_eng));
    if (t.tip_afr) push->setToolTip(in_language(t.tip_afr, t.tip_eng));
  }
  button(QStringLiteral("druk_ok"))->setToolTip(button(QStringLiteral("druk_ok"))->toolTip() + device);
  set_caption(platform::program_title());
  show_printer();
  job_name_->setText(g_print_job_name);
  centre_form(*this);
}

void kies_drukker::showEvent(QShowEvent* event) {
  form::showEvent(event);
  platform::run_handler([this] { Form_Activate(); });
}

void kies_drukker::Form_Activate() {
  g_export_excel = false;
  g_export_html = false;
  g_excel_workbook.reset();  // a workbook left by a report that never ended
  show_printer();
  if (wys_druk_vordering* progress = load_progress_window()) {
    progress->wdv_bladsy()->setText(QStringLiteral("0"));
    progress->wdv_opskrif()->clear();
  }
  if (const auto colour = read_colour_file()) g_print_colour = *colour;
  mark_colour_buttons();
}

void kies_drukker::show_printer() {
  printer_name_->setText(printer().device_name());
  copies_->setText(copies_text(printer().copies()));
}

QString kies_drukker::copies_text(int copies) {
  return in_language(u"KOPIE\u00cb: ", u"COPIES: ") + QString::number(copies);
}

void kies_drukker::mark_colour_buttons() {
  const auto mark = [](QPushButton* push, bool on) {
    push->setProperty(marking_property, on ? marked : unmarked);
    push->setStyleSheet(on ? QStringLiteral("color: #ff0000") : QStringLiteral("color: #000000"));
  };
  mark(button(QStringLiteral("kies_kleur")), g_print_colour);
  mark(button(QStringLiteral("kies_mono")), !g_print_colour);
}

void kies_drukker::kies_kleur_Click() {
  g_print_colour = true;
  mark_colour_buttons();
}

void kies_drukker::kies_mono_Click() {
  g_print_colour = false;
  mark_colour_buttons();
}

void kies_drukker::druk_ok_Click() {
  decided_ = true;
  g_print_go = true;
  // The colour choice is kept for the next report, where its folder exists
  // (the root of the current drive while g_user_folder is empty).
  const QString folder = platform::parent_folder_name(platform::full_win_path(colour_file_path()));
  if (!folder.isEmpty() && platform::folder_exists(folder)) {
    if (!write_colour_file(g_print_colour)) report_file_not_written(colour_file_path());
    begin_print_job();
    printer().set_current_x(0);
    printer().set_current_y(0);
    // Nothing is drawn yet, so no document goes out; one that did and
    // failed is reported, and the choice stands.
    (void)end_document_or_report();
  }
  hide();
}

void kies_drukker::cancel_choice() {
  decided_ = true;
  g_print_go = false;
  g_export_excel = false;
  g_export_html = false;
  g_excel_workbook.reset();
  printer().kill_doc();
}

void kies_drukker::druk_stop_Click() {
  cancel_choice();
  hide();
}

void kies_drukker::druk_wysig_Click() {
  decided_ = true;
  hide();
  std::optional<platform::printer_choice> choice;
  try {
    choice = platform::dialogs().printer_dialog({printer().device_name(), printer().copies()});
    if (choice) {
      printer().set_device(chosen_device(*choice));
      printer().set_copies(std::max(1, choice->copies));
    }
  } catch (const platform::program_ended&) {
    throw;
  } catch (const std::exception&) {
    choice.reset();
  }
  if (!choice) {
    druk_stop_Click();
    return;
  }
  druk_ok_Click();
}

void kies_drukker::kies_excel_Click() {
  decided_ = true;
  g_print_go = false;
  printer().kill_doc();
  g_export_excel = true;
  g_print_colour = true;
  if (!open_excel_export()) {
    cancel_choice();
    platform::unload_form(this);
    return;
  }
  hide();
}

void kies_drukker::kies_html_Click() {
  decided_ = true;
  g_print_go = true;
  g_export_html = true;
  if (!ask_export_file(html_folder_file_path(),
                       in_language(u"GIDSADRES VIR HTML-UITVOER", u"FOLDER ADDRESS FOR HTML EXPORT"),
                       g_html_file_name)) {
    cancel_choice();
    platform::unload_form(this);
    return;
  }
  g_html_folder = g_file_dialog_folder;
  g_html_file_name = g_file_dialog_file_name.trimmed();
  hide();
}

bool kies_drukker::query_unload(platform::unload_reason reason) {
  // Closed without a button: nothing prints.
  if (reason == platform::unload_reason::close_box && !decided_) cancel_choice();
  return true;
}

void register_kies_drukker() {
  platform::register_form(QStringLiteral("kies_drukker"), [] { return new kies_drukker; });
}

}  // namespace km
