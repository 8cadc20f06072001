#include "marks/marks_messages.h"

#include <QStringList>

#include "common/language_text.h"

namespace km {

namespace {

const QString crlf = QStringLiteral("\r\n");

}  // namespace

QString input_total_prompt(const QString& subject_total, const QString& line_break) {
  return in_language(u"INLEESTOTAAL", u"INPUT TOTAL") + line_break + line_break +
         in_language(u"[ VAKTOTAAL = ", u"[ SUBJECT TOTAL = ") + subject_total + QStringLiteral(" ]");
}

QString converting_message(const QString& from, const QString& to) {
  return in_language(u"Besig om punte van ", u"Busy converting marks from ") + from +
         in_language(u" na ", u" to ") + to + in_language(u" te verwerk!", u"!");
}

QString code_refusal_message(bool formative) {
  const QString list = formative ? in_language(u"FE-LYS", u"FE-LIST") : in_language(u"PS-LYS", u"EK-LIST");
  return in_language(u"Kodes kan slegs ' ' of 'n kode van die ", u"Codes can only be ' ' or a code of the ") +
         list + in_language(u" wees", u"");
}

QString effort_keys_question() {
  return in_language(u"GAAN U PRESTASIESLEUTELS OOK INLEES ?", u"ARE YOU GOING TO INPUT EFFORT KEYS ALSO ?");
}

QString scaling_prompt(const QString& average, const QString& line_break) {
  return in_language(u"Huidige gemiddeld ", u"Current average ") + average + line_break + line_break +
         in_language(u"Nuwe gemiddeld ...", u"New average ...");
}

QString print_list_question() {
  return in_language(u"WIL U 'N PUNTELYS DRUK ?", u"DO YOU WANT TO PRINT A MARK LIST ?");
}

QString obe_undo_question() {
  return in_language(u"'UNDO' sal punte na vorige waardes herstel!",
                     u"'UNDO' will reset marks to previous values!");
}

QString backup_failed_message(const QString& backup) {
  return in_language(u"RUGSTEUNKOPIE ", u"BACKUP COPY ") + backup +
         in_language(u" KON NIE GEMAAK WORD NIE ... PUNTE NIE OOPGEMAAK NIE !",
                     u" COULD NOT BE MADE ... MARKS NOT OPENED !");
}

QString no_backup_message(const QString& backup) {
  return in_language(u"GEEN RUGSTEUNKOPIE ", u"NO BACKUP COPY ") + backup +
         in_language(u" NIE ... 'UNDO' NIE MOONTLIK NIE !", u" ... 'UNDO' NOT POSSIBLE !");
}

QString mark_does_not_fit_message(const QString& text, const QString& field) {
  return in_language(u"PUNT ", u"MARK ") + text + in_language(u" PAS NIE IN VELD ", u" DOES NOT FIT FIELD ") +
         field + in_language(u" NIE ... NIKS IS VERANDER NIE !", u" ... NOTHING WAS CHANGED !");
}

QString other_table_not_updated_message(const QString& table) {
  return in_language(u"PUNTE GESTOOR, MAAR ", u"MARKS SAVED, BUT ") + table +
         in_language(u" KON NIE BYGEWERK WORD NIE ...", u" COULD NOT BE UPDATED ...");
}

QString too_few_fields_message(const QString& table) {
  return in_language(u"TABEL ", u"TABLE ") + table +
         in_language(u" HET TE MIN VELDE ...", u" HAS TOO FEW FIELDS ...");
}

}  // namespace km
