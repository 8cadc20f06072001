#pragma once
// The school's achievement symbols with their percentage bounds, as the
// symbol distribution reads them: the dBase table pi2_dta of the data
// folder, or, where that table has been converted away, the 10-byte records
// of pi2_random.txt (symbol, upper bound, lower bound). Both are only read:
// a missing file is never created.
#include <QString>
#include <vector>

#include "markbook/symbol_distribution.h"

namespace km {

// The symbols in stored order, blank symbols left out; none when neither
// file is there or the one there is empty or cannot be read.
std::vector<symbol_range> read_symbol_table(const QString& data_folder);

}  // namespace km
