#pragma once
// The data-files subsystem's builds of record files, installed in the
// opening's place with set_data_file_services: every build from an older
// dBase table runs its declared conversion through the one converter, and
// the builds from text files run their own routines; so do the layout
// upgrades, the repairs of the settings record and the default fillings.

#include "common/data_file_services.h"

namespace km {

class datafile_services : public data_file_services {
 public:
  void create_skl_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_ppl_hst_random(const QString& folder, platform::data_control& data1) override;
  void create_ppl_gbrk_random(const QString& folder, platform::data_control& data1) override;
  void create_k_h_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_prm_rem_random(const QString& folder, platform::data_control& data1) override;
  void create_obe_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_ppl_pig_random(const QString& folder, platform::data_control& data1) override;
  void create_pi1_random(const QString& folder, platform::data_control& data1) override;
  void create_pi2_random(const QString& folder, platform::data_control& data1) override;
  void create_vak_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_pnt_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_gem_dta_random(const QString& folder, platform::data_control& data1) override;
  void create_gem_p_k_random(const QString& folder, platform::data_control& data1) override;
  void create_hw_random(const QString& folder, platform::data_control& data1) override;
  void create_hw2_random(const QString& folder, platform::data_control& data1) override;
  void create_sbt_random(const QString& folder, platform::data_control& data1) override;
  void create_sbp_random(const QString& folder, platform::data_control& data1) override;
  void create_kpk_random(const QString& folder, platform::data_control& data1) override;
  void create_sb_random(const QString& folder, platform::data_control& data1) override;
  void create_sbi_random(const QString& folder, platform::data_control& data1) override;
  void create_kpd_random(const QString& folder, platform::data_control& data1) override;
  void create_rt_random(const QString& folder, platform::data_control& data1) override;
  void finish_table_conversion(const QString& folder, const QString& code,
                               platform::data_control& data1) override;

  void create_pi4_su_random(const QString& folder) override;
  void finish_pi4_su_random(const QString& folder) override;
  void create_pi4_vh_random(const QString& folder) override;
  void create_hw_kodes_random(const QString& folder) override;
  void create_prm_prom_random(const QString& folder) override;

  void convert_gsn_cmp_random(const QString& folder) override;
  void upgrade_skl_add_2016(const QString& folder) override;
  void upgrade_ppl_hst_2014(const QString& folder) override;
  void upgrade_ppl_pig_2014(const QString& folder) override;
  void upgrade_pi11_pi5_2014(const QString& folder) override;
  void upgrade_gem_2014(const QString& folder) override;
  void upgrade_sb_2014(const QString& folder) override;
  void upgrade_ppl_add(const QString& folder) override;
  void upgrade_pi4_vh(const QString& folder) override;
  void upgrade_pi1_to_pi11(const QString& folder) override;
  void copy_previous_year_setup(const QString& folder) override;
  void upgrade_pi5() override;
  void fix_pi11_adj_ana() override;
  void fix_pi11_zero_weights() override;
  void fill_default_pi2_symbols() override;
  void fill_default_psmb_symbols() override;
};

// The program's one object of these services.
datafile_services& program_datafile_services();

}  // namespace km
