#include "platform/program_location.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

const QString standard_place = QStringLiteral("C:\\Program Files (x86)\\KORVA-MARKS\\KORVA-MARKS.EXE");

QString configured_place() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (config.isEmpty()) return {};
  return read_program_file_entry(config + QStringLiteral("/drives.ini"));
}

QString running_binary_place() {
  if (!QCoreApplication::instance()) return {};
  return to_windows_path(QCoreApplication::applicationFilePath());
}

}  // namespace

QString read_program_file_entry(const QString& ini_path) {
  QFile file(ini_path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  QString section;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      section = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (section != QLatin1String("program") || eq <= 0) continue;
    if (line.left(eq).trimmed().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) continue;
    QString value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
      value = value.mid(1, value.size() - 2);
    return value;
  }
  return {};
}

QString program_file_path() {
  if (const QString& chosen = services().program_file_path; !chosen.isEmpty()) return chosen;
  if (QString configured = configured_place(); !configured.isEmpty()) return configured;
  if (QString running = running_binary_place(); !running.isEmpty()) return running;
  return standard_place;
}

QString program_file_base_name() {
  QString name = file_name_part(program_file_path());
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot > 0) name.truncate(dot);
  return name;
}

void set_program_file_path(const QString& win_path) { services().program_file_path = win_path; }

}  // namespace km::platform
