#pragma once
// The set-up grid of the set-up window and the set-up rows it shows: row r
// (1..40) of the grid holds the five cells of set-up row r in columns 1..5;
// column 0 holds the row number. A grid with columns in front of the row
// number (the export window's) names the column of the task name.
#include "markbook/pboek_setup_line.h"
#include "platform/model/grid/flex_grid.h"

namespace km {

setup_rows rows_of_setup_grid(const platform::flex_grid& grid, int name_column = 1);
void put_rows_in_setup_grid(platform::flex_grid& grid, const setup_rows& rows, int name_column = 1);

// The headings, alignments and widths of the set-up grid in the chosen
// language, 41 rows with the numbers " 1" .. " 40" in column 0.
void lay_out_setup_grid(platform::flex_grid& grid);

// Light yellow on the name cell of every row some named row is carried
// into, white on every other name cell. Only rows 1..40 are carried into:
// any other result text carries nowhere.
void highlight_carried_rows(platform::flex_grid& grid, int name_column = 1);

}  // namespace km
