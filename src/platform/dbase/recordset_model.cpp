#include "platform/dbase/recordset_model.h"

#include "platform/dbase/dbf_error.h"

namespace km::platform {

recordset_model::recordset_model(data_control& control, QObject* parent)
    : QAbstractTableModel(parent), control_(control) {
  connect(&control_, &data_control::recordset_changed, this, &recordset_model::rebind);
}

void recordset_model::rebind() {
  beginResetModel();
  endResetModel();
}

void recordset_model::refresh_cells() {
  if (rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}

void recordset_model::refresh_row(int row) {
  if (row >= 0 && row < rowCount() && columnCount() > 0)
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}

void recordset_model::set_header_caption(int column, const QString& caption) {
  if (caption.isEmpty())
    captions_.remove(column);
  else
    captions_.insert(column, caption);
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void recordset_model::set_column_alignment(int column, Qt::Alignment alignment) {
  alignments_.insert(column, alignment);
  if (rowCount() > 0)
    emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

int recordset_model::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !control_.has_recordset()) return 0;
  return int(control_.recordset().record_count());
}

int recordset_model::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !control_.has_recordset()) return 0;
  return control_.recordset().field_count();
}

QString recordset_model::cell_text(const Value& v) {
  if (v.is_null() || v.is_empty()) return {};
  if (v.is_text()) {
    QString t = v.as_text();
    qsizetype n = t.size();
    while (n > 0 && t[n - 1] == QLatin1Char(' ')) --n;
    t.truncate(n);
    return t;
  }
  return v.to_text();
}

QVariant recordset_model::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !control_.has_recordset()) return {};
  if (role == Qt::TextAlignmentRole) {
    const auto a = alignments_.constFind(index.column());
    return a == alignments_.constEnd() ? QVariant() : QVariant(int(*a));
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  try {
    const QString text = cell_text(control_.recordset().value_at(index.row(), index.column()));
    return display_ ? display_(index.row(), index.column(), text) : text;
  } catch (const dbf_error&) {
    return {};
  }
}

QVariant recordset_model::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !control_.has_recordset()) return {};
  if (section < 0 || section >= control_.recordset().field_count()) return {};
  const auto caption = captions_.constFind(section);
  if (caption != captions_.constEnd()) return *caption;
  return control_.recordset().field_name(section);
}

Qt::ItemFlags recordset_model::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && control_.has_recordset() && control_.recordset().updatable())
    f |= Qt::ItemIsEditable;
  return f;
}

bool recordset_model::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !control_.has_recordset()) return false;
  QString text = value.toString();
  if (validator_ && !validator_(index.row(), index.column(), text)) return false;
  recordset& rs = control_.recordset();
  try {
    rs.set_absolute_position(index.row());
    rs.edit();
    rs.set_value(index.column(), Value(text));
    rs.update();
  } catch (const dbf_error& e) {
    if (rs.mode() != recordset::edit_mode::none) rs.cancel_update();
    emit write_failed(index.row(), index.column(), e.text(), e.number());
    return false;
  }
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit cell_written(index.row(), index.column());
  return true;
}

}  // namespace km::platform
