#pragma once
// A table model over the record set of a data control, for a bound grid:
// one row per live record, one column per field. A typed cell is first
// handed to the validator, which may refuse it (the view keeps the typed
// text in its editor) or change the text to be stored; an accepted text is
// written through Edit and Update of that record.

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <functional>

#include "platform/dbase/data_control.h"

namespace km::platform {

class recordset_model : public QAbstractTableModel {
  Q_OBJECT

 public:
  // row, column, and the typed text (which the validator may replace by the
  // text to store); false refuses the text.
  using validator = std::function<bool(int row, int column, QString& text)>;

  explicit recordset_model(data_control& control, QObject* parent = nullptr);

  void set_validator(validator v) { validator_ = std::move(v); }
  // What a cell shows (and an edit of its text starts from) in place of
  // the stored text: row, column and the cell text (see cell_text). The
  // table is never written by showing.
  using display = std::function<QString(int row, int column, const QString& stored)>;
  void set_display(display d) { display_ = std::move(d); }
  // Derives rows and columns afresh from the control's record set.
  void rebind();
  // Tells the views that cell texts may have changed (the table was written
  // past the model), keeping rows, current cell and any open editor.
  void refresh_cells();
  // The same for the cells of one record alone (one record written), so a
  // view repaints that row and not the whole table.
  void refresh_row(int row);
  // The heading a column shows instead of its field name ("" goes back to
  // the name), and the alignment of its cells.
  void set_header_caption(int column, const QString& caption);
  void set_column_alignment(int column, Qt::Alignment alignment);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The text a cell shows: Null as "", text without its trailing blanks,
  // other values in their text form.
  static QString cell_text(const Value& v);

 signals:
  // A typed text was written to the table.
  void cell_written(int row, int column);
  // Writing an accepted text failed (the table is unchanged): the engine's
  // reason and error number (3051 when another program holds the record).
  void write_failed(int row, int column, const QString& reason, int number);

 private:
  data_control& control_;
  validator validator_;
  display display_;
  QHash<int, QString> captions_;
  QHash<int, Qt::Alignment> alignments_;
};

}  // namespace km::platform
