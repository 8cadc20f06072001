#pragma once
// A grid on screen: a table view that shows the flex_grid it owns. Fixed
// rows stay at the top and fixed columns at the left while the rest
// scrolls, drawn like headings; widths and heights follow the grid's twips
// (15 to a pixel), a width or height of 0 hides the column or row, and
// equal cells are joined where the grid's merge settings say so. The grid
// is not edited on screen.
//
// The user's choice of cell becomes the grid's current cell (row(), col())
// and selection; a click on a fixed column chooses the whole row, a click on
// a fixed row the whole column. Windows hook the signals below; the view's
// objectName is the control's name.

#include <QPoint>
#include <QTableView>

#include "platform/model/grid/flex_grid.h"

namespace km::platform {

class flex_grid_model;

class flex_grid_view : public QTableView {
  Q_OBJECT

 public:
  explicit flex_grid_view(const QString& name, QWidget* parent = nullptr);
  ~flex_grid_view() override;

  flex_grid& grid() { return grid_; }
  const flex_grid& grid() const { return grid_; }
  flex_grid_model* grid_model() const { return model_; }

  // Choose whole rows rather than single cells (for lists).
  void set_select_whole_rows(bool on);

  // The cell under the mouse at the last button press; -1 outside the cells.
  int mouse_row() const { return mouse_row_; }
  int mouse_col() const { return mouse_col_; }

  // The control's size in twips.
  int width_twips() const;
  int height_twips() const;
  void set_width_twips(double twips);
  void set_height_twips(double twips);

  // The parts that show the fixed rows, the fixed columns and their corner
  // (hidden while there are none).
  QTableView* fixed_rows_view() const { return top_; }
  QTableView* fixed_cols_view() const { return left_; }
  QTableView* corner_view() const { return corner_; }

 signals:
  // A cell was clicked (after the current cell moved to it).
  void click();
  void double_click();
  // A key went down while the grid had the focus, before the grid moved;
  // the key as its Windows key code (13 for Enter).
  void key_down(int key_code, Qt::KeyboardModifiers modifiers);
  // Enter or Return.
  void enter_pressed();
  // Any mouse button went down; the position is in twips from the
  // control's top-left corner.
  void mouse_down(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position_twips);
  // The user moved the current cell or the selection.
  void row_col_change();

 protected:
  void updateGeometries() override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* make_part();
  void apply_layout();
  void apply_sizes(QTableView* view, int row_end, int col_end, bool hide_fixed_rows, bool hide_fixed_cols);
  void apply_row_sizes(int first, int last);
  void apply_spans();
  void place_parts();
  void show_grid_current();
  void take_view_current();
  void choose_from_fixed(const QModelIndex& index);
  void note_mouse(QTableView* part, const QMouseEvent* event);
  QTableView* part_of(QObject* viewport) const;

  flex_grid grid_;
  flex_grid_model* model_ = nullptr;
  QTableView* top_ = nullptr;
  QTableView* left_ = nullptr;
  QTableView* corner_ = nullptr;
  int fixed_height_ = 0;  // pixels
  int fixed_width_ = 0;   // pixels
  bool has_spans_ = false;
  bool syncing_ = false;
  int mouse_row_ = -1;
  int mouse_col_ = -1;
  QPersistentModelIndex pressed_in_part_;
};

}  // namespace km::platform
