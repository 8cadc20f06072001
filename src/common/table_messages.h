#pragma once
// What the user is told about a dBase table of a folder that cannot be
// worked with: damaged, read-only, or in use by another program. The table
// opener shows them, and so do the windows that open their tables
// themselves.
#include <QString>

namespace km {

QString corrupt_message(const QString& folder, const QString& table);
QString read_only_message(const QString& folder, const QString& table);
QString in_use_message(const QString& folder, const QString& table);

}  // namespace km
