#pragma once
// The cycle-marks capture window: the teacher chooses a subject
// combination, states the total to type against (the input total) and
// types or pastes one mark per learner, with an optional code column, and
// prints a mark list. The save copies every mark into the combination's
// outcomes-based table. What both capture windows do alike is in
// capture_form.
#include <vector>

#include "marks/capture_form.h"

namespace km {

struct mark_list_entry;

class punte_inlees : public capture_form {
 public:
  explicit punte_inlees(QWidget* parent = nullptr);

  void on_load() override;

  void choose_subject(int row) override;
  void pnt_grid_HeadClick(int column);
  void paste_into_flex_Click();
  void marks_print_Click();

  bool with_effort_keys() const { return with_effort_keys_; }

 protected:
  void tell_converting(double from, double to) const override;
  QString undo_text() const override;
  QString scaling_text(double average) const override;
  void fill_grid() override;
  void print_saved_list() override;

 private:
  void build_controls();
  void set_texts();
  void apply_column_layout();
  bool after_commit(int row, int column, int key);
  std::vector<mark_list_entry> list_entries() const;
  // Prints the mark list of the open table against the total its marks
  // are shown in.
  void print_mark_list(bool by_mark, double total);

  bool with_effort_keys_ = false;
};

}  // namespace km
