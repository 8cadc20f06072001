#pragma once
// Learner lists written as workbooks by independent writers (python's xlwt
// for .xls, openpyxl for .xlsx), for the tests of the workbook reader and
// of filling an empty mark book from one. The script's argument is the
// native path to write.
#include <QString>

namespace km::test {

// A2 1001 (number), B2 "  Adams J ", A3 "1002" (text), B3 "Botha P", A4
// blank, A5 1005, A6 20000001.
inline const char* const learner_rows = R"(
rows = [('NR', 'NAME'), (1001, '  Adams J '), ('1002', 'Botha P'), (None, 'Nobody'), (1005, 'Cele Z'),
        (20000001, 'Dube Q')]
)";

inline const char* const xlwt_writer = R"(
import sys, xlwt
wb = xlwt.Workbook()
ws = wb.add_sheet('Learners')
other = wb.add_sheet('Other')
for r, (a, b) in enumerate(rows):
    if a is not None: ws.write(r, 0, a)
    ws.write(r, 1, b)
other.write(1, 0, 'wrong sheet')
wb.save(sys.argv[1])
)";

inline const char* const openpyxl_writer = R"(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
for r, (a, b) in enumerate(rows, start=1):
    if a is not None: ws.cell(row=r, column=1, value=a)
    ws.cell(row=r, column=2, value=b)
wb.create_sheet('Other')['A2'] = 'wrong sheet'
wb.save(sys.argv[1])
)";

// The writer with the rows before it.
inline QString learner_workbook_script(const char* writer) {
  return QString::fromLatin1(learner_rows) + QString::fromLatin1(writer);
}

}  // namespace km::test
