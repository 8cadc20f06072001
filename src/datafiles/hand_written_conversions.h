#pragma once
// The conversions that do not follow the table mould: the homework codes
// from four text files, the outcome sets from the subject text files and
// their wide copy, and the default promotion settings.
#include <QString>
namespace km {
void create_hw_kodes_random(const QString& folder);
void clear_hw_code_record();
void create_pi4_su_random(const QString& folder);
void finish_pi4_su_random(const QString& folder);
void create_pi4_vh_random(const QString& folder);
void create_prm_prom_random(const QString& folder);
}  // namespace km
