#pragma once
// The column operations of the capture window as functions over a column's
// stored marks: scaling to a new class average, the lines of a pasted
// clipboard, and the order of a merit list.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "common/mark_columns.h"

namespace km {

// The prompt of the scaling box: "Current average " + the average in the
// form of Str (" 65.4") + CR CR + "New average ...", in the chosen language.
QString scaling_prompt(double current_average);

struct merit_entry {
  QString number;
  QString name;
  QString mark;  // as stored
};

// Best first: numeric marks in descending order, then the letters and
// blanks in the order they came.
std::vector<merit_entry> merit_order(std::vector<merit_entry> entries);

}  // namespace km
