#include "platform/dbase/data_control.h"

#include <QFileInfo>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_lock.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

constexpr int k_no_recordset = 3420;  // object invalid or no longer set

// "marks5" names "marks5.dbf"; a name with an extension is taken as it is.
QString table_file_name(const QString& source) {
  const QString name = source.trimmed();
  return name.contains(QLatin1Char('.')) ? name : name + QStringLiteral(".dbf");
}

}  // namespace

data_control::data_control(QObject* parent) : QObject(parent) {}

data_control::~data_control() = default;

QString data_control::table_path() const {
  if (database_name_.trimmed().isEmpty() || record_source_.trimmed().isEmpty()) return {};
  return to_native_path(join_win_path(database_name_, table_file_name(record_source_)));
}

void data_control::close_database() {
  if (!rs_) return;
  rs_.reset();
  emit recordset_changed();
}

void data_control::refresh() {
  close_database();
  locks_refused_ = false;
  if (!connect_.trimmed().isEmpty() &&
      !connect_.trimmed().startsWith(QLatin1String("dBASE"), Qt::CaseInsensitive))
    throw dbf_error(
        dbf_error_kind::other,
        QStringLiteral("Couldn't find installable ISAM for the connect string '%1'").arg(connect_));
  if (database_name_.trimmed().isEmpty() && record_source_.trimmed().isEmpty()) return;
  const QString folder = to_native_path(database_name_);
  if (folder.isEmpty() || !QFileInfo(folder).isDir())
    throw dbf_error(dbf_error_kind::not_found, QStringLiteral("Folder '%1' not found").arg(database_name_));
  if (record_source_.trimmed().isEmpty()) return;
  const QString path = table_path();
  if (path.isEmpty())
    throw dbf_error(dbf_error_kind::not_found,
                    QStringLiteral("Table '%1' not found in '%2'").arg(record_source_, database_name_));
  std::unique_ptr<dbf_table> table;
  try {
    table = std::make_unique<dbf_table>(
        path, read_only_ ? dbf_table::access::read_only : dbf_table::access::read_write);
  } catch (const dbf_locks_refused&) {
    table = std::make_unique<dbf_table>(path, dbf_table::access::read_only);
    read_only_ = true;
    locks_refused_ = true;
  }
  rs_ = std::make_unique<platform::recordset>(std::move(table));
  emit recordset_changed();
}

platform::recordset& data_control::recordset() {
  if (!rs_)
    throw dbf_error(dbf_error_kind::other,
                    QStringLiteral("Object invalid or no longer set: no table is open"), k_no_recordset);
  return *rs_;
}

const platform::recordset& data_control::recordset() const {
  return const_cast<data_control*>(this)->recordset();
}

}  // namespace km::platform
