// Writes the sample school into a data folder of the program's drive map
// (drives.ini of the program's config folder, or the file given).
//
//   make_sample_school [--data C:\KORVA-DATA] [--school-record C:\L26]
//                      [--drives /path/drives.ini | --drive-c /native/folder]
//                      [--replace]
//
// --drive-c maps C: alone to the native folder given.
//
// Without --school-record the school record also goes where the program
// looks for it at start on drive C: (C:\L and the year's last two digits).

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>
#include <exception>

#include "platform/drive_map.h"
#include "platform/number_locale.h"
#include "tools/sample_school.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  // Numbers are read and written with "." whatever the locale.
  km::platform::use_c_number_locale();
  // The same name as the program, so that the same drives.ini is read.
  QCoreApplication::setApplicationName(QStringLiteral("korva-marks"));
  QTextStream out(stdout);
  QTextStream err(stderr);

  km::sample_school_options options;
  options.school_record_folder =
      km::sample_school_record_folder(QStringLiteral("C:"), QDate::currentDate().year());
  const QStringList args = QCoreApplication::arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == QLatin1String("--data") && has_value) {
      options.data_folder = args[++i];
    } else if (a == QLatin1String("--school-record") && has_value) {
      options.school_record_folder = args[++i];
    } else if (a == QLatin1String("--drives") && has_value) {
      const km::platform::drive_map map = km::platform::read_drive_map_file(args[++i]);
      if (map.drives.isEmpty() && map.shares.isEmpty()) {
        err << "no drives in " << args[i] << "\n";
        return 2;
      }
      km::platform::set_drive_map(map);
    } else if (a == QLatin1String("--drive-c") && has_value) {
      km::platform::drive_map map;
      map.set_drive(u'C', args[++i]);
      km::platform::set_drive_map(map);
    } else if (a == QLatin1String("--replace")) {
      options.replace_existing = true;
    } else {
      err << "usage: make_sample_school [--data <folder>] [--school-record <folder>]"
             " [--drives <drives.ini> | --drive-c <native folder>] [--replace]\n";
      return 2;
    }
  }

  try {
    km::make_sample_school(options);
  } catch (const std::exception& e) {
    err << "make_sample_school: " << e.what() << "\n";
    return 1;
  }
  out << "sample school written to " << options.data_folder;
  if (!options.school_record_folder.isEmpty())
    out << " (school record also in " << options.school_record_folder << ")";
  out << "\n";
  return 0;
}
