// Prints a mark list of the sample school through the paged grid printer,
// three ways: to a PDF file, to an HTML page and into an .xlsx workbook, so
// that all three can be opened and compared.
//
//   print_sample_report --out <native folder> [--afrikaans] [--repeat N]
//                       [--page-per-combination]
//
// The sample school is written afresh into <out>/drive-c (mapped as C:);
// the reports are <out>/report.pdf, <out>/report.html and, written on
// C: as an export is, <out>/drive-c/report.xlsx. Every message the print road shows is written to
// standard output instead of waiting for a click.

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <exception>
#include <memory>

#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"
#include "platform/model/grid/flex_grid.h"
#include "platform/model/workbook/workbook.h"
#include "platform/number_locale.h"
#include "platform/ui/printer/html_device.h"
#include "platform/ui/printer/pdf_device.h"
#include "platform/ui/printer/printer_object.h"
#include "printing/grid_pages_printer.h"
#include "printing/print_job_end.h"
#include "printing/print_job_start.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/printing_windows.h"
#include "printing/report_header.h"
#include "tools/sample_report.h"
#include "tools/sample_school.h"

namespace {

// Answers every prompt with its default button and writes its text out.
class console_dialogs : public km::platform::dialog_service {
 public:
  km::platform::msg_answer message_box(const km::platform::message_request& request) override {
    QTextStream(stdout) << request.title << ": " << request.text << "\n";
    return km::platform::msg_answer::ok;
  }
  km::platform::input_answer input_box(const km::platform::input_request& request) override {
    return {request.default_text, false};
  }
  void beep() override {}
  std::optional<QString> browse_folder(const km::platform::folder_request&) override { return std::nullopt; }
  std::optional<QString> file_dialog(const km::platform::file_request&) override { return std::nullopt; }
  std::optional<km::platform::printer_choice> printer_dialog(const km::platform::printer_request&) override {
    return std::nullopt;
  }
  std::optional<km::platform::font_choice> font_dialog(const km::platform::font_request&) override {
    return std::nullopt;
  }
  QString clipboard_text() override { return {}; }
  void set_clipboard_text(const QString&) override {}
};

QString title() {
  return km::g_language ? QStringLiteral("VOORBEELD PUNTELYS") : QStringLiteral("SAMPLE MARK LIST");
}

// The page loop of a print button: header, grid, continuation mark and a
// new page until the grid is printed; an export takes one pass.
void print_pages(km::platform::flex_grid& grid) {
  km::grid_pages_options options;
  options.centre_table = true;
  for (int page = 1;; ++page) {
    QString heading = title();
    km::print_report_header(heading, nullptr, km::paper_a4_portrait);
    if (km::print_flexgrid_pages(grid, options) == -1) break;
    auto& printer = km::platform::printer();
    printer.set_current_x(km::g_print_page_columns - 8);
    printer.print(QStringLiteral(".../") + QString::number(page + 1));
    printer.new_page();
  }
}

void print_report(const km::sample_report_request& request) {
  km::platform::flex_grid grid;
  km::fill_sample_report_grid(grid, request);
  km::g_print_title = title();
  km::g_print_new_document = true;
  km::begin_print_job(km::paper_a4_portrait);
  print_pages(grid);
  km::end_print_job(false);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  QCoreApplication::setApplicationName(QStringLiteral("korva-marks"));
  QTextStream err(stderr);

  QString out;
  km::sample_report_request request;
  const QStringList args = QCoreApplication::arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--out") && i + 1 < args.size()) {
      out = QDir(args[++i]).absolutePath();
    } else if (a == QLatin1String("--afrikaans")) {
      request.afrikaans = true;
    } else if (a == QLatin1String("--repeat") && i + 1 < args.size()) {
      request.repeat = qMax(1, args[++i].toInt());
    } else if (a == QLatin1String("--page-per-combination")) {
      request.page_per_combination = true;
    } else {
      out.clear();
      break;
    }
  }
  if (out.isEmpty()) {
    err << "usage: print_sample_report --out <folder> [--afrikaans] [--repeat N] [--page-per-combination]\n";
    return 2;
  }

  console_dialogs dialogs;
  km::platform::set_dialogs(&dialogs);
  try {
    QDir().mkpath(out + QStringLiteral("/drive-c"));
    km::platform::drive_map map;
    map.set_drive(u'C', out + QStringLiteral("/drive-c"));
    km::platform::set_drive_map(map);
    km::sample_school_options school;
    school.replace_existing = true;
    km::make_sample_school(school);
    km::register_printing_windows();
    km::g_language = request.afrikaans ? 1 : 0;

    km::platform::printer().set_device(
        km::platform::pdf_device::to_file(out + QStringLiteral("/report.pdf")));
    print_report(request);

    km::lend_printer_device(
        std::make_shared<km::platform::html_device>(out + QStringLiteral("/report.html")));
    print_report(request);

    km::g_export_excel = true;
    km::g_excel_folder = QStringLiteral("C:\\");
    km::g_excel_file_name = QStringLiteral("report");
    km::g_excel_workbook = std::make_unique<km::platform::workbook>();
    km::g_excel_sheet_count = 0;
    km::g_excel_row = 0;
    print_report(request);
  } catch (const std::exception& e) {
    err << "print_sample_report: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
