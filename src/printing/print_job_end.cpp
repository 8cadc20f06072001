#include "printing/print_job_end.h"

#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/excel_export.h"
#include "printing/print_messages.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/wys_druk_vordering.h"

namespace km {

namespace {

using platform::msg_buttons;
using platform::msg_icon;
using platform::printer;

void tell(const QString& text, msg_icon icon) { platform::message_box(text, msg_buttons::ok, icon); }

void end_excel_export() {
  // Nothing of an export goes to paper.
  printer().kill_doc();
  const QString name = g_excel_file_name;
  const QString target = g_excel_folder + name;
  if (save_excel_export()) tell(export_complete_message(name, target), msg_icon::information);
}

constexpr double footer_clearance = 0.1;

void print_footer() {
  platform::printer_object& p = printer();
  // The character scale, unless the page set-up made a taller one of its own
  // (a height factor), which the page measures were taken in.
  if (p.scale_mode() != platform::scale_unit::user) p.set_scale_mode(platform::scale_unit::characters);
  p.set_current_x(2);
  p.set_font_size(8);
  // The whole line above the page frame's foot (at the page lines), a
  // tenth of a line clear of it, not across the rule.
  p.set_current_y(double(g_print_page_lines) - p.text_height(g_print_title) - footer_clearance);
  p.print(g_print_title);
}

}  // namespace

void end_print_job(bool footer, bool) {
  if (g_export_excel) {
    end_excel_export();
    return;
  }

  platform::printer_object& p = printer();
  p.set_font_name(QStringLiteral("ARIAL"));
  p.set_font_size(10);
  p.set_font_bold(false);
  p.set_font_italic(false);
  p.set_font_underline(false);
  p.set_fore_color(Qt::black);
  if (footer && p.current_y() > 5) print_footer();

  const bool html_page = g_export_html && printer_device_lent();
  const bool written = p.end_doc();
  return_printer_device();

  if (wys_druk_vordering* window = progress_window()) {
    window->hide();
    window->stop_animation();
  }

  if (!written)
    tell(printing_failed_message(p.last_error()), printing_failed_icon(p.last_error()));
  else if (html_page)
    tell(export_complete_message(g_html_file_name, html_export_path()), msg_icon::information);
  else
    tell(printing_complete_message(p.last_page_count(), p.last_output_path()), msg_icon::information);
  g_export_html = false;
}

}  // namespace km
