#pragma once
// The column explanations of the set-up window: a frame with a rich-text
// box that says what the six set-up columns mean, loaded from the file of
// the chosen language at each opening, with keys for fonts and formatting,
// a print button, and an OK that writes the edited text back for the
// program's maker's own test school only.
#include <QFrame>
#include <QString>
#include <functional>

class QKeyEvent;
class QTextEdit;

namespace km {

class column_explanations : public QFrame {
 public:
  // current_cell_text gives the text of the set-up grid's current cell.
  column_explanations(QWidget* parent, std::function<QString()> current_cell_text);

  // Loads the file of the language into the box and shows the frame.
  void load_column_info();
  // The formatting keys of the box; true when the key was one of them.
  bool kolom_beskrywings_KeyDown(QKeyEvent* event);
  void kb_druk_Click();
  void kb_ok_Click();

  QTextEdit* box() const { return box_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void choose_font();
  void upper_case_selection();
  void indent_selection();
  void toggle_bullets();

  QTextEdit* box_ = nullptr;
  std::function<QString()> current_cell_text_;
};

}  // namespace km
