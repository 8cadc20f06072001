#include "markbook/simbole_druk.h"

#include <QLabel>

#include "common/language_text.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "markbook/book_table.h"
#include "markbook/mark_book_messages.h"
#include "markbook/setup_finder.h"
#include "markbook/symbol_distribution.h"
#include "markbook/symbol_table.h"
#include "markbook/task_legend_print.h"
#include "platform/dbase/data_control.h"
#include "platform/dialogs.h"
#include "platform/platform_error.h"
#include "platform/value.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_variables.h"
#include "printing/report_pages.h"
#include "shell/window_parts.h"

namespace km {

simbole_druk::simbole_druk(QWidget* parent) : book_print_form(QStringLiteral("simbole_druk"), parent) {
  auto* pi2_dta = new platform::data_control(this);
  pi2_dta->setObjectName(QStringLiteral("pi2_dta"));
}

void simbole_druk::set_texts() {
  set_caption(in_language(u"SIMBOOLVERSPREIDING DRUK", u"SYMBOL DISTRIBUTION PRINT"));
  control<QLabel>(QStringLiteral("vak_ops"))->setText(caption());
  set_button_texts(this, {{"pboek_druk_print", u"DRUK", u"PRINT", nullptr, nullptr},
                          {"pboek_druk_exit", u"EXIT", u"EXIT", nullptr, nullptr}});
}

// Grade, subject, class and the combination's description, each cell as
// the list holds it.
QString simbole_druk::combination_title(const QStringList& cells) const {
  const QString kind = class_part(cells);
  return cells.value(0) + QStringLiteral(" ") + cells.value(1) + QStringLiteral(" ") + kind +
         QStringLiteral(" ") + trim_blanks(cells.value(4));
}

std::optional<setup_rows> simbole_druk::build_distribution() {
  std::optional<setup_rows> rows = read_chosen_setup();
  if (!rows || !open_chosen_book()) return std::nullopt;  // the window has told why and closed
  const std::vector<symbol_range> symbols = read_symbol_table(g_data_folder);
  smb_van_.clear();
  smb_tot_.clear();
  for (const symbol_range& s : symbols) {
    smb_van_ << s.lower;
    smb_tot_ << s.upper;
  }
  fill_symbol_distribution(report_grid(), *rows, symbols, read_mark_records(book().recordset()));
  return rows;
}

void simbole_druk::pboek_druk_print_Click() {
  if (combination() == 0) return;
  try {
    g_excel_file_name = in_language(u"SIMBOLE ", u"SYMBOLS ") + report_title();
    g_print_title = report_title();
    const std::optional<setup_rows> rows = build_distribution();
    if (!rows) return;
    // Without symbols the report holds only the averages: say why, once.
    if (smb_van_.isEmpty())
      platform::message_box(no_symbol_table_message(g_data_folder), platform::msg_buttons::ok,
                            platform::msg_icon::exclamation);
    if (!choose_printer()) return;
    g_print_new_document = true;
    print_report_pages(report_grid(), report_title(), paper_a4_landscape);
    print_task_legend(*rows);
    step_below_report();
    end_print_job(false, false);
    after_print();
  } catch (const platform::platform_error& e) {
    report_print_error(e);
  }
}

}  // namespace km
