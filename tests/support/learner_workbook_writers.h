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

// xlwt writes a formula without its result (as a workbook nobody has
// opened yet). This makes it store the result a spreadsheet program keeps
// after calculating: `results[(row, column)]` (from 0) holds a number, a
// Boolean, a text (written in the STRING record after the formula) or
// ('error', code). The script then defines `formula(text)`.
inline const char* const xlwt_formula_results = R"(
import struct, xlwt
from xlwt import Cell
results = {}
def _with_result(self):
    rec = bytearray(Cell.BIFFRecords.FormulaRecord(self.rowx, self.colx, self.xf_idx, self.frmla.rpn(),
                                                   self.calc_flags).get())
    v = results[(self.rowx, self.colx)]
    tail = b''
    if isinstance(v, bool):
        stored = bytes([1, 0, int(v), 0, 0, 0, 0xFF, 0xFF])
    elif isinstance(v, (int, float)):
        stored = struct.pack('<d', v)
    elif isinstance(v, tuple):
        stored = bytes([2, 0, v[1], 0, 0, 0, 0xFF, 0xFF])
    else:
        stored = bytes([0, 0, 0, 0, 0, 0, 0xFF, 0xFF])
        text = v.encode('utf-16-le')
        tail = struct.pack('<HHHB', 0x0207, 3 + len(text), len(v), 1) + text
    rec[10:18] = stored
    return bytes(rec) + tail
Cell.FormulaCell.get_biff_data = _with_result
formula = xlwt.Formula
)";

// A list of 31 numbered by formulas (=A2+1 ...) and named by formulas,
// with the results a spreadsheet program stores: 1001 "Learner 1" to 1031
// "Learner 31".
inline const char* const formula_list_of_31 = R"(
wb = xlwt.Workbook()
ws = wb.add_sheet('Learners')
ws.write(0, 0, 'NR')
ws.write(0, 1, 'NAME')
ws.write(1, 0, 1001)
ws.write(1, 1, 'Learner 1')
for r in range(2, 32):
    results[(r, 0)] = 1000 + r
    ws.write(r, 0, formula('A%d+1' % r))
    results[(r, 1)] = 'Learner %d' % r
    ws.write(r, 1, formula('"Learner %d"' % r))
wb.save(sys.argv[1])
)";

// A writer that uses `results` and `formula`, with their definitions before it.
inline QString formula_workbook_script(const char* writer) {
  return QStringLiteral("import sys\n") + QString::fromLatin1(xlwt_formula_results) +
         QString::fromLatin1(writer);
}

// The writer with the rows before it.
inline QString learner_workbook_script(const char* writer) {
  return QString::fromLatin1(learner_rows) + QString::fromLatin1(writer);
}

}  // namespace km::test
