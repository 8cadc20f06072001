#include "support/xlsx_reader.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "support/python_peer.h"

namespace km::test {

namespace {

const char* const dump_script = R"PY(
import json, sys
import openpyxl
from openpyxl.utils import get_column_letter

def colour(c):
    if c is None or c.type != "rgb" or not isinstance(c.rgb, str):
        return ""
    return c.rgb

book = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": []}
for ws in book.worksheets:
    cells = {}
    for (r, c), cell in sorted(ws._cells.items()):
        f = cell.font
        b = cell.border
        fill = ""
        if cell.fill is not None and cell.fill.fill_type == "solid":
            fill = colour(cell.fill.fgColor)
        v = cell.value
        cells[cell.coordinate] = {
            "v": v if isinstance(v, (int, float, str)) or v is None else str(v),
            "t": "n" if isinstance(v, (int, float)) else ("s" if isinstance(v, str) else ""),
            "font": {"name": f.name or "", "size": float(f.sz or 0), "b": bool(f.b), "i": bool(f.i),
                     "u": f.u or "", "strike": bool(f.strike), "color": colour(f.color)},
            "h": cell.alignment.horizontal or "",
            "rot": int(cell.alignment.textRotation or 0),
            "fill": fill,
            "fmt": cell.number_format,
            "border": "".join(k for k, side in (("t", b.top), ("b", b.bottom), ("l", b.left), ("r", b.right))
                              if side is not None and side.style is not None),
        }
    cols = {}
    for key, d in ws.column_dimensions.items():
        for n in range(d.min or 0, (d.max or 0) + 1):
            if n > 0:
                cols[get_column_letter(n)] = {"w": float(d.width or 0), "hidden": bool(d.hidden),
                                              "fmt": d.number_format}
    rows = {str(k): float(d.height) for k, d in ws.row_dimensions.items() if d.height is not None}
    out["sheets"].append({"title": ws.title, "cells": cells, "cols": cols, "rows": rows,
                          "merges": sorted(str(m) for m in ws.merged_cells.ranges),
                          "max_row": ws.max_row})
print(json.dumps(out))
)PY";

}  // namespace

xlsx_reading::xlsx_reading(const QString& native_path) {
  const python_result r = run_python(QString::fromUtf8(dump_script), {native_path});
  if (r.exit_code != 0) {
    error_ = QString::fromUtf8(r.err);
    return;
  }
  QJsonParseError parse{};
  dump_ = QJsonDocument::fromJson(r.out, &parse).object();
  ok_ = parse.error == QJsonParseError::NoError;
  if (!ok_) error_ = parse.errorString();
}

int xlsx_reading::sheet_count() const { return int(dump_[QStringLiteral("sheets")].toArray().size()); }

QJsonObject xlsx_reading::sheet(int number) const {
  return dump_[QStringLiteral("sheets")].toArray().at(number - 1).toObject();
}

QJsonObject xlsx_reading::cell(int sheet_number, const QString& address) const {
  return sheet(sheet_number)[QStringLiteral("cells")].toObject()[address].toObject();
}

QString xlsx_reading::text(int sheet_number, const QString& address) const {
  const QJsonValue v = cell(sheet_number, address)[QStringLiteral("v")];
  return v.isDouble() ? QString::number(v.toDouble(), 'g', 15) : v.toString();
}

QString xlsx_reading::borders(int sheet_number, const QString& address) const {
  return cell(sheet_number, address)[QStringLiteral("border")].toString();
}

QStringList xlsx_reading::merges(int sheet_number) const {
  QStringList result;
  for (const QJsonValue& m : sheet(sheet_number)[QStringLiteral("merges")].toArray()) result << m.toString();
  return result;
}

double xlsx_reading::column_width(int sheet_number, const QString& letters) const {
  return sheet(sheet_number)[QStringLiteral("cols")]
      .toObject()[letters]
      .toObject()[QStringLiteral("w")]
      .toDouble();
}

bool xlsx_reading::column_hidden(int sheet_number, const QString& letters) const {
  return sheet(sheet_number)[QStringLiteral("cols")]
      .toObject()[letters]
      .toObject()[QStringLiteral("hidden")]
      .toBool();
}

QString xlsx_reading::column_format(int sheet_number, const QString& letters) const {
  return sheet(sheet_number)[QStringLiteral("cols")]
      .toObject()[letters]
      .toObject()[QStringLiteral("fmt")]
      .toString();
}

double xlsx_reading::row_height(int sheet_number, int row) const {
  return sheet(sheet_number)[QStringLiteral("rows")].toObject()[QString::number(row)].toDouble();
}

int xlsx_reading::max_row(int sheet_number) const {
  return sheet(sheet_number)[QStringLiteral("max_row")].toInt();
}

}  // namespace km::test
