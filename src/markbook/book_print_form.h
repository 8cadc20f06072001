#pragma once
// What the mark-book print window and the symbol-distribution window share:
// the list of combinations, the choice of one (its mark book must exist and
// hold the 40 mark sets), the set-up found afresh at every print, the book
// re-read at every print (read-only, so the capture window keeps its write
// lock), the status panel and clock, and the way back to the sub-menu.
#include <QString>
#include <QStringList>
#include <optional>

#include "markbook/pboek_setup_line.h"
#include "platform/ui/form.h"

namespace km {

namespace platform {
class data_control;
class flex_grid;
class flex_grid_view;
}  // namespace platform

class book_print_form : public platform::form {
 public:
  void on_load() override;
  bool on_key_down(QKeyEvent* event) override;
  void request_close() override;

  // A click on the list, or Enter in it: binds the book of that row.
  void vak_grid_Click();
  virtual void pboek_druk_print_Click() = 0;
  void pboek_druk_exit_Click();
  void Timer1_Timer();

  // The chosen combination (0 until one is chosen) and its report title.
  int combination() const { return combination_; }
  const QString& report_title() const { return title_; }
  platform::flex_grid& subject_grid() const;
  platform::flex_grid& report_grid() const;

 protected:
  explicit book_print_form(const QString& name, QWidget* parent);

  // The window's heading and the texts of its buttons.
  virtual void set_texts() = 0;
  // The report title of a combination from its list cells.
  virtual QString combination_title(const QStringList& cells) const = 0;
  // True while the window prints a list it was handed (the merit list): a
  // click on the combinations then chooses no book in its place.
  virtual bool prints_handed_list() const { return false; }

  // The set-up of the chosen combination, or none after the no-set-up
  // message (the window has then closed). Counts the named rows into
  // g_setup_row_count.
  std::optional<setup_rows> read_chosen_setup();
  // Opens the chosen book afresh, read-only; false after the message (the
  // window has then closed).
  bool open_chosen_book();
  platform::data_control& book() const { return *pnt_dta_; }
  // After a print job: the list shows again and the heading is emptied.
  void after_print();
  void leave_to_menu();

 private:
  bool choose_combination(int row);

  platform::flex_grid_view* vak_grid_ = nullptr;
  platform::flex_grid_view* pnt_grid_ = nullptr;
  platform::data_control* pnt_dta_ = nullptr;
  QStringList cells_;
  int combination_ = 0;
  QString title_;
};

}  // namespace km
