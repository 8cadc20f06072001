// Exporting a report grid of 2,000 rows by 42 columns to an .xlsx file:
// through the workbook model and its save (temp file and rename), against
// libxlsxwriter writing the same cells and formats directly, its formats
// made up front. The report: a heading band of two rows (group headings
// merged in pairs as the export merges equal neighbours, turned task
// headings), a number column with a 13-digit format, a name column in a
// second font, 40 mark columns of numbers and "A", every line drawn, the
// lines inside each group of five rows taken out again. The figures to set
// side by side are model_autofit_and_save (the export's whole route) and
// bare_libxlsxwriter, and model_and_save without the auto-fit; on a busy machine
// run it pinned to one core (taskset -c 3) with
// --benchmark_enable_random_interleaving for steady figures.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <array>

#include "platform/drive_map.h"
#include "platform/heap_settings.h"
#include "platform/model/workbook/workbook.h"
#include "platform/number_locale.h"

namespace {

using namespace km::platform;

constexpr int body_rows = 2000;
constexpr int columns = 42;
constexpr int heading_rows = 2;
constexpr int group_rows = 5;
constexpr int marks_from = 3;  // columns 1 and 2: number and name
constexpr std::uint32_t band_grey = 0xF7F7F7;
const QString id_format = QStringLiteral("0000000000000");

QString group_heading(int column) { return QStringLiteral("TERM %1").arg((column - marks_from) / 10 + 1); }
QString task_heading(int column) {
  return QStringLiteral("Task %1 of the term").arg(column - marks_from + 1);
}
QString learner_name(int learner) { return QStringLiteral("LEARNER SURNAME %1, FIRSTNAME").arg(learner); }
bool absent(int learner, int column) { return (learner * 7 + column) % 23 == 0; }
double mark(int learner, int column) { return double((learner * 13 + column * 7) % 1000) / 10.0; }

// Rows of the sheet: headings in 1 and 2, learner n in row heading_rows + n.
int sheet_row(int learner) { return heading_rows + learner; }

void fill_model(worksheet& s) {
  s.set_font_name(QStringLiteral("Arial"));
  workbook_font bold;
  bold.size = 10;
  bold.bold = true;
  workbook_font body;
  body.size = 8;
  workbook_font mono = body;
  mono.name = QStringLiteral("Lucida Console");

  for (int c = 1; c <= columns; ++c) {
    const bool mark_column = c >= marks_from;
    s.set_text(1, c, mark_column ? group_heading(c) : QString());
    s.set_text(2, c,
               mark_column ? task_heading(c) : (c == 1 ? QStringLiteral("Number") : QStringLiteral("Name")));
    for (int r = 1; r <= heading_rows; ++r) s.set_font(r, c, bold);
    s.set_horizontal_alignment(1, c, horizontal_alignment::centre);
    if (mark_column) {
      s.set_rotation(2, c, 90);
      s.set_horizontal_alignment(2, c, horizontal_alignment::centre);
    }
  }
  for (int c = marks_from; c < columns; ++c)
    if (s.text(1, c) == s.text(1, c + 1)) s.merge({1, c, 1, c + 1});

  for (int learner = 1; learner <= body_rows; ++learner) {
    const int r = sheet_row(learner);
    s.set_number(r, 1, 9000000000000.0 + learner);
    s.set_font(r, 1, body);
    s.set_text(r, 2, learner_name(learner));
    s.set_font(r, 2, mono);
    s.set_horizontal_alignment(r, 2, horizontal_alignment::left);
    for (int c = marks_from; c <= columns; ++c) {
      if (absent(learner, c))
        s.set_text(r, c, QStringLiteral("A"));
      else
        s.set_number(r, c, mark(learner, c));
      s.set_font(r, c, body);
      s.set_horizontal_alignment(r, c, horizontal_alignment::right);
    }
  }
  s.set_column_number_format(1, id_format);

  const int last = sheet_row(body_rows);
  s.set_borders({1, 1, last, columns}, true);
  s.clear_inside_horizontal({1, 1, heading_rows, columns});
  s.set_fill({1, 1, heading_rows, columns}, band_grey);
  for (int r = heading_rows + 1; r <= last; r += group_rows)
    s.clear_inside_horizontal({r, 1, std::min(r + group_rows - 1, last), columns});

  s.set_column_width(1, 15);
  s.set_column_width(2, 34);
  for (int c = marks_from; c <= columns; ++c) s.set_column_width(c, 3.5);
  s.set_row_height(2, 90);
}

// Drive C: on a temporary folder, where the saves write C:\report.xlsx.
struct report_drive {
  QTemporaryDir dir;
  report_drive() {
    drive_map map;
    map.set_drive(u'C', dir.path());
    set_drive_map(map);
  }
};

void save_report(benchmark::State& state, const workbook& book) {
  QString error;
  if (!book.save(QStringLiteral("C:\\report.xlsx"), error)) state.SkipWithError(qPrintable(error));
}

// Rounds of the export: the model filled, its columns auto-fitted when
// asked, the file saved.
void export_rounds(benchmark::State& state, bool autofit) {
  const report_drive drive;
  for (auto _ : state) {
    workbook book;
    fill_model(book.sheet(1));
    if (autofit) book.sheet(1).autofit_columns(1, columns);
    save_report(state, book);
  }
  state.SetItemsProcessed(state.iterations() * (body_rows + heading_rows) * columns);
}

void model_and_save(benchmark::State& state) { export_rounds(state, false); }
BENCHMARK(model_and_save)->Unit(benchmark::kMillisecond);

// The export's whole route: the model, the auto-fit of its columns from the
// fonts' metrics, and the save. Set beside bare_libxlsxwriter, this is what
// the export costs against the bare writer.
void model_autofit_and_save(benchmark::State& state) { export_rounds(state, true); }
BENCHMARK(model_autofit_and_save)->Unit(benchmark::kMillisecond);

// The save alone, of a model built once.
void save_only(benchmark::State& state) {
  const report_drive drive;
  workbook book;
  fill_model(book.sheet(1));
  for (auto _ : state) save_report(state, book);
}
BENCHMARK(save_only)->Unit(benchmark::kMillisecond);

// The model alone, without the file: what the model adds to the writer.
void model_only(benchmark::State& state) {
  for (auto _ : state) {
    workbook book;
    fill_model(book.sheet(1));
    benchmark::DoNotOptimize(book.sheet(1).last_row());
  }
}
BENCHMARK(model_only)->Unit(benchmark::kMillisecond);

// The export auto-fits its columns from the fonts' metrics; measured apart,
// as the bare writer has nothing to set against it.
void autofit_columns(benchmark::State& state) {
  workbook book;
  fill_model(book.sheet(1));
  for (auto _ : state) book.sheet(1).autofit_columns(1, columns);
}
BENCHMARK(autofit_columns)->Unit(benchmark::kMillisecond);

// libxlsxwriter on its own, every format made before the first cell.
struct bare_formats {
  // Edges of a row: the first row of a group keeps its top line, the last
  // its bottom line, the rows between only the sides.
  enum row_kind { group_first, group_middle, group_last, group_single, row_kinds };
  lxw_format* band_top;      // row 1: bold, centred, grey, top and sides
  lxw_format* band_bottom;   // row 2, number and name: bold, grey, bottom and sides
  lxw_format* band_rotated;  // row 2, tasks: as band_bottom, centred and turned
  std::array<lxw_format*, row_kinds> id, name, marks;
};

void set_edges(lxw_format* f, bool top, bool bottom) {
  if (top) format_set_top(f, LXW_BORDER_THIN);
  if (bottom) format_set_bottom(f, LXW_BORDER_THIN);
  format_set_left(f, LXW_BORDER_THIN);
  format_set_right(f, LXW_BORDER_THIN);
}

lxw_format* body_format(lxw_workbook* book, const char* font, bool top, bool bottom) {
  lxw_format* f = workbook_add_format(book);
  format_set_font_name(f, font);
  format_set_font_size(f, 8);
  set_edges(f, top, bottom);
  return f;
}

bare_formats make_formats(lxw_workbook* book) {
  bare_formats b{};
  auto band = [&](bool top, bool bottom) {
    lxw_format* f = workbook_add_format(book);
    format_set_font_name(f, "Arial");
    format_set_font_size(f, 10);
    format_set_bold(f);
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, band_grey);
    set_edges(f, top, bottom);
    return f;
  };
  b.band_top = band(true, false);
  format_set_align(b.band_top, LXW_ALIGN_CENTER);
  b.band_bottom = band(false, true);
  b.band_rotated = band(false, true);
  format_set_align(b.band_rotated, LXW_ALIGN_CENTER);
  format_set_rotation(b.band_rotated, 90);
  const bool tops[] = {true, false, false, true};
  const bool bottoms[] = {false, false, true, true};
  for (int k = 0; k < bare_formats::row_kinds; ++k) {
    b.id[k] = body_format(book, "Arial", tops[k], bottoms[k]);
    format_set_num_format(b.id[k], "0000000000000");
    b.name[k] = body_format(book, "Lucida Console", tops[k], bottoms[k]);
    format_set_align(b.name[k], LXW_ALIGN_LEFT);
    b.marks[k] = body_format(book, "Arial", tops[k], bottoms[k]);
    format_set_align(b.marks[k], LXW_ALIGN_RIGHT);
  }
  return b;
}

