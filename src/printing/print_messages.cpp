#include "printing/print_messages.h"

#include <QDir>

#include "common/language_text.h"
#include "common/shared_variables.h"

namespace km {

QString print_busy_text() { return in_language(u" BESIG MET DRUKWERK ... ", u" BUSY WITH PRINTING ... "); }

QString page_label_text() { return in_language(u"BLADSY : ", u"PAGE : "); }

QString printing_complete_message(int pages, const QString& pdf_file) {
  const QString n = QString::number(pages);
  const QString done = g_language ? QStringLiteral("DRUKWERK VOLTOOI (") + n + QStringLiteral(" bladsye)")
                                  : QStringLiteral("PRINTING COMPLETE (") + n + QStringLiteral(" pages)");
  return pdf_file.isEmpty() ? done : done + QStringLiteral("\r\n") + QDir::toNativeSeparators(pdf_file);
}

QString print_error_reason(const platform::print_error& error) {
  using kind = platform::print_error::kind;
  if (!g_language) return error.text();
  QString reason;
  switch (error.what) {
    case kind::none:
      return {};
    case kind::folder_not_writable:
      reason = QStringLiteral("Die gids %1 kan nie geskryf word nie.");
      break;
    case kind::file_not_writable:
      reason = QString::fromUtf16(u"Die lêer %1 kan nie geskryf word nie.");
      break;
    case kind::no_printer:
      reason = QStringLiteral("Die drukker %1 is nie beskikbaar nie.");
      break;
    case kind::printer_refused:
      reason = QStringLiteral("Die drukker %1 het die dokument nie aanvaar nie.");
      break;
    case kind::job_failed:
      reason = QStringLiteral("Die drukker %1 het die dokument aanvaar maar kon dit nie druk nie.");
      break;
    case kind::job_waiting:
      reason = QStringLiteral("Die dokument wag in die tou van die drukker %1, wat gestop is.");
      break;
    case kind::job_held:
      reason = QStringLiteral("Die dokument word in die tou van die drukker %1 teruggehou.");
      break;
  }
  reason = reason.arg(error.path);
  if (!error.detail.isEmpty()) reason += u' ' + error.detail;
  return reason;
}

QString printing_failed_message(const platform::print_error& error) {
  const QString head = error.waiting() ? in_language(u"DRUKWERK WAG NOG !!", u"PRINTING IS WAITING !!")
                                       : in_language(u"DRUKWERK HET MISLUK !!", u"PRINTING FAILED !!");
  return head + QStringLiteral("\r\n") + print_error_reason(error);
}

platform::msg_icon printing_failed_icon(const platform::print_error& error) {
  return error.waiting() ? platform::msg_icon::exclamation : platform::msg_icon::critical;
}

QString export_complete_message(const QString& name, const QString& folder_and_name) {
  return g_language ? QStringLiteral("UITVOER VAN ") + name + QStringLiteral(" NA ") + folder_and_name +
                          QStringLiteral(" VOLTOOI !!")
                    : QStringLiteral("EXPORT OF ") + name + QStringLiteral(" TO ") + folder_and_name +
                          QStringLiteral(" COMPLETE !!");
}

QString export_failed_message(const QString& name, const QString& folder_and_name, const QString& reason) {
  const QString head = g_language ? QStringLiteral("UITVOER VAN ") + name + QStringLiteral(" NA ") +
                                        folder_and_name + QStringLiteral(" HET MISLUK !!")
                                  : QStringLiteral("EXPORT OF ") + name + QStringLiteral(" TO ") +
                                        folder_and_name + QStringLiteral(" FAILED !!");
  return reason.isEmpty() ? head : head + QStringLiteral("\r\n") + reason;
}

QString no_workbook_open_text() { return in_language(u"Geen werkboek is oop nie.", u"No workbook is open."); }

QString too_many_columns_message(int columns, int most_columns) {
  const QString n = QString::number(columns);
  const QString most = QString::number(most_columns);
  return g_language
             ? QStringLiteral("DIE TABEL HET ") + n + QStringLiteral(" KOLOMME; 'N WERKBLAD HOU HOOGSTENS ") +
                   most + QStringLiteral(". DIE TABEL IS NIE UITGEVOER NIE.")
             : QStringLiteral("THE TABLE HAS ") + n + QStringLiteral(" COLUMNS; A WORKSHEET HOLDS AT MOST ") +
                   most + QStringLiteral(". THE TABLE WAS NOT EXPORTED.");
}

}  // namespace km
