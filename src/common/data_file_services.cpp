#include "common/data_file_services.h"

#include <memory>
#include <utility>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "platform/services.h"

namespace km {

// The stand-in hooks: a build builds nothing, an upgrade and a default
// filling change nothing. The opening then goes on with what is there.
void data_file_services::create_skl_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_ppl_hst_random(const QString&, platform::data_control&) {}
void data_file_services::create_ppl_gbrk_random(const QString&, platform::data_control&) {}
void data_file_services::create_k_h_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_prm_rem_random(const QString&, platform::data_control&) {}
void data_file_services::create_obe_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_ppl_pig_random(const QString&, platform::data_control&) {}
void data_file_services::create_pi1_random(const QString&, platform::data_control&) {}
void data_file_services::create_pi2_random(const QString&, platform::data_control&) {}
void data_file_services::create_vak_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_pnt_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_gem_dta_random(const QString&, platform::data_control&) {}
void data_file_services::create_gem_p_k_random(const QString&, platform::data_control&) {}
void data_file_services::create_hw_random(const QString&, platform::data_control&) {}
void data_file_services::create_hw2_random(const QString&, platform::data_control&) {}
void data_file_services::create_sbt_random(const QString&, platform::data_control&) {}
void data_file_services::create_sbp_random(const QString&, platform::data_control&) {}
void data_file_services::create_kpk_random(const QString&, platform::data_control&) {}
void data_file_services::create_sb_random(const QString&, platform::data_control&) {}
void data_file_services::create_sbi_random(const QString&, platform::data_control&) {}
void data_file_services::create_kpd_random(const QString&, platform::data_control&) {}
void data_file_services::create_rt_random(const QString&, platform::data_control&) {}
void data_file_services::finish_table_conversion(const QString&, const QString&, platform::data_control&) {}
void data_file_services::create_pi4_su_random(const QString&) {}
void data_file_services::finish_pi4_su_random(const QString&) {}
void data_file_services::create_pi4_vh_random(const QString&) {}
void data_file_services::create_hw_kodes_random(const QString&) {}
void data_file_services::create_prm_prom_random(const QString&) {}
void data_file_services::convert_gsn_cmp_random(const QString&) {}
void data_file_services::upgrade_skl_add_2016(const QString&) {}
void data_file_services::upgrade_ppl_hst_2014(const QString&) {}
void data_file_services::upgrade_ppl_pig_2014(const QString&) {}
void data_file_services::upgrade_pi11_pi5_2014(const QString&) {}
void data_file_services::upgrade_gem_2014(const QString&) {}
void data_file_services::upgrade_sb_2014(const QString&) {}
void data_file_services::upgrade_pi4_vh(const QString&) {}
void data_file_services::upgrade_pi1_to_pi11(const QString&) {}
void data_file_services::upgrade_pi5() {}
void data_file_services::fix_pi11_adj_ana() {}
void data_file_services::fix_pi11_zero_weights() {}
void data_file_services::copy_previous_year_setup(const QString&) {}
void data_file_services::fill_default_pi2_symbols() {}
void data_file_services::fill_default_psmb_symbols() {}

// The rebuild leaves Ppl_add_random.txt closed; so does the stand-in, so that
// the opening opens the file afresh after it.
void data_file_services::upgrade_ppl_add(const QString&) { close_file(g_ppladd_file_number); }

namespace {

data_file_services* installed_services = nullptr;
std::function<platform::data_control*()> data_control_provider;

data_file_services& stand_in_services() {
  static data_file_services stand_in;
  return stand_in;
}

// This module's own control: read-only, so a build that only reads its
// table never holds the table's write lock.
platform::data_control& own_data_control() {
  static const std::unique_ptr<platform::data_control> control = [] {
    auto made = std::make_unique<platform::data_control>();
    made->set_read_only(true);
    return made;
  }();
  return *control;
}

// The services and the provider are the application's, installed at start;
// this module's own control closes its table.
void stand_ins_back() {
  installed_services = nullptr;
  data_control_provider = nullptr;
  own_data_control().close_database();
}
const platform::reset_step stand_ins_back_at_reset{platform::reset_stage::open_files, stand_ins_back};

}  // namespace

data_file_services& data_files() { return installed_services ? *installed_services : stand_in_services(); }

data_file_services* set_data_file_services(data_file_services* services) {
  data_file_services* previous = installed_services;
  installed_services = services;
  return previous;
}

platform::data_control& startup_data_control() {
  if (data_control_provider) {
    if (platform::data_control* control = data_control_provider()) return *control;
  }
  return own_data_control();
}

void set_startup_data_control_provider(std::function<platform::data_control*()> provider) {
  data_control_provider = std::move(provider);
}

}  // namespace km
