#include "marks/marks_tables.h"

namespace km {

QString cycle_table_name(int n) { return QStringLiteral("PUNTE%1.DBF").arg(n); }
QString obe_table_name(int n) { return QStringLiteral("OBE_P%1.DBF").arg(n); }
QString cycle_backup_name(int n) { return QStringLiteral("PUNTE%1.BAK").arg(n); }

}  // namespace km
