#include "common/table_messages.h"

#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/dbase/dbf_error.h"

namespace km {

namespace {

const QString table_crlf = QStringLiteral("\r\n");

}  // namespace

QString corrupt_message(const QString& folder, const QString& table) {
  const QString t = upper_case_afrikaans(table);
  const QString f = upper_case_afrikaans(folder);
  if (g_language)
    return QStringLiteral("LE\u00EAR  '") + t + QStringLiteral("'  IN  '") + f +
           QStringLiteral("'  IS KORRUP!") + table_crlf +
           QStringLiteral("HERWIN ASB U LAASTE RUGSTEUN KOPIE ...");
  return QStringLiteral("FILE  '") + t + QStringLiteral("'  IN  '") + f + QStringLiteral("'  IS CORRUPT!") +
         table_crlf + QStringLiteral("PLEASE RESTORE YOUR LAST BACKUP COPY ...");
}

QString read_only_message(const QString& folder, const QString& table) {
  const QString dataset = upper_case_afrikaans(folder) + QStringLiteral("\\") + table;
  if (g_language)
    return QStringLiteral("DATASTEL ") + dataset +
           QStringLiteral("  IS 'READ ONLY' ... SKAKEL KORVA-SCOPE !");
  return QStringLiteral("DATASET ") + dataset + QStringLiteral("  IS 'READ ONLY' ... CONTACT KORVA-SCOPE !");
}

QString in_use_message(const QString& folder, const QString& table) {
  const QString dataset = upper_case_afrikaans(folder) + QStringLiteral("\\") + table;
  if (g_language)
    return QStringLiteral("DATASTEL ") + dataset +
           QStringLiteral("  REEDS IN GEBRUIK ... PROBEER WEER LATER !");
  return QStringLiteral("DATASET ") + dataset + QStringLiteral("  ALREADY IN  USE ... TRY AGAIN LATER !");
}

QString held_open_message(const QString& folder, const QString& file) {
  const QString name = upper_case_afrikaans(file);
  const QString f = upper_case_afrikaans(folder);
  if (g_language)
    return QStringLiteral("L\u00CAER  '") + name + QStringLiteral("'  IN  '") + f +
           QStringLiteral("'  IS OOP OP 'N ANDER REKENAAR ... NIKS IS VERANDER NIE !") + table_crlf +
           QStringLiteral("MAAK DIT DAAR TOE EN PROBEER WEER ...");
  return QStringLiteral("FILE  '") + name + QStringLiteral("'  IN  '") + f +
         QStringLiteral("'  IS OPEN ON ANOTHER COMPUTER ... NOTHING WAS CHANGED !") + table_crlf +
         QStringLiteral("CLOSE IT THERE AND TRY AGAIN ...");
}

QString table_failure_message(const QString& folder, const QString& table, const platform::dbf_error& e) {
  if (const auto* held = dynamic_cast<const platform::dbf_file_held_open*>(&e))
    return held_open_message(folder, held->file_name());
  switch (e.kind()) {
    case platform::dbf_error_kind::unreadable:
    case platform::dbf_error_kind::bad_format:
      return corrupt_message(folder, table);
    case platform::dbf_error_kind::read_only:
      return read_only_message(folder, table);
    case platform::dbf_error_kind::in_use:
      return in_use_message(folder, table);
    default:
      return e.text();
  }
}

}  // namespace km
