#pragma once
// What the user is told about a dBase table of a folder that cannot be
// worked with: damaged, read-only, or in use by another program. The table
// opener shows them, and so do the windows that open their tables
// themselves.
#include <QString>

namespace km {

namespace platform {
class dbf_error;
}

QString corrupt_message(const QString& folder, const QString& table);
QString read_only_message(const QString& folder, const QString& table);
QString in_use_message(const QString& folder, const QString& table);

// What to tell of a table the engine failed on: one of the three above
// for a damaged, read-only or busy table, else the engine's own text.
QString table_failure_message(const QString& folder, const QString& table, const platform::dbf_error& e);

}  // namespace km
