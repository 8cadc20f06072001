#include "support/safe_services.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <stdexcept>

#include "platform/services.h"

namespace km::test {

namespace {

QTemporaryDir& base_folder() {
  static QTemporaryDir dir;
  return dir;
}

QString folder(const QString& name) { return QDir::cleanPath(base_folder().filePath(name)); }

// The default drive starts every test empty, so a file a test wrote there
// cannot be found by the next one.
void empty_default_folders() {
  for (const QString& name : {QStringLiteral("C"), QStringLiteral("desktop"), QStringLiteral("pdf")}) {
    QDir(folder(name)).removeRecursively();
    QDir().mkpath(folder(name));
  }
}

void fresh_default_folders() {
  if (base_folder().isValid()) empty_default_folders();
}
const platform::reset_step fresh_default_folders_at_reset{platform::reset_stage::values,
                                                          fresh_default_folders};

}  // namespace

bool refusing_launcher::start(const QString& win_path) {
  ADD_FAILURE() << "the test started the program " << win_path.toStdString()
                << " without a launcher of its own (install km::test::recording_launcher)";
  return false;
}

bool refusing_opener::open(const QString& win_path, const QString&) {
  ADD_FAILURE() << "the test opened the document " << win_path.toStdString()
                << " without an opener of its own (install km::test::recording_opener)";
  return false;
}

platform::cups_submission no_printers_cups::submit(const QString& printer, const QString&,
                                                   const QString& title,
                                                   const std::vector<platform::cups_option>&) {
  ADD_FAILURE() << "the test sent the job " << title.toStdString() << " to the printer "
                << printer.toStdString()
                << " without a print system of its own (install km::test::fake_cups)";
  return {0, QStringLiteral("no print system in the tests")};
}

void install_safe_services() {
  QStandardPaths::setTestModeEnabled(true);
  if (!base_folder().isValid()) throw std::runtime_error("no temporary folder for the tests' default drive");
  empty_default_folders();

  static refusing_launcher launcher;
  static refusing_opener opener;
  static no_printers_cups no_printers;
  platform::services_t safe;
  safe.launcher = &launcher;
  safe.opener = &opener;
  safe.cups = &no_printers;
  platform::drive_map map;
  map.set_drive(QLatin1Char('C'), folder(QStringLiteral("C")));
  safe.drives = map;
  safe.desktop_folder = folder(QStringLiteral("desktop"));
  safe.pdf_folder = folder(QStringLiteral("pdf"));
  platform::set_default_services(safe);
  platform::reset_for_tests();
}

QString default_c_drive() { return folder(QStringLiteral("C")); }

}  // namespace km::test
