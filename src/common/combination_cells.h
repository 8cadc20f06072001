#pragma once
// What the windows read off a row of the subject grid (its cells: grade,
// subject, total, class, description, class used when the class is blank,
// ...): the class part of the row and the title its reports carry.
#include <QString>
#include <QStringList>

namespace km {

// The class cell (cleaned, trimmed) when it holds anything, else the class
// used when it is blank.
QString class_part(const QStringList& subject_cells);

// The title of a combination's reports: grade, a blank, the subject cell
// with its blanks as "_", a blank and the class part, the whole trimmed;
// then a blank and the description (cleaned, trimmed).
QString combination_report_title(const QStringList& subject_cells);

}  // namespace km
