#pragma once
// The names of the administration program's marks tables of combination N,
// in the spelling that program uses. The path layer matches names without
// regard to case, so "punte3.dbf" on disk is the same file and no second
// file differing only in case is ever made.
#include <QString>

namespace km {

QString cycle_table_name(int n);   // "PUNTE<N>.DBF"
QString obe_table_name(int n);     // "OBE_P<N>.DBF"
QString cycle_backup_name(int n);  // "PUNTE<N>.BAK"

}  // namespace km
