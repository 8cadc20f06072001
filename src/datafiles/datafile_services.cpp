#include "datafiles/datafile_services.h"

#include "datafiles/conversion_table.h"
#include "datafiles/hand_written_conversions.h"
#include "datafiles/table_converter.h"

namespace km {

namespace {

void convert(const char* code, const QString& folder, platform::data_control& data1) {
  convert_table(*find_conversion(code), folder, data1);
}

}  // namespace

void datafile_services::create_skl_dta_random(const QString& f, platform::data_control& d) {
  convert("SKL", f, d);
}
void datafile_services::create_ppl_hst_random(const QString& f, platform::data_control& d) {
  convert("PPLHST", f, d);
}
void datafile_services::create_ppl_gbrk_random(const QString& f, platform::data_control& d) {
  convert("GBRK", f, d);
}
void datafile_services::create_k_h_dta_random(const QString& f, platform::data_control& d) {
  convert("KHDTA", f, d);
}
void datafile_services::create_prm_rem_random(const QString& f, platform::data_control& d) {
  convert("PRMREM", f, d);
}
void datafile_services::create_obe_dta_random(const QString& f, platform::data_control& d) {
  convert("OBEDTA", f, d);
}
void datafile_services::create_ppl_pig_random(const QString& f, platform::data_control& d) {
  convert("PIG", f, d);
}
void datafile_services::create_pi1_random(const QString& f, platform::data_control& d) {
  convert("PI1", f, d);
}
void datafile_services::create_pi2_random(const QString& f, platform::data_control& d) {
  convert("PI2", f, d);
}
void datafile_services::create_vak_dta_random(const QString& f, platform::data_control& d) {
  convert("VAKDTA", f, d);
}
void datafile_services::create_pnt_dta_random(const QString& f, platform::data_control& d) {
  convert("PNTDTA", f, d);
}
void datafile_services::create_gem_dta_random(const QString& f, platform::data_control& d) {
  convert("GEMDTA", f, d);
}
void datafile_services::create_gem_p_k_random(const QString& f, platform::data_control& d) {
  convert("GEMPK", f, d);
}
void datafile_services::create_hw_random(const QString& f, platform::data_control& d) {
  convert("H_W", f, d);
}
void datafile_services::create_hw2_random(const QString& f, platform::data_control& d) {
  convert("HW2", f, d);
}
void datafile_services::create_sbt_random(const QString& f, platform::data_control& d) {
  convert("SBT", f, d);
}
void datafile_services::create_sbp_random(const QString& f, platform::data_control& d) {
  convert("SBP", f, d);
}
void datafile_services::create_kpk_random(const QString& f, platform::data_control& d) {
  convert("KPK", f, d);
}
void datafile_services::create_sb_random(const QString& f, platform::data_control& d) {
  convert("S_B", f, d);
}
void datafile_services::create_sbi_random(const QString& f, platform::data_control& d) {
  convert("SBI", f, d);
}
void datafile_services::create_kpd_random(const QString& f, platform::data_control& d) {
  convert("KPD", f, d);
}
void datafile_services::create_rt_random(const QString& f, platform::data_control& d) { convert("RT", f, d); }

void datafile_services::create_pi4_su_random(const QString& folder) { km::create_pi4_su_random(folder); }
void datafile_services::create_pi4_vh_random(const QString& folder) { km::create_pi4_vh_random(folder); }
void datafile_services::create_hw_kodes_random(const QString& folder) { km::create_hw_kodes_random(folder); }
void datafile_services::create_prm_prom_random(const QString& folder) { km::create_prm_prom_random(folder); }

datafile_services& program_datafile_services() {
  static datafile_services services;
  return services;
}

}  // namespace km
