#pragma once
// The line the mark-lists print window shows for a subject combination: the
// subject code right-justified in 3, a blank, the class text left-justified
// in 5, a blank, then the class used when the class is blank or, when that
// is blank too, the class and the second class ("101 10-A  ENG HL "). The
// code and the class are read back from their places in the line, and name
// the subject's code lists.
#include <QString>
#include <QStringList>

namespace km {

// The line of a row of the subject grid (its cells in field order).
QString subject_entry(const QStringList& subject_cells);

// The subject code and the class of a line, each trimmed ("101", "10-A").
struct subject_entry_parts {
  QString number;
  QString subject_class;
};
subject_entry_parts parts_of_subject_entry(const QString& entry);

}  // namespace km
