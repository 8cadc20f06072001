#pragma once
// The set-up window on a sample school in C:\DATA, with the mark-book
// template in the program folder C:\PROGRAM and scripted dialogs.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "common/shared_variables.h"
#include "markbook/markbook_windows.h"
#include "markbook/marks_dbf_record.h"
#include "markbook/pboek_opstel.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "platform/file_system.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "platform/win_path.h"
#include "support/hex_dump.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/window_helpers.h"
#include "tools/sample_school.h"

namespace km::test {

class pboek_opstel_test : public with_scripted_dialogs {
 protected:
  void SetUp() override {
    sample_school_options options;
    options.data_folder = QStringLiteral("C:\\DATA");
    make_sample_school(options);
    drives.write_native(QStringLiteral("C/PROGRAM/mrk_book.org"), mark_book_template_bytes());
    g_data_folder = QStringLiteral("C:\\DATA");
    g_program_folder = QStringLiteral("C:\\PROGRAM");
    g_school_name = QStringLiteral("TEST SCHOOL");
    g_language = false;
    register_markbook_windows();
  }
  void TearDown() override {
    platform::unload_all_but(QString());
    with_scripted_dialogs::TearDown();
  }

  pboek_opstel* open_window() {
    window = static_cast<pboek_opstel*>(platform::load_form(QStringLiteral("pboek_opstel")));
    if (window) window->show();
    return window;
  }
  platform::flex_grid& list() const {
    return find_control_as<platform::flex_grid_view>(window, QStringLiteral("vak_grid"))->grid();
  }
  platform::flex_grid& setup() const {
    return find_control_as<platform::flex_grid_view>(window, QStringLiteral("pboek_grid"))->grid();
  }
  // Chooses combination n (from 1) as a double click on the list does.
  void choose(int n) {
    list().set_row(n - 1);
    window->vak_grid_DblClick();
  }
  // Opens the window on combination 1 and saves the example as its set-up.
  void open_with_saved_example() {
    open_window();
    choose(1);
    window->fill_example_setup();
    window->pboek_opstel_stoor_Click();
  }
  // Double-clicks set-up row r.
  void edit_row(int r) {
    setup().set_row(r);
    setup().set_col(1);
    window->pboek_grid_DblClick();
  }
  QPushButton* button(const QString& name) const { return find_control_as<QPushButton>(window, name); }
  // The set-up file a combination's row of the list leads to.
  QString setup_path_of(int n) const {
    QStringList cells;
    for (int c = 0; c < list().cols(); ++c) cells << list().text_matrix(n - 1, c);
    return find_setup_file(g_data_folder, cells).win_path;
  }
  QByteArray file_bytes(const QString& win_path) const {
    return read_native_file(platform::to_native_path(win_path));
  }

  temp_drives drives;
  pboek_opstel* window = nullptr;
};

}  // namespace km::test
