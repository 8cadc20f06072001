#include "marks/mark_list.h"

#include <QStringList>

#include "common/language_text.h"
#include "common/mark_columns.h"
#include "common/mark_text.h"
#include "common/text_routines.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/number_format.h"
#include "platform/value.h"

namespace km {

namespace {

QString right_in(const QString& text, int width) { return right_justify(platform::Value(text), width); }

}  // namespace

mark_list_figures fill_mark_list(platform::flex_grid& grid, const std::vector<mark_list_entry>& entries,
                                 bool by_mark) {
  grid.clear();
  grid.set_rows(2);
  grid.set_fixed_rows(1);
  grid.set_font_size(7);
  grid.set_format_string(in_language(u"<NR|^  T.NR|<LEERDER|>  PUNT|PS/VO|>  TOTAAL|",
                                     u"<NO|^  A.NO|<LEARNER|>  MARK|EK/SR|>   TOTAL|"));
  grid.set_col_width(2, 4000);
  std::vector<int> order;
  if (by_mark) {
    QStringList marks;
    for (const mark_list_entry& e : entries) marks << e.mark;
    order = merit_positions(marks);
  } else {
    for (int i = 0; i < int(entries.size()); ++i) order.push_back(i);
  }
  mark_list_figures figures;
  grid.set_rows(1 + int(entries.size()));
  int row = 1;
  for (const int i : order) {
    const mark_list_entry& e = entries[std::size_t(i)];
    grid.set_text_matrix(row, 0, QString::number(i + 1));
    grid.set_text_matrix(row, 1, e.number);
    grid.set_text_matrix(row, 2, e.name);
    grid.set_text_matrix(row, 3, right_in(e.mark, 5));
    grid.set_text_matrix(row, 4, right_in(e.code, 5));
    if (!is_uncounted_mark(e.mark)) {
      figures.sum += platform::val(trim_blanks(e.mark));
      ++figures.count;
    }
    grid.set_text_matrix(row, 5,
                         right_in(platform::format_number(figures.sum, QStringLiteral("######.0")), 7));
    ++row;
  }
  return figures;
}

QString mark_list_average_line(const mark_list_figures& figures, double total) {
  QString line = in_language(u"GEMIDDELD := ", u"AVERAGE := ");
  if (figures.count == 0 || !(total > 0)) return line;
  const double average = figures.sum / figures.count;
  return line + platform::format_number(average, QStringLiteral("###.0")) + QStringLiteral(" ") +
         platform::format_number(average / (total / 100), QStringLiteral("###.0")) + QStringLiteral("%");
}

QString mark_list_file_name(const QString& title) { return in_language(u"PUNTE ", u"MARKS ") + title; }

}  // namespace km
