#include "platform/ui/grid/bound_grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "platform/dbase/recordset_model.h"
#include "platform/ui/form.h"

namespace km::platform {

namespace {

bool is_navigation_key(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down ||
         key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

}  // namespace

bool types_character(const QKeyEvent* key) {
  const QString text = key->text();
  return text.size() == 1 && text[0].isPrint() &&
         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bound_grid::bound_grid(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  frozen_view_ = make_view();
  scrolling_view_ = make_view();
  frozen_view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  row->addWidget(frozen_view_, 0);
  row->addWidget(scrolling_view_, 1);
  // The two parts scroll as one.
  connect(scrolling_view_->verticalScrollBar(), &QScrollBar::valueChanged, frozen_view_->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(frozen_view_->verticalScrollBar(), &QScrollBar::valueChanged, scrolling_view_->verticalScrollBar(),
          &QScrollBar::setValue);
}

QTableView* bound_grid::make_view() {
  auto* v = new QTableView(this);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->verticalHeader()->hide();
  v->setTabKeyNavigation(false);
  v->installEventFilter(this);
  v->viewport()->installEventFilter(this);
  connect(v->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { emit head_click(c); });
  // A click into a column that takes no edits goes where an edit would.
  connect(v, &QTableView::clicked, this, [this] { may_edit_here(); });
  connect(v, &QTableView::doubleClicked, this, [this] {
    if (may_edit_here()) start_edit(false);
  });
  return v;
}

void bound_grid::set_model(recordset_model* model) {
  model_ = model;
  frozen_view_->setModel(model);
  scrolling_view_->setModel(model);
  scrolling_view_->setSelectionModel(frozen_view_->selectionModel());
  connect(frozen_view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& now) { emit current_changed(now.row(), now.column()); });
  connect(model, &QAbstractItemModel::modelReset, this, [this] { apply_columns(); });
  apply_columns();
}

void bound_grid::set_frozen_columns(int count) {
  frozen_ = count;
  apply_columns();
}

void bound_grid::set_shown_columns(int count) {
  shown_ = count;
  apply_columns();
}

void bound_grid::apply_columns() {
  if (!model_) return;
  int frozen_width = 0;
  for (int c = 0; c < model_->columnCount(); ++c) {
    const bool beyond = shown_ >= 0 && c >= shown_;
    frozen_view_->setColumnHidden(c, c >= frozen_ || beyond);
    scrolling_view_->setColumnHidden(c, c < frozen_ || beyond);
    if (c < frozen_) frozen_width += frozen_view_->columnWidth(c);
  }
  frozen_view_->setVisible(frozen_ > 0);
  frozen_view_->setFixedWidth(frozen_width + 2 * frozen_view_->frameWidth());
}

void bound_grid::set_column_width(int column, int twips) {
  const int pixels = twips / twips_per_pixel;
  frozen_view_->setColumnWidth(column, pixels);
  scrolling_view_->setColumnWidth(column, pixels);
  apply_columns();
}

int bound_grid::heading_width_twips(int column) const {
  if (!model_) return 0;
  QFont font = scrolling_view_->horizontalHeader()->font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const QString& line : model_->headerData(column, Qt::Horizontal).toString().split(u'\n'))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  constexpr int margins = 16;  // the section's padding on both sides
  return (widest + margins) * twips_per_pixel;
}

void bound_grid::set_heading_lines(int lines) {
  const int height = lines * fontMetrics().lineSpacing() + 8;
  frozen_view_->horizontalHeader()->setFixedHeight(height);
  scrolling_view_->horizontalHeader()->setFixedHeight(height);
}

int bound_grid::row() const {
  return frozen_view_->selectionModel() ? frozen_view_->currentIndex().row() : -1;
}

int bound_grid::col() const {
  return frozen_view_->selectionModel() ? frozen_view_->currentIndex().column() : -1;
}

QTableView* bound_grid::view_of(int column) const {
  return column < frozen_ ? frozen_view_ : scrolling_view_;
}

void bound_grid::set_current(int row, int column) {
  if (!model_ || row < 0 || column < 0 || row >= model_->rowCount() || column >= model_->columnCount())
    return;
  const QModelIndex index = model_->index(row, column);
  QTableView* view = view_of(column);
  view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  view->scrollTo(index);
  if (hasFocus() || isAncestorOf(QApplication::focusWidget())) view->setFocus();
}

bool bound_grid::may_edit_here(bool follow_move) {
  const int column = col();
  if (column < 0) return false;
  const int to = redirect_ ? redirect_(column) : column;
  if (to == column) return true;
  if (to >= 0) set_current(row(), to);
  if (!follow_move || col() < 0 || col() == column) return false;
  // One move only: the cell moved to takes the key when it takes edits.
  return redirect_(col()) == col();
}

void bound_grid::start_edit(bool replace, const QString& typed) {
  if (editing() || !model_ || row() < 0 || col() < 0) return;
  edit_row_ = row();
  edit_col_ = col();
  const QModelIndex index = model_->index(edit_row_, edit_col_);
  QTableView* view = view_of(edit_col_);
  editor_ = new QLineEdit(view->viewport());
  editor_->setObjectName(QStringLiteral("bound_grid_editor"));
  editor_->setText(replace ? typed : model_->data(index, Qt::EditRole).toString());
  editor_->installEventFilter(this);
  view->setIndexWidget(index, editor_);
  editor_->setFocus();
  editor_->end(false);
}

bool bound_grid::commit_edit() {
  if (!editing()) return true;
  if (!model_->setData(model_->index(edit_row_, edit_col_), editor_->text(), Qt::EditRole)) {
    if (editor_) editor_->setFocus();  // refused: the typed text stays for the teacher to mend
    return false;
  }
  const int r = edit_row_, c = edit_col_;
  cancel_edit();
  emit cell_committed(r, c);
  return true;
}

void bound_grid::cancel_edit() {
  if (!editing()) return;
  QTableView* view = view_of(edit_col_);
  editor_->removeEventFilter(this);
  editor_ = nullptr;
  view->setIndexWidget(model_->index(edit_row_, edit_col_), nullptr);  // deletes the editor
  view->setFocus();
}

void bound_grid::move_after_commit(int key, Qt::KeyboardModifiers) {
  const int r = row(), c = col();
  const int last_row = model_->rowCount() - 1;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      set_current(std::min(r + 1, last_row), c);
      break;
    case Qt::Key_Up:
      set_current(std::max(r - 1, 0), c);
      break;
    case Qt::Key_Tab:
      set_current(r, std::min(c + 1, model_->columnCount() - 1));
      break;
    case Qt::Key_Backtab:
      set_current(r, std::max(c - 1, 0));
      break;
    default:
      break;
  }
}

bool bound_grid::editor_key(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Escape) {
    cancel_edit();
    return true;
  }
  if (!is_navigation_key(key)) return false;
  const int r = edit_row_, c = edit_col_;
  if (commit_edit() && !(after_commit_ && after_commit_(r, c, key))) move_after_commit(key, modifiers);
  return true;
}

bool bound_grid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    if (event->type() == QEvent::MouseButtonPress && editing() && watched != editor_ && !commit_edit())
      return true;
    return QWidget::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == editor_) return editor_key(key->key(), key->modifiers());
  if (watched != frozen_view_ && watched != scrolling_view_) return QWidget::eventFilter(watched, event);
  if (key->key() == Qt::Key_F2) {
    if (may_edit_here()) start_edit(false);
    return true;
  }
  if (is_navigation_key(key->key())) {
    move_after_commit(key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? Qt::Key_Down : key->key(),
                      key->modifiers());
    return true;
  }
  if (types_character(key)) {
    if (may_edit_here(true)) start_edit(true, key->text());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace km::platform
