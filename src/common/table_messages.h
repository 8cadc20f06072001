#pragma once
// What the user is told about a dBase table of a folder that cannot be
// worked with: damaged, read-only, in use by another program, or open on
// another computer when it was to be replaced. The table
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
// A file of a table (named with its extension) that could not be replaced
// because another computer has it open: nothing was changed.
QString held_open_message(const QString& folder, const QString& file);

// What to tell of a table the engine failed on: one of the four above for
// a damaged, read-only or busy table or a file held open elsewhere, else
// the engine's own text.
QString table_failure_message(const QString& folder, const QString& table, const platform::dbf_error& e);

}  // namespace km
