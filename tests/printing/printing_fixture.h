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
#include "support/scripted_dialogs.h"
#include "support/temp_drives.h"
#include "support/value_printing.h"
#include "support/window_helpers.h"

namespace km::test {

// The printable width and height of an A4 portrait page in twips, half an
// inch off each.
inline constexpr double portrait_width = 210.0 / 25.4 * 1440 - 720;
inline constexpr double portrait_height = 297.0 / 25.4 * 1440 - 720;

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
  }

  void TearDown() override {
    dialogs.verify();
    clean_state_test::TearDown();
  }

  // Runs call and, as soon as it shows the printer-choice window, does
  // `action` on the window. Fails when the window never came.
  void while_choosing(const std::function<void(kies_drukker&)>& action, const std::function<void()>& call) {
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
    call();
    poll.stop();
    EXPECT_TRUE(ran) << "the printer-choice window was not shown";
  }
  // choose_printer, with `action` done on the printer-choice window.
  bool choose_with(const std::function<void(kies_drukker&)>& action) {
    bool answer = false;
    while_choosing(action, [&] { answer = choose_printer(); });
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
};

}  // namespace km::test
