#pragma once
// A table model over a flex_grid, so that a QTableView can show it: every
// cell of the grid, fixed ones included, with its text, font, colours,
// alignment and picture. The model follows the grid's changes as the grid
// reports them; while the grid's redraw is off it keeps the counts it had
// and catches up when redraw comes back on.

#include <QAbstractTableModel>
#include <QColor>

#include "platform/model/grid/flex_grid.h"

namespace km::platform {

class flex_grid_model : public QAbstractTableModel, private flex_grid_observer {
  Q_OBJECT

 public:
  // data(index, fixed_role) is true for a fixed (heading) cell.
  static constexpr int fixed_role = Qt::UserRole + 1;

  explicit flex_grid_model(flex_grid* grid, QObject* parent = nullptr);
  ~flex_grid_model() override;

  flex_grid* grid() const { return grid_; }
  // Stops following the grid (before the grid goes away).
  void detach();

  // Colours of fixed cells without colours of their own.
  void set_fixed_colors(const QColor& back, const QColor& fore);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // No headings of its own: the grid's fixed rows and columns are its headings.
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // Widths, heights, fixed counts or merge settings changed.
  void geometry_changed();
  // The grid's current cell or selection moved.
  void current_cell_changed();
  void redraw_changed(bool on);

 private:
  void grid_reset() override;
  void grid_rows_inserted(int first, int count) override;
  void grid_rows_removed(int first, int count) override;
  void grid_cells_changed(const grid_range& block) override;
  void grid_layout_changed() override;
  void grid_current_changed() override;
  void grid_redraw_changed(bool on) override;
  void grid_destroyed() override;

  flex_grid* grid_;
  int rows_ = 0;
  int cols_ = 0;
  QColor fixed_back_;
  QColor fixed_fore_;
};

}  // namespace km::platform
