#pragma once
// The printer-choice window kies_drukker, shown modally before every
// report. It names the printer and the report and lets the user print,
// cancel, pick another printer, choose colour or black printing, or send
// the report to an Excel workbook or an HTML page instead of the printer.
// Its answer is left in the print variables: g_print_go (print, also for
// HTML), g_export_excel with the open workbook, g_export_html, g_print_colour
// and the export folders and names. Every way out that is not PRINT, EXCEL
// or HTML carried through (CANCEL, the close box, a cancelled printer or
// export dialog) leaves the choice cancelled.

#include <QLabel>
#include <QPushButton>

#include "platform/ui/form.h"

namespace km {

// A label that reports a mouse click.
class click_label : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class kies_drukker : public platform::form {
  Q_OBJECT

 public:
  kies_drukker();

  // The marking colour of the two colour buttons: 255 (red) on the one that
  // stands for the current choice, 0 (black) on the other.
  static constexpr unsigned marked = 255;
  static constexpr unsigned unmarked = 0;
  static unsigned marking_colour(const QPushButton* button);
  // "COPIES: 2", beside the printer's name.
  static QString copies_text(int copies);

  // Event handlers, public so that tests can run them directly.
  void Form_Load();
  void Form_Activate();
  void druk_ok_Click();
  void druk_stop_Click();
  void druk_wysig_Click();
  void drukker_naam_Click() { druk_wysig_Click(); }
  void kies_kleur_Click();
  void kies_mono_Click();
  void kies_excel_Click();
  void kies_html_Click();

  void on_load() override { Form_Load(); }
  bool query_unload(platform::unload_reason reason) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* button(const QString& name) const;
  void mark_colour_buttons();
  // The printer's name and the copies every print makes.
  void show_printer();
  // The choice is cancelled: nothing prints and no export starts.
  void cancel_choice();

  click_label* printer_name_;
  QLabel* copies_;
  QLabel* job_name_;
  bool decided_ = false;
};

void register_kies_drukker();

}  // namespace km
