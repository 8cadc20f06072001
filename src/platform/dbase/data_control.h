#pragma once
// The data control of a window: it points at a folder (DatabaseName, a
// Windows path resolved through the drive map) and a table of that folder
// (RecordSource, "marks5.dbf" or "marks5"), opens it on Refresh and offers
// the open table as its record set. A control that is not read-only opens
// the table for writing and holds the write lock until it closes or opens
// again, so another program that wants to write the table meets "in use".
//
// Refresh throws dbf_error (dbf_error.h) with the engine's numbers: not found
// 3011 (folder or table missing), unreadable 3161, bad format 3274
// (damaged), disk or network error 3043, read-only 3027 (a table that
// cannot be written opened by a control that is not read-only), in use 3051.
// A table whose file system refuses locks is not written without one: it
// opens read-only (see locks_refused).

#include <QObject>
#include <QString>
#include <memory>

#include "platform/dbase/recordset.h"

namespace km::platform {

class data_control : public QObject {
  Q_OBJECT

 public:
  explicit data_control(QObject* parent = nullptr);
  ~data_control() override;

  const QString& database_name() const { return database_name_; }
  void set_database_name(const QString& windows_folder) { database_name_ = windows_folder; }
  const QString& record_source() const { return record_source_; }
  void set_record_source(const QString& table) { record_source_ = table; }
  // "dBASE III;" (any "dBASE" connect string is the same engine).
  const QString& connect() const { return connect_; }
  void set_connect(const QString& text) { connect_ = text; }
  // Takes effect at the next Refresh.
  bool read_only() const { return read_only_; }
  void set_read_only(bool on) { read_only_ = on; }
  // True when the last Refresh was to open the table for writing but its
  // file system refused the lock: the table was opened read-only instead,
  // and the control is read-only from then on.
  bool locks_refused() const { return locks_refused_; }
  // A free text of the control that its owner uses as a marker.
  const QString& tag() const { return tag_; }
  void set_tag(const QString& text) { tag_ = text; }
  // The table name the control was designed with, for callers that name none.
  const QString& default_table() const { return default_table_; }
  void set_default_table(const QString& table) { default_table_ = table; }

  // Closes what is open and opens RecordSource in DatabaseName, with the
  // first record current. With no RecordSource only the folder is checked.
  void refresh();
  // Closes the table (Database.Close): the record set goes, the lock is
  // given back.
  void close_database();

  bool has_recordset() const { return rs_ != nullptr; }
  // The open record set; throws dbf_error (other, 3420) when none is open.
  platform::recordset& recordset();
  const platform::recordset& recordset() const;

  // The native path of the table the control names ("" when its folder or
  // drive cannot be resolved).
  QString table_path() const;

 signals:
  // A record set was opened or closed (bound views rebuild themselves).
  void recordset_changed();

 private:
  QString database_name_;
  QString record_source_;
  QString connect_ = QStringLiteral("dBASE III;");
  bool read_only_ = false;
  bool locks_refused_ = false;
  QString tag_;
  QString default_table_;
  std::unique_ptr<platform::recordset> rs_;
};

}  // namespace km::platform
