#pragma once
// The mark-book print window: the teacher picks a combination and prints
// (or exports to a workbook) its mark book, the learners with the mark of
// every named task row under the tasks' totals, the rows 1 to 20 on the
// first pass and 21 to 40 on a second, each with the legend of the tasks.
// Opened by the capture window for its merit list, it prints that list
// for as long as it is open, whatever row of the list the teacher clicks.
#include "markbook/book_print_form.h"
#include "platform/model/grid/flex_grid.h"

namespace km {

class pboek_druk : public book_print_form {
 public:
  explicit pboek_druk(QWidget* parent = nullptr);

  void pboek_druk_print_Click() override;

  // Merit-list mode: the print button prints a copy of this grid under
  // this title.
  void show_merit_list(const platform::flex_grid& merit, const QString& title);
  bool merit_mode() const { return merit_mode_; }

 protected:
  void set_texts() override;
  QString combination_title(const QStringList& cells) const override;
  bool prints_handed_list() const override { return merit_mode_; }

 private:
  void print_mark_book();
  void print_merit_list();

  bool merit_mode_ = false;
  platform::flex_grid merit_grid_;
  QString merit_title_;
};

}  // namespace km
