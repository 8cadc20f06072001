#pragma once
// What the teacher is told when a record file could not be made or brought
// up to date because writing failed: the reason first, then the file, and
// that nothing was changed. In the chosen language, shown with the
// exclamation icon.

#include <QString>
#include <functional>

#include "platform/file_error.h"

namespace km {

// "THE DISK IS FULL: Ppl_hst_random.txt WAS NOT MADE. NOTHING WAS CHANGED."
QString record_file_not_made_message(const QString& file_name, const platform::file_error& e);
// "THE DISK IS FULL: Ppl_hst_random.txt WAS NOT BROUGHT UP TO DATE. NOTHING WAS CHANGED."
QString record_file_not_upgraded_message(const QString& file_name, const platform::file_error& e);

void show_write_failure(const QString& text);

// Another program is making or rebuilding the file (its temporary file is
// held): the data set is in use, try again later.
void show_file_in_use(const QString& folder, const QString& file_name);

// Runs an upgrade of folder\file_name as the opening runs it: a file step
// that fails is told (the file in use, or the reason the file was not
// brought up to date) and record_file_not_ready is thrown in its place.
void upgrade_telling_failure(const QString& folder, const QString& file_name,
                             const std::function<void()>& upgrade);

}  // namespace km
