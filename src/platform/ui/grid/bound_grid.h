#pragma once
// The bound capture grid of the marks windows: the records of a data
// control's table, one row each, in two parts kept in step, the first
// columns frozen at the left and the rest scrolling beside them. Cells are
// edited in place: a typed character starts an edit that replaces the
// cell's text, F2 or a double click edits the text as it stands, Escape
// abandons the edit. Enter, Up, Down, Tab and Shift+Tab end it through the
// model's validator: a refused text keeps the editor open with what was
// typed; an accepted one moves as the key points (Enter one row down,
// staying on the last row).
#include <QString>
#include <QWidget>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QTableView;

namespace km::platform {

class recordset_model;

// A key that types its character into a cell (and so starts an edit): one
// printable character, without Control or Alt.
bool types_character(const QKeyEvent* key);

class bound_grid : public QWidget {
  Q_OBJECT

 public:
  explicit bound_grid(const QString& name, QWidget* parent = nullptr);

  void set_model(recordset_model* model);
  recordset_model* model() const { return model_; }
  // Columns 0 .. count - 1 stand in the frozen part, the rest scroll.
  void set_frozen_columns(int count);
  int frozen_columns() const { return frozen_; }
  // Only the first count columns are shown (-1: all of them).
  void set_shown_columns(int count);
  void set_column_width(int column, int twips);
  // The width in twips a column needs to show its heading whole (in the
  // bold face the heading of the current column takes).
  int heading_width_twips(int column) const;
  // Heading rows tall enough for captions of this many lines.
  void set_heading_lines(int lines);

  int row() const;
  int col() const;
  void set_current(int row, int column);

  bool editing() const { return editor_ != nullptr; }
  QLineEdit* editor() const { return editor_; }
  // Starts an edit of the current cell: the text given replaces the cell's
  // (replace) or the cell's own text is edited.
  void start_edit(bool replace, const QString& typed = QString());
  // Ends the edit through the validator; false (the editor stays) when
  // the text was refused.
  bool commit_edit();
  void cancel_edit();

  // Where an edit that would start in a column starts instead: the hook
  // gives the column to move to (-1: the hook has moved the cursor
  // itself). When that differs from the column the cursor moves there; a
  // typed character then starts the edit in the new cell, where the hook
  // lets an edit start, so no key the teacher types is lost. F2, a double
  // click and a click only move the cursor.
  void set_edit_redirect(std::function<int(int column)> redirect) { redirect_ = std::move(redirect); }

  // Where the cursor goes after an edit that a key ended: the hook gets the
  // edited cell and the key, and returns true when it has placed the cursor
  // itself (otherwise the key moves it as usual).
  void set_after_commit(std::function<bool(int row, int column, int key)> hook) {
    after_commit_ = std::move(hook);
  }

  // The two parts (frozen, scrolling), for tests and screenshots.
  QTableView* frozen_view() const { return frozen_view_; }
  QTableView* scrolling_view() const { return scrolling_view_; }
  // The part that holds the current cell.
  QTableView* current_view() const { return view_of(col()); }

 signals:
  void head_click(int column);
  // An edit was written (after the validator accepted it).
  void cell_committed(int row, int column);
  // The current cell moved.
  void current_changed(int row, int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* make_view();
  QTableView* view_of(int column) const;
  void apply_columns();
  // Whether an edit may start in the current cell: the redirect may move
  // the cursor instead (false). With follow_move, an edit may start in the
  // cell the cursor was moved to, when the redirect keeps it there.
  bool may_edit_here(bool follow_move = false);
  bool editor_key(int key, Qt::KeyboardModifiers modifiers);
  void move_after_commit(int key, Qt::KeyboardModifiers modifiers);

  recordset_model* model_ = nullptr;
  QTableView* frozen_view_ = nullptr;
  QTableView* scrolling_view_ = nullptr;
  QLineEdit* editor_ = nullptr;
  int edit_row_ = -1;
  int edit_col_ = -1;
  int frozen_ = 0;
  int shown_ = -1;
  std::function<int(int)> redirect_;
  std::function<bool(int, int, int)> after_commit_;
};

}  // namespace km::platform
