#include "printing/print_job_start.h"

#include <cmath>

#include "common/shared_variables.h"
#include "common/ui/loaded_windows.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/ui/printer/html_device.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/window_registry.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "printing/kies_drukker.h"
#include "printing/print_choice_files.h"
#include "printing/print_messages.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/wys_druk_vordering.h"

namespace km {

namespace {

using platform::printer;
using platform::scale_unit;

// Brings up the progress window, or reuses it while it is up.
void show_progress_window() {
  wys_druk_vordering* window = progress_window();
  if (!window || !window->isVisible()) {
    unload_form_if_loaded(QStringLiteral("wys_druk_vordering"));
    window = load_progress_window();
    if (!window) return;
    window->show_modeless();
    window->play_animation();
  }
  window->wdv_opskrif()->setText(g_print_title.trimmed().isEmpty() ? print_busy_text() : g_print_title);
  window->wdv_drukker()->setText(printer().device_name());
  window->wdv_bladsy()->setText(QString::number(printer().page()));
  window->update();
}

// Lends the printer the HTML page device of the HTML choice. False, after
// telling the user, when the chosen folder cannot be reached.
bool prepare_html_page() {
  const QString path = html_export_path();
  const QString native = platform::to_native_path(path);
  if (native.isEmpty()) {
    platform::print_error error{platform::print_error::kind::folder_not_writable, g_html_folder, {}};
    platform::message_box(printing_failed_message(error), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    return false;
  }
  lend_printer_device(std::make_shared<platform::html_device>(native));
  return true;
}

}  // namespace

bool choose_printer(const QString&) {
  // A document left open by a report that never reached its end goes out
  // now, to the device it was meant for; one that cannot is reported.
  (void)end_document_or_report();  // the choice goes ahead either way
  return_printer_device();

  g_print_job_name = g_print_title;
  // Only a button of the window says yes: closing it any other way cancels.
  g_print_go = false;
  unload_form_if_loaded(QStringLiteral("kies_drukker"));
  if (!platform::has_form_factory(QStringLiteral("kies_drukker"))) register_kies_drukker();
  if (platform::form* window = platform::load_form(QStringLiteral("kies_drukker"))) window->show_modal();

  if (g_print_go) {
    if (g_export_html && !prepare_html_page()) {
      g_print_go = false;
      g_export_html = false;
      return false;
    }
    // The report's title names the document for the printer queue and the
    // PDF file.
    printer().set_job_name(g_print_title.trimmed());
    begin_print_job();
    if (wys_druk_vordering* window = progress_window()) window->wdv_bladsy()->setText(QStringLiteral("0"));
    reset_progress_window();
    g_print_new_document = true;
    return true;
  }
  if (g_export_excel) {
    if (g_excel_workbook) {
      printer().kill_doc();
      return true;
    }
    g_export_excel = false;  // an export without a workbook cannot go on
  }
  return false;
}

void begin_print_job(const QString& paper, double height_factor) {
  if (g_export_excel) return;
  platform::printer_object& p = printer();
  show_progress_window();

  p.set_scale_mode(scale_unit::characters);
  // A factor the scale cannot take (0, negative, not a number) is passed over.
  if (height_factor != 1.0 && std::isfinite(height_factor) && height_factor > 0.0)
    p.set_scale_height(height_factor * p.scale_height());

  const bool portrait = paper == paper_a4_portrait;
  if (g_print_new_document)
    p.set_orientation(portrait ? platform::page_orientation::portrait
                               : platform::page_orientation::landscape);
  g_print_chars_per_line = platform::cint(p.scale_width());
  g_print_font_size = portrait ? 10 : 8;

  if (const auto colour = read_colour_file())
    g_print_colour = *colour;
  else if (!platform::file_exists(colour_file_path()))
    g_print_colour = false;
  // Black printing turns every colour into its shade of grey.
  p.set_colors(g_print_colour ? platform::color_mode::color : platform::color_mode::monochrome);

  p.set_font_name(QStringLiteral("Lucida Console"));
  p.set_font_size(g_print_font_size);

  g_print_page_columns = platform::cint(p.scale_width());
  g_print_line_length = g_print_page_columns;
  const bool portrait_sheet = p.orientation() == platform::page_orientation::portrait;
  g_print_header_rule_y = float(p.scale_height() / 12.0 - (portrait_sheet ? 0.5 : -1.0));
  g_print_page_lines = float(p.scale_height() - 1.25);

  p.set_draw_width(2);
  p.set_font_underline(false);
  p.set_font_bold(false);
  p.set_font_italic(false);
  set_print_font();
}

bool end_document_or_report() {
  if (printer().end_doc()) return true;
  platform::message_box(printing_failed_message(printer().last_error()), platform::msg_buttons::ok,
                        printing_failed_icon(printer().last_error()));
  return false;
}

void set_print_font() {
  platform::printer_object& p = printer();
  p.set_font_name(QStringLiteral("Lucida Console"));
  p.set_font_size(10);
  p.set_fore_color(Qt::black);
  p.set_font_bold(false);
  p.set_font_italic(false);
  p.set_font_strikethrough(false);
  p.set_font_transparent(true);
}

}  // namespace km
