#pragma once
// Inserting and deleting a task row of a set-up: the later rows move and the
// result rows that name a moved row follow it, so every task stays carried
// into the same summary row. (The mark columns of the table move with them:
// mark_set_shift.h.)
#include "markbook/pboek_setup_line.h"

namespace km {

// An empty row before line (1..40): rows line..39 move down one and row 40
// falls off, so the caller first makes sure row 40 is not named. Every named
// row's result row from line up goes up by one.
void insert_setup_row(setup_rows& rows, int line);

// Removes row (1..40): the later rows move up one and row 40 becomes empty.
// Result rows naming the deleted row become empty; those above it go down
// by one.
void delete_setup_row(setup_rows& rows, int row);

// True when row 40 holds a task name (an insert would push it out).
bool setup_row_40_named(const setup_rows& rows);

}  // namespace km
