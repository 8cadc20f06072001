#include "platform/ui/grid/flex_grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "platform/ui/form.h"
#include "platform/ui/grid/flex_grid_model.h"
#include "platform/ui/virtual_keys.h"

namespace km::platform {

namespace {

// A view of the fixed cells; its scroll ranges are brought up to date at
// once when the grid's layout changes, so that it can follow the main view.
class fixed_part : public QTableView {
 public:
  using QTableView::QTableView;
  void update_ranges() { updateGeometries(); }
};

}  // namespace

// The headers of the main view are kept as empty placeholders exactly as
// high (wide) as the fixed rows (columns); the parts that show the fixed
// cells lie over them. The main view hides the fixed rows and columns, so
// its scrolling never slides a cell under a fixed one, and the parts follow
// its scroll bars.

flex_grid_view::flex_grid_view(const QString& name, QWidget* parent) : QTableView(parent) {
  setObjectName(name);
  model_ = new flex_grid_model(&grid_, this);
  setModel(model_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(0);
    header->setHighlightSections(false);
  }
  horizontalHeader()->setStretchLastSection(false);

  top_ = make_part();
  left_ = make_part();
  corner_ = make_part();

  connect(horizontalScrollBar(), &QScrollBar::valueChanged, top_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, left_->verticalScrollBar(), &QScrollBar::setValue);

  // A reset of the grid also reports its geometry.
  connect(model_, &flex_grid_model::geometry_changed, this, &flex_grid_view::apply_layout);
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
    if (first < grid_.fixed_rows()) return apply_layout();
    apply_row_sizes(first, last);
    if (has_spans_ || grid_.merge_cells() != merge_mode::never) apply_spans();
  });
  connect(model_, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int) {
    if (first < grid_.fixed_rows()) return apply_layout();
    if (has_spans_ || grid_.merge_cells() != merge_mode::never) apply_spans();
  });
  connect(model_, &QAbstractItemModel::dataChanged, this, [this] {
    if (has_spans_ || grid_.merge_cells() != merge_mode::never) apply_spans();
  });
  connect(model_, &flex_grid_model::current_cell_changed, this, &flex_grid_view::show_grid_current);
  connect(model_, &flex_grid_model::redraw_changed, this, [this](bool on) {
    setUpdatesEnabled(on);
    if (on) viewport()->update();
  });

  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &flex_grid_view::take_view_current);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &flex_grid_view::take_view_current);
  connect(this, &QAbstractItemView::clicked, this, &flex_grid_view::click);
  connect(this, &QAbstractItemView::doubleClicked, this, &flex_grid_view::double_click);

  apply_layout();
  show_grid_current();
}

flex_grid_view::~flex_grid_view() {
  // The grid goes before the model (a child of this widget): let go of it.
  model_->detach();
}

QTableView* flex_grid_view::make_part() {
  auto* part = new fixed_part(this);
  part->setModel(model_);
  part->horizontalHeader()->hide();
  part->verticalHeader()->hide();
  part->horizontalHeader()->setMinimumSectionSize(0);
  part->verticalHeader()->setMinimumSectionSize(0);
  part->setFrameShape(QFrame::NoFrame);
  part->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  part->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  part->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  part->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  part->setEditTriggers(QAbstractItemView::NoEditTriggers);
  part->setSelectionMode(QAbstractItemView::NoSelection);
  part->setFocusPolicy(Qt::NoFocus);
  part->viewport()->installEventFilter(this);
  part->hide();
  // A range that changes later must not leave the part out of step.
  connect(part->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this, part] {
    part->horizontalScrollBar()->setValue(part == top_ ? horizontalScrollBar()->value() : 0);
  });
  connect(part->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this, part] {
    part->verticalScrollBar()->setValue(part == left_ ? verticalScrollBar()->value() : 0);
  });
  return part;
}

int flex_grid_view::width_twips() const { return width() * twips_per_pixel; }
int flex_grid_view::height_twips() const { return height() * twips_per_pixel; }
void flex_grid_view::set_width_twips(double twips) { resize(twips_to_pixels(twips), height()); }
void flex_grid_view::set_height_twips(double twips) { resize(width(), twips_to_pixels(twips)); }

