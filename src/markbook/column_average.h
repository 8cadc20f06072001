#pragma once
// The average of a mark column as a percentage of its total, shown in the
// column's heading under its name and total.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "platform/dbase/recordset.h"

namespace km {

// 100 x (sum / count) / total over the counted marks (not Null, not blank,
// not "A" or "a"; a 0 counts), held to four decimals; 0 when the total is
// not above 0 or the sum is 0.
double column_average(const std::vector<std::optional<QString>>& marks, const QString& total_text);

// The averages of mark columns 2..41 of a book (index = column; 0 and 1
// stay 0), its records read once, each from its first field to its last.
std::array<double, 43> column_averages(const platform::recordset& book, const QStringList& totals);

// The heading of a mark column: the name in 7 characters, the total
// right-justified in 7, the average as " ###0.0", one line each.
QString mark_column_caption(const QString& name, const QString& total_text, double average);

}  // namespace km
