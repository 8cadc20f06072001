#pragma once
// The column operations of the capture window as functions over a column's
// stored marks: scaling to a new class average, the lines of a pasted
// clipboard, and the order of a merit list.
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

// The prompt of the scaling box: "Current average " + the average in the
// form of Str (" 65.4") + CR CR + "New average ...", in the chosen language.
QString scaling_prompt(double current_average);

// The marks of a pasted clipboard, one per line (lines end at CR LF, CR or
// LF; a final line end adds no line), the part before the first tab of each
// line: blank gives the empty mark, "A" and "a" stay, anything else
// Format(Val, "##0.0"). Lines beyond the learners are dropped; learners
// after the last line get nothing (they keep their marks).
QStringList pasted_marks(const QString& clipboard, int learners);

struct merit_entry {
  QString number;
  QString name;
  QString mark;  // as stored
};

// Best first: numeric marks in descending order, then the letters and
// blanks in the order they came.
std::vector<merit_entry> merit_order(std::vector<merit_entry> entries);

}  // namespace km