void flex_grid_view::set_select_whole_rows(bool on) {
  setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

// --- Layout ---------------------------------------------------------------------

void flex_grid_view::apply_sizes(QTableView* view, int row_end, int col_end, bool hide_fixed_rows,
                                 bool hide_fixed_cols) {
  const int fixed_rows = grid_.fixed_rows(), fixed_cols = grid_.fixed_cols();
  row_end = std::min({row_end, model_->rowCount(), grid_.rows()});
  col_end = std::min({col_end, model_->columnCount(), grid_.cols()});
  for (int r = 0; r < row_end; ++r) {
    const int h = twips_to_pixels(grid_.row_height(r));
    const bool hidden = h == 0 || (hide_fixed_rows && r < fixed_rows);
    if (view->isRowHidden(r) != hidden) view->setRowHidden(r, hidden);
    if (!hidden && view->rowHeight(r) != h) view->setRowHeight(r, h);
  }
  for (int c = 0; c < col_end; ++c) {
    const int w = twips_to_pixels(grid_.col_width(c));
    const bool hidden = w == 0 || (hide_fixed_cols && c < fixed_cols);
    if (view->isColumnHidden(c) != hidden) view->setColumnHidden(c, hidden);
    if (!hidden && view->columnWidth(c) != w) view->setColumnWidth(c, w);
  }
}

void flex_grid_view::apply_layout() {
  const int fixed_rows = std::min(grid_.fixed_rows(), model_->rowCount());
  const int fixed_cols = std::min(grid_.fixed_cols(), model_->columnCount());
  const int all = std::numeric_limits<int>::max();
  const int default_height = std::max(1, twips_to_pixels(grid_.default_row_height()));
  for (QTableView* view : {static_cast<QTableView*>(this), top_, left_, corner_})
    view->verticalHeader()->setDefaultSectionSize(default_height);
  apply_sizes(this, all, all, true, true);
  apply_sizes(top_, fixed_rows, all, false, true);
  apply_sizes(left_, all, fixed_cols, true, false);
  apply_sizes(corner_, fixed_rows, fixed_cols, false, false);

  fixed_height_ = 0;
  for (int r = 0; r < fixed_rows; ++r) fixed_height_ += twips_to_pixels(grid_.row_height(r));
  fixed_width_ = 0;
  for (int c = 0; c < fixed_cols; ++c) fixed_width_ += twips_to_pixels(grid_.col_width(c));
  horizontalHeader()->setFixedHeight(fixed_height_);
  verticalHeader()->setFixedWidth(fixed_width_);

  apply_spans();
  updateGeometries();
  show_grid_current();
}

void flex_grid_view::apply_row_sizes(int first, int last) {
  for (QTableView* view : {static_cast<QTableView*>(this), left_}) {
    for (int r = first; r <= last && r < grid_.rows(); ++r) {
      const int h = twips_to_pixels(grid_.row_height(r));
      if (view->isRowHidden(r) != (h == 0)) view->setRowHidden(r, h == 0);
      if (h > 0 && view->rowHeight(r) != h) view->setRowHeight(r, h);
    }
  }
}

void flex_grid_view::apply_spans() {
  const std::vector<grid_range> blocks = grid_.merged_ranges();
  if (!has_spans_ && blocks.empty()) return;
  const int rows = model_->rowCount(), cols = model_->columnCount();
  for (QTableView* view : {static_cast<QTableView*>(this), top_, left_, corner_}) {
    view->clearSpans();
    for (const grid_range& b : blocks)
      if (b.row + b.rows <= rows && b.col + b.cols <= cols) view->setSpan(b.row, b.col, b.rows, b.cols);
  }
  has_spans_ = !blocks.empty();
}

void flex_grid_view::updateGeometries() {
  QTableView::updateGeometries();
  place_parts();
}

void flex_grid_view::place_parts() {
  if (!top_ || !left_ || !corner_) return;
  const QRect vp = viewport()->geometry();
  top_->setGeometry(vp.left(), vp.top() - fixed_height_, vp.width(), fixed_height_);
  left_->setGeometry(vp.left() - fixed_width_, vp.top(), fixed_width_, vp.height());
  corner_->setGeometry(vp.left() - fixed_width_, vp.top() - fixed_height_, fixed_width_, fixed_height_);
  top_->setVisible(fixed_height_ > 0);
  left_->setVisible(fixed_width_ > 0);
  corner_->setVisible(fixed_height_ > 0 && fixed_width_ > 0);
  for (QTableView* part : {top_, left_, corner_}) {
    part->raise();
    static_cast<fixed_part*>(part)->update_ranges();
    part->horizontalScrollBar()->setValue(part == top_ ? horizontalScrollBar()->value() : 0);
    part->verticalScrollBar()->setValue(part == left_ ? verticalScrollBar()->value() : 0);
  }
}

// --- Current cell: grid and view in step -------------------------------------------

void flex_grid_view::show_grid_current() {
  if (syncing_ || model_->rowCount() == 0 || model_->columnCount() == 0) return;
  if (grid_.row() >= model_->rowCount() || grid_.col() >= model_->columnCount()) return;
  syncing_ = true;
  const grid_range sel = grid_.selection();
  const int bottom = std::min(sel.row + sel.rows, model_->rowCount()) - 1;
  const int right = std::min(sel.col + sel.cols, model_->columnCount()) - 1;
  selectionModel()->setCurrentIndex(model_->index(grid_.row(), grid_.col()), QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(model_->index(sel.row, sel.col), model_->index(bottom, right)),
                           QItemSelectionModel::ClearAndSelect);
  syncing_ = false;
}

void flex_grid_view::take_view_current() {
  if (syncing_) return;
  const QModelIndex current = currentIndex();
  if (!current.isValid() || current.row() >= grid_.rows() || current.column() >= grid_.cols()) return;
  int row_sel = current.row(), col_sel = current.column();
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    if (!range.contains(current)) continue;
    row_sel = current.row() == range.top() ? range.bottom() : range.top();
    col_sel = current.column() == range.left() ? range.right() : range.left();
    break;
  }
  const int before[] = {grid_.row(), grid_.col(), grid_.row_sel(), grid_.col_sel()};
  syncing_ = true;
  grid_.set_row(current.row());
  grid_.set_col(current.column());
  grid_.set_row_sel(std::min(row_sel, grid_.rows() - 1));
  grid_.set_col_sel(std::min(col_sel, grid_.cols() - 1));
  syncing_ = false;
  const int after[] = {grid_.row(), grid_.col(), grid_.row_sel(), grid_.col_sel()};
  if (!std::equal(std::begin(before), std::end(before), std::begin(after))) emit row_col_change();
}

