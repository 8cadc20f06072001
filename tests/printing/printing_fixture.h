#pragma once
// The common ground of the printing tests: temporary drives C: and D:, the
// scripted dialogs, a fixed clock, the printer on a recording device with
// fixed text metrics, fresh shared and print variables, and the helpers that
// work the printer-choice window while choose_printer waits for it.

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "platform/clock.h"
#include "platform/ui/printer/printer_object.h"
#include "platform/ui/printer/recording_device.h"
#include "platform/ui/window_registry.h"
#include "printing/kies_drukker.h"
#include "printing/print_job_start.h"
#include "printing/print_target.h"
#include "printing/print_variables.h"
#include "printing/printing_windows.h"
#include "printing/rotated_text.h"
#include "printing/workbook_sink.h"
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km::test {

// What an export wrote into a workbook; it outlives the workbook, which the
// end of the job releases.
struct workbook_record {
  struct cell {
    int sheet, row, column;
    QString text;
  };
  // The text of a cell of a worksheet; "<none>" when it was never written.
  QString text(int sheet, int row, int column) const {
    QString found = QStringLiteral("<none>");
    for (const cell& c : cells)
      if (c.sheet == sheet && c.row == row && c.column == column) found = c.text;
    return found;
  }

  int sheets = 1;
  int current = 1;
  std::vector<cell> cells;
  std::vector<QString> sheet_fonts;
  std::vector<QString> saved_as;
  QString refuse;  // when set, save fails with this reason
};

// A workbook that keeps what the export writes into it in its record.
class recording_workbook : public workbook_sink {
 public:
  explicit recording_workbook(std::shared_ptr<workbook_record> record) : record_(std::move(record)) {}
  int sheet_count() const override { return record_->sheets; }
  void add_sheet() override { ++record_->sheets; }
  void select_sheet(int number) override {
    if (number < 1 || number > record_->sheets) throw std::out_of_range("no such worksheet");
    record_->current = number;
  }
  int current_sheet() const override { return record_->current; }
  void set_cell_text(int row, int column, const QString& text) override {
    record_->cells.push_back({record_->current, row, column, text});
  }
  void set_sheet_font_name(const QString& name) override { record_->sheet_fonts.push_back(name); }
  bool save(const QString& win_path, QString& error) override {
    record_->saved_as.push_back(win_path);
    if (!record_->refuse.isEmpty()) {
      error = record_->refuse;
      return false;
    }
    return true;
  }

 private:
  std::shared_ptr<workbook_record> record_;
};

class printing_test : public clean_state_test {
 protected:
  printing_test() : use_clock_(clock_) {}

  void SetUp() override {
    register_printing_windows();
    g_settings_folder = QStringLiteral("C:\\ProgramData\\OSKAVEN");
    drives.make_native_folder(QStringLiteral("C/ProgramData/OSKAVEN"));
    g_school_name = QStringLiteral("HOERSKOOL KORVA");
    g_windows_name = QStringLiteral("Linux");
    device = std::make_shared<platform::recording_device>();
    platform::printer().set_device(device);
    platform::printer().set_metrics(std::make_shared<platform::fixed_text_metrics>());
    // Workbooks are recorded; the test keeps the record of the last one made.
    set_workbook_factory([this] {
      last_workbook = std::make_shared<workbook_record>();
      return std::make_unique<recording_workbook>(last_workbook);
    });
  }

  void TearDown() override {
    dialogs.verify();
    clean_state_test::TearDown();
  }

  // Runs choose_printer and, as soon as it shows the printer-choice window,
  // does `action` on the window. Fails when the window never came.
  bool choose_with(const std::function<void(kies_drukker&)>& action) {
    bool ran = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* window = qobject_cast<kies_drukker*>(platform::find_form(QStringLiteral("kies_drukker")));
      if (ran || !window || !window->isVisible()) return;
      ran = true;
      poll.stop();
      action(*window);
    });
    poll.start();
    const bool answer = choose_printer();
    poll.stop();
    EXPECT_TRUE(ran) << "the printer-choice window was not shown";
    return answer;
  }
  // choose_printer answered by clicking one button of the window.
  bool choose_by_clicking(const QString& button) {
    return choose_with([&](kies_drukker& window) { click(&window, button); });
  }

  // The bytes of a file below the temporary drives ("C/kleur_drukker.txt").
  QByteArray native_bytes(const QString& relative) const {
    QFile file(drives.base() + u'/' + relative);
    if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("<missing>");
    return file.readAll();
  }

  temp_drives drives;
  scripted_dialogs dialogs;
  platform::fake_clock clock_{42811.4375};  // 2017-03-17 10:30:00
  platform::scoped_clock use_clock_;
  std::shared_ptr<platform::recording_device> device;
  std::shared_ptr<workbook_record> last_workbook;
};

}  // namespace km::test
