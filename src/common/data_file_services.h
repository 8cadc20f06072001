#pragma once
// The builders, layout upgrades and default fillings of record files that
// open_random_files calls. They belong to the data-files subsystem, which
// sits above this one: it derives from data_file_services and installs its
// object at start with set_data_file_services. Until then the base class
// stands in, and each of its hooks does the least the opening relies on
// (a build builds nothing, so the file is then opened empty; an upgrade and
// a default filling change nothing). The opening runs each hook at most once
// per code and call, so a hook that leaves nothing behind cannot make it
// loop.
//
// The folder argument is the folder being opened. A build from a dBase
// table receives the start-up window's data control already pointed at
// that table of the folder.

#include <QString>
#include <functional>

namespace km::platform {
class data_control;
}

namespace km {

class data_file_services {
 public:
  virtual ~data_file_services() = default;

  // --- Builds from the older dBase table (data1 is bound to the table) ---
  // Each writes its record file in the folder; called when the record file
  // is missing and the table is present.
  virtual void create_skl_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_ppl_hst_random(const QString& folder, platform::data_control& data1);
  virtual void create_ppl_gbrk_random(const QString& folder, platform::data_control& data1);
  virtual void create_k_h_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_prm_rem_random(const QString& folder, platform::data_control& data1);
  virtual void create_obe_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_ppl_pig_random(const QString& folder, platform::data_control& data1);
  virtual void create_pi1_random(const QString& folder, platform::data_control& data1);
  virtual void create_pi2_random(const QString& folder, platform::data_control& data1);
  virtual void create_vak_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_pnt_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_gem_dta_random(const QString& folder, platform::data_control& data1);
  virtual void create_gem_p_k_random(const QString& folder, platform::data_control& data1);
  virtual void create_hw_random(const QString& folder, platform::data_control& data1);
  virtual void create_hw2_random(const QString& folder, platform::data_control& data1);
  virtual void create_sbt_random(const QString& folder, platform::data_control& data1);
  virtual void create_sbp_random(const QString& folder, platform::data_control& data1);
  virtual void create_kpk_random(const QString& folder, platform::data_control& data1);
  // sb_random.txt (1327-byte records); the opening then opens it at once.
  virtual void create_sb_random(const QString& folder, platform::data_control& data1);
  // sbi_random.txt (50-byte records); also called once per request when
  // that file is empty and the table holds records.
  virtual void create_sbi_random(const QString& folder, platform::data_control& data1);
  // Writes KPD_random.txt under g_kpd_convert_file_number; the opening then
  // opens it at once.
  virtual void create_kpd_random(const QString& folder, platform::data_control& data1);
  // rt_random.txt (28-byte records); data1 names rt_dta.dbf whether or not
  // that table is there.
  virtual void create_rt_random(const QString& folder, platform::data_control& data1);

  // Called when the record file of a build from a table and that table are
  // both in the folder (data1 is bound to the table): a conversion stopped
  // before it retired its source is finished. The stand-in does nothing.
  virtual void finish_table_conversion(const QString& folder, const QString& code,
                                       platform::data_control& data1);

  // --- Builds from the folder's text files ---
  // pi4_su_random.txt (1237-byte records) from the per-subject text files.
  virtual void create_pi4_su_random(const QString& folder);
  // Called when pi4_su_random.txt is in the folder: the subject text files
  // beside it whose records it holds are moved into \save, finishing a
  // build stopped before it had moved them. The stand-in does nothing.
  virtual void finish_pi4_su_random(const QString& folder);
  // pi4_vh_random.txt (5717-byte records); requests "PI4SU" itself.
  virtual void create_pi4_vh_random(const QString& folder);
  // Fills the empty hw_kodes_random.txt open under g_hwk_file_number from
  // the folder's code text files.
  virtual void create_hw_kodes_random(const QString& folder);
  // prm_prom_random.txt with its default record (8-byte records); called
  // after the opening has closed and removed the old file.
  virtual void create_prm_prom_random(const QString& folder);

  // --- Layout upgrades; each leaves the marker that stops the next run ---
  // One pass of Gsn_Cmp_random.txt towards the 2120-byte layout.
  virtual void convert_gsn_cmp_random(const QString& folder);
  virtual void upgrade_skl_add_2016(const QString& folder);
  virtual void upgrade_ppl_hst_2014(const QString& folder);
  virtual void upgrade_ppl_pig_2014(const QString& folder);
  virtual void upgrade_pi11_pi5_2014(const QString& folder);
  virtual void upgrade_gem_2014(const QString& folder);
  virtual void upgrade_sb_2014(const QString& folder);
  // Rebuilds Ppl_add_random.txt (177-byte records) to at most 2000 records.
  // Closes g_ppladd_file_number first and leaves the file closed: the
  // stand-in does just that.
  virtual void upgrade_ppl_add(const QString& folder);
  // Rewrites pi4_vh_random.txt to at most 50 records.
  virtual void upgrade_pi4_vh(const QString& folder);
  // Copies pi1_random.txt (172 bytes) into the empty pi11_random.txt (272).
  virtual void upgrade_pi1_to_pi11(const QString& folder);
  // Called when the open PI3 and PI5 files both hold records and their
  // counts differ; nothing is changed.
  virtual void upgrade_pi5();

  // --- Repairs and default fillings of open files ---
  // Repair passes over the PI11 records under g_pi11_file_number.
  virtual void fix_pi11_adj_ana();
  virtual void fix_pi11_zero_weights();
  // Copies the achievement-level files of last year's data folder into the
  // folder being opened.
  virtual void copy_previous_year_setup(const QString& folder);
  // Default symbol bounds into the open, empty pi2_random.txt
  // (g_pi2_file_number).
  virtual void fill_default_pi2_symbols();
  // Default scale records into the open, empty psmb_random.txt
  // (g_psmb_file_number).
  virtual void fill_default_psmb_symbols();
};

// The services in use: the installed object, or the stand-in.
data_file_services& data_files();
// Installs the services and returns those they replace (nullptr when the
// stand-in was in use); nullptr puts the stand-in back. The caller keeps
// ownership.
data_file_services* set_data_file_services(data_file_services* services);

// The data control through which the builds read their table: the start-up
// window's data control once the shell has given a provider, else a
// read-only control of this module.
platform::data_control& startup_data_control();
// Sets the provider (nullptr or an empty function: this module's control).
void set_startup_data_control_provider(std::function<platform::data_control*()> provider);

}  // namespace km