void flex_grid_view::choose_from_fixed(const QModelIndex& index) {
  const int r = index.row(), c = index.column();
  const int fixed_rows = grid_.fixed_rows(), fixed_cols = grid_.fixed_cols();
  const int rows = grid_.rows(), cols = grid_.cols();
  if (r >= rows || c >= cols) return;
  if (r >= fixed_rows) {
    // A row heading: the whole row.
    grid_.set_row(r);
    grid_.set_col(fixed_cols < cols ? fixed_cols : c);
    grid_.set_col_sel(cols - 1);
  } else if (c >= fixed_cols) {
    // A column heading: the whole column.
    grid_.set_col(c);
    grid_.set_row(fixed_rows < rows ? fixed_rows : r);
    grid_.set_row_sel(rows - 1);
  } else {
    return;
  }
  emit row_col_change();
}

// --- Mouse and keys ---------------------------------------------------------------

void flex_grid_view::note_mouse(QTableView* part, const QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QModelIndex index = part->indexAt(pos);
  mouse_row_ = index.isValid() ? index.row() : -1;
  mouse_col_ = index.isValid() ? index.column() : -1;
  const QPoint in_control = part->viewport()->mapTo(this, pos);
  emit mouse_down(event->button(), event->modifiers(),
                  QPoint(in_control.x() * twips_per_pixel, in_control.y() * twips_per_pixel));
}

void flex_grid_view::mousePressEvent(QMouseEvent* event) {
  note_mouse(this, event);
  // Only the left button chooses a cell.
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void flex_grid_view::keyPressEvent(QKeyEvent* event) {
  emit key_down(virtual_key_code(*event), event->modifiers());
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enter_pressed();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

QTableView* flex_grid_view::part_of(QObject* viewport) const {
  for (QTableView* part : {top_, left_, corner_})
    if (part && part->viewport() == viewport) return part;
  return nullptr;
}

bool flex_grid_view::eventFilter(QObject* watched, QEvent* event) {
  QTableView* part = part_of(watched);
  if (!part) return QTableView::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* me = static_cast<QMouseEvent*>(event);
      note_mouse(part, me);
      pressed_in_part_ = QPersistentModelIndex();
      if (me->button() == Qt::LeftButton) {
        const QModelIndex index = part->indexAt(me->position().toPoint());
        if (index.isValid()) {
          pressed_in_part_ = index;
          choose_from_fixed(index);
        }
      }
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::LeftButton && pressed_in_part_.isValid() &&
          part->indexAt(me->position().toPoint()) == QModelIndex(pressed_in_part_))
        emit click();
      pressed_in_part_ = QPersistentModelIndex();
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() == Qt::LeftButton && part->indexAt(me->position().toPoint()).isValid())
        emit double_click();
      return true;
    }
    case QEvent::MouseMove:
      return true;
    case QEvent::Wheel:
      // The parts do not scroll on their own; the wheel scrolls the grid.
      QApplication::sendEvent(viewport(), event);
      return true;
    default:
      return QTableView::eventFilter(watched, event);
  }
}

}  // namespace km::platform
