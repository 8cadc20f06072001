#pragma once
// The print and symbol windows on a sample school in C:\DATA, with the
// printer on a recording device, scripted dialogs, and helpers that write a
// combination's mark book (byte by byte) and its set-up.
#include <QLabel>
#include <QPushButton>

#include "common/shared_variables.h"
#include "markbook/mark_book_fixture.h"
#include "markbook/markbook_windows.h"
#include "markbook/setup_file.h"
#include "markbook/setup_finder.h"
#include "platform/ui/grid/flex_grid_view.h"
#include "platform/ui/window_registry.h"
#include "printing/printing_fixture.h"
#include "tools/sample_school.h"

namespace km::test {

class book_print_test : public printing_test {
 protected:
  const QString folder = QStringLiteral("C:\\DATA");

  void SetUp() override {
    printing_test::SetUp();
    sample_school_options options;
    options.data_folder = folder;
    make_sample_school(options);
    g_data_folder = folder;
    g_school_name = QStringLiteral("TEST SCHOOL");
    g_language = false;
    register_markbook_windows();
    ASSERT_TRUE(python_dbf_available()) << "install python3-dbf (scripts/install-deps.sh)";
  }
  void TearDown() override {
    platform::unload_all_but(QString());
    printing_test::TearDown();
  }

  template <class Window>
  Window* open_window(const QString& name) {
    auto* w = dynamic_cast<Window*>(platform::load_form(name));
    if (w) w->show();
    return w;
  }

  QString native(const QString& file) const {
    return platform::to_native_path(platform::join_win_path(folder, file));
  }

  // Combination n's cells as the list of combinations shows them.
  static QStringList list_cells(const platform::flex_grid& list, int n) {
    QStringList cells;
    for (int c = 0; c < list.cols(); ++c) cells << list.text_matrix(n - 1, c);
    return cells;
  }

  // The set-up of combination n under the name the finder gives it.
  void write_setup(const platform::flex_grid& list, int n, const setup_rows& rows) const {
    write_setup_file(find_setup_file(folder, list_cells(list, n)).win_path, rows);
  }

  // Named rows "TASK r" with their totals.
  static setup_rows tasks(std::initializer_list<std::pair<int, const char*>> named) {
    setup_rows rows;
    for (const auto& [row, total] : named)
      rows[std::size_t(row - 1)] = {
          QStringLiteral("TASK %1").arg(row), QString::fromLatin1(total), {}, {}, {}};
    return rows;
  }

  // Learners 1001, 1002 ... named "LEARNER 1" ..., every named row's mark
  // the row number.
  static std::vector<book_record> learners(int count, int rows = 40) {
    std::vector<book_record> records;
    for (int k = 1; k <= count; ++k) {
      book_record r{QByteArray::number(1000 + k), "LEARNER " + QByteArray::number(k), {}};
      for (int m = 1; m <= rows; ++m) r.marks.push_back(QByteArray::number(m) + ".0");
      records.push_back(r);
    }
    return records;
  }

  static QString label_text(QWidget* window, const char* name) {
    return find_control_as<QLabel>(window, QLatin1String(name))->text();
  }
  static platform::flex_grid& grid_of(QWidget* window, const char* name) {
    return find_control_as<platform::flex_grid_view>(window, QLatin1String(name))->grid();
  }
};

}  // namespace km::test
