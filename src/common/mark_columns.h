#pragma once
// Operations on a whole column of marks that the mark book and the cycle
// marks share: scaling to a new average and the marks of a pasted
// clipboard.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace km {

// The scaled marks of a column: every counted mark moves by (new - current)
// percentage points, kept within 0 and 100 % of the total, written "##0.0";
// Null, blank, "A" and "a" stay as they are. The total must be above 0.
std::vector<std::optional<QString>> scale_marks(const std::vector<std::optional<QString>>& marks,
                                                double total, double current_average, double new_average);

// The values of a pasted clipboard, one per line (lines end at CR LF, CR
// or LF; a final line end adds no line): the part before the first tab of
// each line, trimmed. Lines beyond the learners are dropped.
QStringList pasted_values(const QString& clipboard, int learners);

// The marks of a pasted clipboard, one per line (lines end at CR LF, CR or
// LF; a final line end adds no line), the part before the first tab of each
// line: blank gives the empty mark, "A" and "a" stay, anything else
// Format(Val, "##0.0"). Lines beyond the learners are dropped; learners
// after the last line get nothing (they keep their marks).
QStringList pasted_marks(const QString& clipboard, int learners);

// The order of a merit list: the positions of the counted marks, highest
// first (equal marks keep their order), then those of the blank and absent
// marks in their order.
std::vector<int> merit_positions(const QStringList& marks);

}  // namespace km
