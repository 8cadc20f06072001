#pragma once
// The fixture of the record-file opening tests: a temporary C: and D:
// (C:\DATA made), scripted dialogs, the year 2017, and data-file services
// that note every hook called and can be told what a hook does.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "common/data_file_services.h"
#include "common/file_number_pool.h"
#include "common/open_random_files.h"
#include "common/shared_variables.h"
#include "platform/dbase/data_control.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/win_path.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"

namespace km::test {

#define KM_TABLE_HOOK(name)                                                  \
  void name(const QString& folder, platform::data_control& data1) override { \
    note(QStringLiteral(#name), folder, &data1);                             \
  }
#define KM_FOLDER_HOOK(name) \
  void name(const QString& folder) override { note(QStringLiteral(#name), folder, nullptr); }
#define KM_PLAIN_HOOK(name) \
  void name() override { note(QStringLiteral(#name), QString(), nullptr); }

class recording_services : public data_file_services {
 public:
  QStringList calls;        // hook names in the order called
  QStringList folders;      // the folder each hook was given ("" for none)
  QStringList tables;       // for table builds: the table the control named
  QList<bool> tables_open;  // ... and whether it had the table open
  QList<const platform::data_control*> controls;
  // What a hook does besides being noted.
  QHash<QString, std::function<void()>> actions;

  int count(const QString& name) const { return int(calls.count(name)); }

  KM_TABLE_HOOK(create_skl_dta_random)
  KM_TABLE_HOOK(create_ppl_hst_random)
  KM_TABLE_HOOK(create_ppl_gbrk_random)
  KM_TABLE_HOOK(create_k_h_dta_random)
  KM_TABLE_HOOK(create_prm_rem_random)
  KM_TABLE_HOOK(create_obe_dta_random)
  KM_TABLE_HOOK(create_ppl_pig_random)
  KM_TABLE_HOOK(create_pi1_random)
  KM_TABLE_HOOK(create_pi2_random)
  KM_TABLE_HOOK(create_vak_dta_random)
  KM_TABLE_HOOK(create_pnt_dta_random)
  KM_TABLE_HOOK(create_gem_dta_random)
  KM_TABLE_HOOK(create_gem_p_k_random)
  KM_TABLE_HOOK(create_hw_random)
  KM_TABLE_HOOK(create_hw2_random)
  KM_TABLE_HOOK(create_sbt_random)
  KM_TABLE_HOOK(create_sbp_random)
  KM_TABLE_HOOK(create_kpk_random)
  KM_TABLE_HOOK(create_sb_random)
  KM_TABLE_HOOK(create_sbi_random)
  KM_TABLE_HOOK(create_kpd_random)
  KM_TABLE_HOOK(create_rt_random)
  KM_FOLDER_HOOK(create_pi4_su_random)
  KM_FOLDER_HOOK(create_pi4_vh_random)
  KM_FOLDER_HOOK(create_hw_kodes_random)
  KM_FOLDER_HOOK(create_prm_prom_random)
  KM_FOLDER_HOOK(convert_gsn_cmp_random)
  KM_FOLDER_HOOK(upgrade_skl_add_2016)
  KM_FOLDER_HOOK(upgrade_ppl_hst_2014)
  KM_FOLDER_HOOK(upgrade_ppl_pig_2014)
  KM_FOLDER_HOOK(upgrade_pi11_pi5_2014)
  KM_FOLDER_HOOK(upgrade_gem_2014)
  KM_FOLDER_HOOK(upgrade_sb_2014)
  KM_FOLDER_HOOK(upgrade_pi4_vh)
  KM_FOLDER_HOOK(upgrade_pi1_to_pi11)
  KM_PLAIN_HOOK(fix_pi11_adj_ana)
  KM_PLAIN_HOOK(fix_pi11_zero_weights)
  KM_FOLDER_HOOK(copy_previous_year_setup)
  KM_PLAIN_HOOK(upgrade_pi5)
  KM_PLAIN_HOOK(fill_default_pi2_symbols)
  KM_PLAIN_HOOK(fill_default_psmb_symbols)

  // Keeps the stand-in's part (the file is left closed) after noting.
  void upgrade_ppl_add(const QString& folder) override {
    note(QStringLiteral("upgrade_ppl_add"), folder, nullptr);
    data_file_services::upgrade_ppl_add(folder);
  }

 private:
  void note(const QString& name, const QString& folder, platform::data_control* data1) {
    calls << name;
    folders << folder;
    if (data1 != nullptr) {
      tables << data1->record_source();
      tables_open << data1->has_recordset();
      controls << data1;
    }
    if (const auto it = actions.constFind(name); it != actions.constEnd()) it.value()();
  }
};

#undef KM_TABLE_HOOK
#undef KM_FOLDER_HOOK
#undef KM_PLAIN_HOOK

class record_file_test : public clean_state_test {
 protected:
  void SetUp() override {
    g_year = QStringLiteral("2017");
    set_data_file_services(&services);
    drives.make_native_folder(QStringLiteral("C/DATA"));
  }
  void TearDown() override {
    dialogs.verify();
    clean_state_test::TearDown();
  }

  // Writes a file below the temporary drives ("C/DATA/x.txt").
  void put(const QString& native_relative, const QByteArray& bytes) {
    drives.write_native(native_relative, bytes);
  }
  // The bytes of a file named by its Windows path ("" when missing).
  static QByteArray bytes_of(const QString& win_path) {
    return read_native_file(platform::to_native_path(win_path));
  }
  static bool exists(const QString& win_path) { return platform::file_exists(win_path); }

  // Requests a code for C:\DATA (or another folder).
  static void open(const QString& code, QString folder = QStringLiteral("C:\\DATA")) {
    open_random_files(code, folder);
  }

  // n records of the given length, record i filled with the byte 'a' + i - 1.
  static QByteArray records(int n, int length) {
    QByteArray out;
    for (int i = 0; i < n; ++i) out += QByteArray(length, char('a' + i % 26));
    return out;
  }

  temp_drives drives;
  scripted_dialogs dialogs;
  recording_services services;

 private:
};

}  // namespace km::test
