// AutoFit of columns and rows, measured with the printer's text metrics.
//
// Units: the metrics give twips; a screen pixel at 96 dots per inch is 15
// twips. A column width is in characters of the workbook's default font:
// the file format reckons a character as the width of the widest digit of
// that font, 7 pixels for Calibri 11 at 96 dots per inch, and a reader adds
// its own 5 pixels of cell margins and grid line to the width it is given.
// So a column whose widest text is p pixels gets (p + slack) / 7
// characters, rounded up to the 1/256 of a character the file holds, where
// the slack of 2 pixels keeps a text from touching the grid line when the
// reader's font comes out a little wider than ours.
//
// A row height is in points: a text of n lines takes n line heights, a text
// turned 90 degrees takes the width of its longest line; 2 pixels (1.5
// points) are added for the cell's margins and the height is rounded up to
// a whole pixel (0.75 points), the steps in which rows are drawn.
//
// As a spreadsheet program does, the fits leave out merged cells, keep a
// hidden column hidden and leave a column or row without text as it was.

#include <QStringList>
#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/model/print/font_mapping.h"
#include "platform/model/print/text_metrics.h"
#include "platform/model/workbook/merge_index.h"
#include "platform/model/workbook/worksheet_data.h"
#include "platform/value.h"

namespace km::platform {

namespace {

constexpr double twips_per_screen_pixel = 15.0;
constexpr double default_digit_pixels = 7.0;
constexpr double column_slack_pixels = 2.0;
constexpr double row_padding_points = 1.5;
constexpr double pixel_points = 0.75;

// The width and height of a cell's text in twips, as it stands on the
// sheet (turned by its rotation).
struct extent {
  double across = 0;  // horizontally
  double down = 0;    // vertically
};

// What a text is measured in: the font the file will name (see
// xlsx_format_cache), its line height and the turn of the text.
struct measuring_look {
  workbook_font font;  // name resolved against the sheet's
  int rotation = 0;
  print_font print;
  double line_height = 0;
};

measuring_look make_look(const text_metrics& metrics, const workbook_font& font, int rotation) {
  const QString name = font.name == default_font_name() ? font.name : portable_font_name(font.name);
  const print_font pf{name, font.size, font.bold, font.italic, font.underline, font.strikethrough};
  return {font, rotation, pf, metrics.line_height(pf)};
}

extent text_extent(const text_metrics& metrics, const measuring_look& look, const QString& text) {
  double longest = 0;
  qsizetype line_count = 1;
  if (!text.contains(u'\n')) {
    longest = metrics.width(look.print, text.endsWith(u'\r') ? text.chopped(1) : text);
  } else {
    const QStringList lines = text.split(u'\n');
    line_count = lines.size();
    for (QString line : lines) {
      if (line.endsWith(u'\r')) line.chop(1);
      longest = std::max(longest, metrics.width(look.print, line));
    }
  }
  const double tall = look.line_height * double(line_count);
  const double turn = double(look.rotation) * std::numbers::pi / 180.0;
  const double c = std::abs(std::cos(turn));
  const double s = std::abs(std::sin(turn));
  return {longest * c + tall * s, longest * s + tall * c};
}

// A number in a column of zeros ("0000000000000") shows with leading zeros.
QString shown_number(const QString& general, double number, const sheet_column* column) {
  if (!column || column->number_format.isEmpty()) return general;
  const QString& f = column->number_format;
  const bool zeros = std::all_of(f.cbegin(), f.cend(), [](QChar ch) { return ch == u'0'; });
  if (zeros && number >= 0 && number == std::floor(number) && general.size() < f.size())
    return QString(f.size() - general.size(), u'0') + general;
  return general;
}

double round_up(double value, double step) { return std::ceil(value / step - 1e-9) * step; }

// Measures the cells of a sheet for the fits. A report repeats its texts
// (marks, "A") thousands of times in styles that differ only in what does
// not change a text's size (lines, fill, alignment), so each text is
// measured once per font and turn, and a number's text is made only when
// the number is first met in that font and column format.
class cell_measure {
 public:
  explicit cell_measure(const worksheet& sheet)
      : sheet_(sheet),
        d_(sheet.data()),
        metrics_(d_.metrics ? d_.metrics : default_text_metrics()),
        merged_(sheet.merges()),
        style_looks_(d_.styles.size(), -1) {}