bare_formats::row_kind kind_of(int learner) {
  const int in_group = (learner - 1) % group_rows;
  const bool first = in_group == 0;
  const bool last = in_group == group_rows - 1 || learner == body_rows;
  if (first && last) return bare_formats::group_single;
  return first ? bare_formats::group_first : last ? bare_formats::group_last : bare_formats::group_middle;
}

void write_bare(const QByteArray& path) {
  lxw_workbook* book = workbook_new(path.constData());
  lxw_worksheet* ws = workbook_add_worksheet(book, nullptr);
  const bare_formats f = make_formats(book);
  lxw_format* id_column = workbook_add_format(book);
  format_set_num_format(id_column, "0000000000000");

  worksheet_set_column(ws, 0, 0, 15, id_column);
  worksheet_set_column(ws, 1, 1, 34, nullptr);
  worksheet_set_column(ws, marks_from - 1, columns - 1, 3.5, nullptr);
  worksheet_set_row(ws, 1, 90, nullptr);
  for (int c = marks_from; c < columns; ++c)
    if (group_heading(c) == group_heading(c + 1)) {
      // Pairs 1-2, 2-3 ... of one group join into one range.
      int end = c + 1;
      while (end < columns && group_heading(end) == group_heading(end + 1)) ++end;
      worksheet_merge_range(ws, 0, lxw_col_t(c - 1), 0, lxw_col_t(end - 1), "", nullptr);
      c = end;
    }

  for (int c = 1; c <= columns; ++c) {
    const lxw_col_t col = lxw_col_t(c - 1);
    const bool mark_column = c >= marks_from;
    const bool merged_away = mark_column && c > marks_from && group_heading(c) == group_heading(c - 1);
    if (mark_column && !merged_away)
      worksheet_write_string(ws, 0, col, group_heading(c).toUtf8().constData(), f.band_top);
    else
      worksheet_write_blank(ws, 0, col, f.band_top);
    const QString heading =
        mark_column ? task_heading(c) : (c == 1 ? QStringLiteral("Number") : QStringLiteral("Name"));
    worksheet_write_string(ws, 1, col, heading.toUtf8().constData(),
                           mark_column ? f.band_rotated : f.band_bottom);
  }
  for (int learner = 1; learner <= body_rows; ++learner) {
    const lxw_row_t row = lxw_row_t(sheet_row(learner) - 1);
    const bare_formats::row_kind k = kind_of(learner);
    worksheet_write_number(ws, row, 0, 9000000000000.0 + learner, f.id[k]);
    worksheet_write_string(ws, row, 1, learner_name(learner).toUtf8().constData(), f.name[k]);
    for (int c = marks_from; c <= columns; ++c) {
      if (absent(learner, c))
        worksheet_write_string(ws, row, lxw_col_t(c - 1), "A", f.marks[k]);
      else
        worksheet_write_number(ws, row, lxw_col_t(c - 1), mark(learner, c), f.marks[k]);
    }
  }
  workbook_close(book);
}

void bare_libxlsxwriter(benchmark::State& state) {
  QTemporaryDir dir;
  const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("report.xlsx")));
  for (auto _ : state) write_bare(path);
  state.SetItemsProcessed(state.iterations() * (body_rows + heading_rows) * columns);
}
BENCHMARK(bare_libxlsxwriter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The heap as the program sets it up: both the export and the bare writer
  // run with it.
  km::platform::use_steady_heap();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the auto-fit measures with the fonts
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
