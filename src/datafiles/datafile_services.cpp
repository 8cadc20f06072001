#include "datafiles/datafile_services.h"

#include "datafiles/conversion_table.h"
#include "datafiles/count_rebuilds.h"
#include "datafiles/default_scales.h"
#include "datafiles/gsn_cmp_upgrade.h"
#include "datafiles/hand_written_conversions.h"
#include "datafiles/layout_upgrades.h"
#include "datafiles/pi11_upgrades.h"
#include "datafiles/previous_year_setup.h"
#include "datafiles/skl_add_upgrade.h"
#include "datafiles/table_converter.h"
#include "datafiles/write_failure_messages.h"

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

void datafile_services::finish_table_conversion(const QString& folder, const QString& code,
                                                platform::data_control& data1) {
  if (const conversion* declared = find_conversion(code.toLatin1().constData()))
    finish_conversion(*declared, folder, data1);
}

void datafile_services::create_pi4_su_random(const QString& folder) { km::create_pi4_su_random(folder); }
void datafile_services::finish_pi4_su_random(const QString& folder) { km::finish_pi4_su_random(folder); }
void datafile_services::create_pi4_vh_random(const QString& folder) { km::create_pi4_vh_random(folder); }
void datafile_services::create_hw_kodes_random(const QString& folder) { km::create_hw_kodes_random(folder); }
void datafile_services::create_prm_prom_random(const QString& folder) { km::create_prm_prom_random(folder); }

void datafile_services::convert_gsn_cmp_random(const QString& folder) {
  upgrade_telling_failure(folder, QStringLiteral("Gsn_Cmp_random.txt"),
                          [&] { km::convert_gsn_cmp_random(folder); });
}
void datafile_services::upgrade_skl_add_2016(const QString& folder) {
  upgrade_telling_failure(folder, QStringLiteral("skl_add_random.txt"),
                          [&] { km::upgrade_skl_add_2016(folder); });
}
void datafile_services::upgrade_ppl_hst_2014(const QString& folder) { km::upgrade_ppl_hst_2014(folder); }
void datafile_services::upgrade_ppl_pig_2014(const QString& folder) { km::upgrade_ppl_pig_2014(folder); }
void datafile_services::upgrade_pi11_pi5_2014(const QString& folder) { km::upgrade_pi11_pi5_2014(folder); }
void datafile_services::upgrade_gem_2014(const QString& folder) { km::upgrade_gem_2014(folder); }
void datafile_services::upgrade_sb_2014(const QString& folder) { km::upgrade_sb_2014(folder); }
void datafile_services::upgrade_ppl_add(const QString& folder) {
  upgrade_telling_failure(folder, QStringLiteral("Ppl_add_random.txt"), [&] { km::upgrade_ppl_add(folder); });
}
void datafile_services::upgrade_pi4_vh(const QString& folder) {
  upgrade_telling_failure(folder, QStringLiteral("pi4_vh_random.txt"), [&] { km::upgrade_pi4_vh(folder); });
}
void datafile_services::upgrade_pi1_to_pi11(const QString& folder) {
  upgrade_telling_failure(folder, QStringLiteral("pi11_random.txt"),
                          [&] { km::upgrade_pi1_to_pi11(folder); });
}
void datafile_services::copy_previous_year_setup(const QString& folder) {
  km::copy_previous_year_setup(folder);
}
void datafile_services::upgrade_pi5() { km::upgrade_pi5(); }
void datafile_services::fix_pi11_adj_ana() { km::fix_pi11_adj_ana(); }
void datafile_services::fix_pi11_zero_weights() { km::fix_pi11_zero_weights(); }
void datafile_services::fill_default_pi2_symbols() { km::fill_default_pi2_symbols(); }
void datafile_services::fill_default_psmb_symbols() { km::fill_default_psmb_symbols(); }

datafile_services& program_datafile_services() {
  static datafile_services services;
  return services;
}

}  // namespace km