  // The extent of the cell's text; nothing for a cell without text or one
  // inside a merge.
  std::optional<extent> operator()(int row, int column) {
    const sheet_cell* cell = d_.find_cell(row, column);
    if (!cell || cell->kind == cell_kind::empty || merged_.find(row, column)) return std::nullopt;
    const int look = look_of(row, column, cell->style);
    if (cell->kind == cell_kind::number) {
      const number_key key{look, column_format(column), std::bit_cast<quint64>(cell->number)};
      auto it = numbers_.constFind(key);
      if (it == numbers_.constEnd())
        it = numbers_.insert(key, measure(look, shown_number(platform::number_text(cell->number),
                                                             cell->number, d_.find_column(column))));
      return *it;
    }
    auto it = texts_.constFind({look, cell->text});
    if (it == texts_.constEnd()) it = texts_.insert({look, cell->text}, measure(look, cell->text));
    return *it;
  }

 private:
  // A number, its column's format and the look it is shown in.
  struct number_key {
    int look, format;
    quint64 bits;
    bool operator==(const number_key&) const = default;
  };
  friend size_t qHash(const number_key& k, size_t seed) { return qHashMulti(seed, k.look, k.format, k.bits); }

  std::optional<extent> measure(int look, const QString& text) const {
    if (text.isEmpty()) return std::nullopt;
    return text_extent(*metrics_, looks_[look], text);
  }

  // The look of a style, found once per style.
  int look_of(int row, int column, int style) {
    int& known = style_looks_[style];
    if (known >= 0) return known;
    const workbook_font font = sheet_.font(row, column);
    const int rotation = d_.styles[style].rotation;
    for (size_t i = 0; i < looks_.size(); ++i)
      if (looks_[i].font == font && looks_[i].rotation == rotation) return known = int(i);
    looks_.push_back(make_look(*metrics_, font, rotation));
    return known = int(looks_.size()) - 1;
  }

  // The number of the column's number format among those met.
  int column_format(int column) {
    if (size_t(column) > column_formats_.size()) column_formats_.resize(column, -1);
    int& known = column_formats_[column - 1];
    if (known < 0) {
      const sheet_column* c = d_.find_column(column);
      const QString format = c ? c->number_format : QString();
      known = int(formats_.indexOf(format));
      if (known < 0) {
        known = int(formats_.size());
        formats_.append(format);
      }
    }
    return known;
  }

  const worksheet& sheet_;
  const worksheet_data& d_;
  std::shared_ptr<text_metrics> metrics_;
  merge_index merged_;
  std::vector<measuring_look> looks_;
  std::vector<int> style_looks_;  // -1: not yet known
  QStringList formats_;
  std::vector<int> column_formats_;  // -1: not yet known
  QHash<std::pair<int, QString>, std::optional<extent>> texts_;
  QHash<number_key, std::optional<extent>> numbers_;
};

}  // namespace

void worksheet::autofit_columns(int first_column, int last_column) {
  const cell_range r = ordered({1, first_column, 1, last_column});
  cell_measure measure(*this);
  for (int column = r.first_column; column <= r.last_column; ++column) {
    if (column_width(column) == 0) continue;
    double widest = -1;
    for (int row = 1; row <= int(d_->rows.size()); ++row)
      if (const auto e = measure(row, column)) widest = std::max(widest, e->across);
    if (widest < 0) continue;
    const double pixels = widest / twips_per_screen_pixel + column_slack_pixels;
    set_column_width(column, round_up(pixels / default_digit_pixels, 1.0 / 256.0));
  }
}

void worksheet::autofit_row(int row) {
  const cell_range r = ordered({row, 1, row, 1});
  if (size_t(r.first_row) > d_->rows.size()) return;
  cell_measure measure(*this);
  double tallest = -1;
  for (int column = 1; column <= int(d_->rows[row - 1].cells.size()); ++column)
    if (const auto e = measure(row, column)) tallest = std::max(tallest, e->down);
  if (tallest < 0) return;
  set_row_height(row, round_up(tallest / twips_per_point + row_padding_points, pixel_points));
}

}  // namespace km::platform
