#pragma once
// The mark-book table marks<N>.dbf: the learner number, the learner's name,
// then one mark field per set-up row (row r is field r + 1). Marks are kept
// as text ("", " ", "A", or a number written "##0.0"). The table is only
// ever made from the template mrk_book.org, which is built from this list.
#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/dbase/dbf_header.h"

namespace km {

inline constexpr int marks_dbf_field_count = 42;
inline constexpr int marks_dbf_name_width = 40;
inline constexpr int marks_dbf_mark_width = 8;

// MB_T_NR N(8,0), MB_NAME C(40), MB_R1 .. MB_R40 C(8); offsets from 1.
std::vector<platform::dbf_field> marks_dbf_fields();

// The field of set-up row r (1..40).
inline int mark_field_of_row(int row) { return row + 1; }

// "marks<N>.dbf" and "punte<N>.dbf": N in decimal, no blanks.
QString marks_table_file(int n);
QString learner_table_file(int n);

// The bytes of the empty template: the header of these fields, dated
// 2000-01-01 so that every build of it is the same, and the end marker.
QByteArray mark_book_template_bytes();

inline const QString mark_book_template_name = QStringLiteral("mrk_book.org");

}  // namespace km
