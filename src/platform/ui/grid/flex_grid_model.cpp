#include "platform/ui/grid/flex_grid_model.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

#include "platform/model/grid/grid_text.h"
#include "platform/model/print/font_mapping.h"

namespace km::platform {

namespace {

Qt::Alignment qt_alignment(grid_alignment a, const QString& text) {
  switch (a) {
    case grid_alignment::left_top:
      return Qt::AlignLeft | Qt::AlignTop;
    case grid_alignment::left_center:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case grid_alignment::left_bottom:
      return Qt::AlignLeft | Qt::AlignBottom;
    case grid_alignment::center_top:
      return Qt::AlignHCenter | Qt::AlignTop;
    case grid_alignment::center_center:
      return Qt::AlignCenter;
    case grid_alignment::center_bottom:
      return Qt::AlignHCenter | Qt::AlignBottom;
    case grid_alignment::right_top:
      return Qt::AlignRight | Qt::AlignTop;
    case grid_alignment::right_center:
      return Qt::AlignRight | Qt::AlignVCenter;
    case grid_alignment::right_bottom:
      return Qt::AlignRight | Qt::AlignBottom;
    case grid_alignment::general:
      break;
  }
  return (grid_text_is_number(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QFont qt_font(const print_font& f) {
  QFont font(installed_font_family(f.name));
  font.setPointSizeF(f.size);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikethrough);
  return font;
}

}  // namespace

flex_grid_model::flex_grid_model(flex_grid* grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
  const QPalette palette;
  fixed_back_ = palette.color(QPalette::Button);
  fixed_fore_ = palette.color(QPalette::ButtonText);
  if (grid_) {
    rows_ = grid_->rows();
    cols_ = grid_->cols();
    grid_->set_observer(this);
  }
}

flex_grid_model::~flex_grid_model() {
  if (grid_ && grid_->observer() == this) grid_->set_observer(nullptr);
}

void flex_grid_model::detach() {
  if (!grid_) return;
  beginResetModel();
  if (grid_->observer() == this) grid_->set_observer(nullptr);
  grid_ = nullptr;
  rows_ = cols_ = 0;
  endResetModel();
}

void flex_grid_model::set_fixed_colors(const QColor& back, const QColor& fore) {
  fixed_back_ = back;
  fixed_fore_ = fore;
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

int flex_grid_model::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int flex_grid_model::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant flex_grid_model::data(const QModelIndex& index, int role) const {
  if (!grid_ || !index.isValid()) return {};
  const int r = index.row(), c = index.column();
  // While redraw is off the grid may have fewer cells than the view knows.
  if (r >= grid_->rows() || c >= grid_->cols()) return {};
  const bool fixed = grid_->is_fixed(r, c);
  switch (role) {
    case Qt::DisplayRole: {
      QString text = grid_->text_matrix(r, c);
      text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
      return text;
    }
    case fixed_role:
      return fixed;
    case Qt::FontRole:
      return qt_font(grid_->style_at(r, c).font);
    case Qt::TextAlignmentRole:
      return int(qt_alignment(grid_->style_at(r, c).alignment, grid_->text_matrix(r, c)));
    case Qt::BackgroundRole: {
      const grid_cell_style s = grid_->style_at(r, c);
      const QColor own = s.has_back_color ? grid_qcolor(s.back_color) : QColor();
      if (own.isValid()) return QBrush(own);
      return fixed ? QVariant(QBrush(fixed_back_)) : QVariant();
    }
    case Qt::ForegroundRole: {
      const grid_cell_style s = grid_->style_at(r, c);
      const QColor own = s.has_fore_color ? grid_qcolor(s.fore_color) : QColor();
      if (own.isValid()) return QBrush(own);
      return fixed ? QVariant(QBrush(fixed_fore_)) : QVariant();
    }
    case Qt::DecorationRole: {
      const QImage picture = grid_->style_at(r, c).picture;
      return picture.isNull() ? QVariant() : QVariant(picture);
    }
    default:
      return {};
  }
}

QVariant flex_grid_model::headerData(int, Qt::Orientation, int) const { return {}; }

Qt::ItemFlags flex_grid_model::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// --- Following the grid ---------------------------------------------------------

void flex_grid_model::grid_reset() {
  beginResetModel();
  rows_ = grid_ ? grid_->rows() : 0;
  cols_ = grid_ ? grid_->cols() : 0;
  endResetModel();
  emit geometry_changed();
  emit current_cell_changed();
}

void flex_grid_model::grid_rows_inserted(int first, int count) {
  if (count <= 0) return;
  if (first < 0 || first > rows_ || rows_ + count != grid_->rows()) return grid_reset();
  beginInsertRows(QModelIndex(), first, first + count - 1);
  rows_ += count;
  endInsertRows();
}

void flex_grid_model::grid_rows_removed(int first, int count) {
  if (count <= 0) return;
  if (first < 0 || first + count > rows_ || rows_ - count != grid_->rows()) return grid_reset();
  beginRemoveRows(QModelIndex(), first, first + count - 1);
  rows_ -= count;
  endRemoveRows();
}

void flex_grid_model::grid_cells_changed(const grid_range& block) {
  const int top = std::max(block.row, 0), left = std::max(block.col, 0);
  const int bottom = std::min(block.row + block.rows, rows_) - 1;
  const int right = std::min(block.col + block.cols, cols_) - 1;
  if (bottom < top || right < left) return;
  emit dataChanged(index(top, left), index(bottom, right));
}

void flex_grid_model::grid_layout_changed() {
  // Fonts and alignments show in every cell.
  if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
  emit geometry_changed();
}

void flex_grid_model::grid_current_changed() { emit current_cell_changed(); }

void flex_grid_model::grid_redraw_changed(bool on) { emit redraw_changed(on); }

void flex_grid_model::grid_destroyed() {
  beginResetModel();
  grid_ = nullptr;
  rows_ = cols_ = 0;
  endResetModel();
}

}  // namespace km::platform
