#include "printing/report_header.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/program.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/value.h"
#include "printing/excel_export.h"
#include "printing/print_drawing.h"
#include "printing/print_messages.h"
#include "printing/print_variables.h"

namespace km {

namespace {

using platform::print_end;
using platform::printer;

// The body of every page starts on this line, whatever the header took.
constexpr double body_line = 6.0;

bool portrait() { return printer().orientation() == platform::page_orientation::portrait; }

// The page measures while the header is drawn: the frame's right edge a
// quarter column inside the page.
void set_header_geometry() {
  const platform::printer_object& p = printer();
  g_print_page_columns = platform::cint(p.scale_width() - 0.25);
  g_print_line_length = g_print_page_columns;
  g_print_page_lines = float(p.scale_height() - (portrait() ? 0.7 : 0.5));
  g_print_header_rule_y = float(p.scale_height() / 12.0 - (portrait() ? 0.5 : -1.0));
}

// Moves the export on to its next worksheet, adding one when needed.
void next_worksheet() {
  ++g_excel_sheet_count;
  if (!g_excel_workbook) return;
  platform::workbook& book = *g_excel_workbook;
  while (book.sheet_count() < g_excel_sheet_count) book.add_sheet();
  g_excel_sheet = g_excel_sheet_count;
  book.sheet(g_excel_sheet_count).set_font_name(QStringLiteral("ARIAL"));
}

struct header_texts {
  QString date;
  QString program;
  QString time;
  QString school;
  QString system;
  QString page;
};

header_texts today_texts() {
  const double now = platform::clock().now();
  return {format_date(platform::Value::date(now)).to_text(),
          platform::program_title(),
          platform::time_text(now),
          g_school_name.trimmed(),
          g_windows_name.trimmed(),
          page_label_text() + QString::number(printer().page())};
}

// Left: at column 3. The line goes on.
void print_left(const QString& text, double size) {
  printer().set_font_size(size);
  printer().print({platform::print_tab{3}, text}, print_end::stay);
}

void print_centred(const QString& text, double size, print_end end) {
  platform::printer_object& p = printer();
  p.set_font_size(size);
  p.set_current_x((p.scale_width() - p.text_width(text)) / 2.0);
  p.print(text, end);
}

// Right: two columns short of the right edge. The columns across are
// characters in the page set-up's scale, with or without a height factor.
void print_right(const QString& text, double size) {
  platform::printer_object& p = printer();
  p.set_font_size(size);
  p.set_current_x(p.scale_width() - 2.0 - p.text_width(text));
  p.print(text, print_end::line_end);
}

void print_header_lines(const header_texts& t, const QString& title, QString* subtitle, bool bold_titles) {
  platform::printer_object& p = printer();
  p.set_current_x(0.0);
  p.set_current_y(portrait() ? 0.5 : 0.75);
  print_left(t.date, 8);
  print_right(t.program, 8);
  print_left(t.time, 8);
  print_centred(t.school, 10, print_end::stay);
  print_right(t.system, 8);
  print_left(t.page, 8);
  p.set_font_bold(bold_titles);
  print_centred(title.trimmed(), bold_titles ? 12 : 10, print_end::line_end);
  p.set_font_bold(false);
  p.set_font_size(g_print_font_size);

  if (subtitle && !subtitle->trimmed().isEmpty()) {
    p.set_current_y(p.current_y() + 0.5);
    p.set_font_bold(bold_titles);
    print_centred(subtitle->trimmed(), 10, print_end::line_end);
    p.set_font_size(g_print_font_size);
    p.set_current_x(0.0);
    p.set_current_y(p.current_y() + 1.0);
    p.set_font_bold(false);
  }
}

void write_header_cells(const header_texts& t, const QString& title) {
  platform::worksheet* sheet = current_excel_sheet();
  if (!sheet) return;
  sheet->set_text(1, 1, t.date);
  sheet->set_text(1, 5, t.program);
  sheet->set_text(2, 1, t.time);
  sheet->set_text(2, 3, t.school);
  sheet->set_text(2, 5, t.system);
  sheet->set_text(3, 1, t.page);
  sheet->set_text(3, 3, title.trimmed());
}

}  // namespace

double print_report_header(QString& title, QString* subtitle, const QString& paper, bool bold_titles,
                           bool no_header, double height_factor) {
  platform::printer_object& p = printer();
  const bool exporting = g_export_excel;
  begin_print_job(paper, height_factor);
  if (!exporting) p.set_font_size(10);
  set_header_geometry();
  if (exporting) next_worksheet();

  double start = exporting ? 0.0 : p.current_y();
  const bool due = p.current_y() >= p.scale_height() - 5.0 || p.current_y() == 0.0 || g_print_new_document;
  if (due) {
    if (!exporting && (p.current_y() > 0.0 || !g_print_new_document)) p.new_page();
    g_print_new_document = false;
    if (!no_header) {
      if (subtitle && (exporting || !portrait()) && !subtitle->trimmed().isEmpty()) {
        title = title + QStringLiteral(" [") + subtitle->trimmed() + u']';
        subtitle->clear();
      }
      const header_texts texts = today_texts();
      if (exporting) {
        write_header_cells(texts, title);
      } else {
        print_box(0.25, 0.25, g_print_page_columns, g_print_page_lines, false, true);
        print_line(0.25, g_print_header_rule_y, g_print_page_columns, g_print_header_rule_y, false, true);
        print_header_lines(texts, title, subtitle, bold_titles);
        p.set_current_x(0.0);
        p.set_current_y(body_line);
      }
    }
    if (exporting) g_excel_row = 6;
    start = exporting ? 0.0 : p.current_y();
  }

  g_print_page_columns = platform::cint(p.scale_width());
  g_print_line_length = g_print_page_columns;
  return start;
}

}  // namespace km
