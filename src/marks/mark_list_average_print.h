#pragma once
// The closing lines of the mark-lists print window's list: two units below
// the list, the label at print column 5 and the average at column 20, the
// percentage under the average. In a workbook export they go into the
// worksheet instead, one row below the list: the label in the first column,
// the average and under it the percentage in the column of the marks.
namespace km {

struct mark_list_average;

void print_mark_list_average(const mark_list_average& lines);

}  // namespace km
