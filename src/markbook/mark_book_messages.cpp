#include "markbook/mark_book_messages.h"

#include "common/file_error_reason.h"
#include "common/language_text.h"

namespace km {

QString too_few_mark_sets_message() {
  return in_language(
      u"Laai die nuutste kopie van REVIZ-URORU en herskep die \ruitvoerskyf om vir 40 reekse voorsiening te "
      u"maak ...",
      u"Load the latest copy of REVIZ-URORU and recreate the \rexport disk to allow for 40 mark sets ...");
}

QString line_40_in_use_message() {
  return in_language(u"LYN 40 IS IN GEBRUIK ... VERWYDER EERS 'N TAAK/PROJEK",
                     u"LINE 40 IS IN USE ... DELETE A TASK/PROJECT FIRST");
}

QString save_copy_failed_message(const QString& file_path, const platform::file_error& e) {
  return in_language(u"GEEN KOPIE VAN ", u"NO COPY OF ") + file_path +
         in_language(u" KON GEMAAK WORD NIE ... NIKS IS VERANDER NIE ",
                     u" COULD BE MADE ... NOTHING WAS CHANGED ") +
         QStringLiteral("(") + file_error_reason(e) + QStringLiteral(")");
}

QString no_symbol_table_message(const QString& data_folder) {
  return in_language(u"GEEN SIMBOOLTABEL IS IN DIE DATAGIDS ",
                     u"NO SYMBOL TABLE WAS FOUND IN THE DATA FOLDER ") +
         data_folder +
         in_language(
             u" GEVIND NIE.\r\nDie simbole word uit pi2_dta.dbf, of anders uit pi2_random.txt, in "
             u"daardie gids gelees; daarsonder word slegs die gemiddeldes gedruk.",
             u".\r\nThe symbols are read from pi2_dta.dbf, or else from pi2_random.txt, in that folder; "
             u"without them only the averages are printed.");
}

}  // namespace km
