#include "platform/drive_map.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

QString clean_unc_root(QString unc) {
  unc.replace(QLatin1Char('/'), QLatin1Char('\\'));
  while (unc.endsWith(QLatin1Char('\\')) && unc.size() > 2) unc.chop(1);
  return unc;
}

QString absolute_folder(const QString& folder, const QString& base_dir) {
  QString f = folder.trimmed();
  if (f.size() >= 2 && f.startsWith(QLatin1Char('"')) && f.endsWith(QLatin1Char('"')))
    f = f.mid(1, f.size() - 2);
  if (f == QLatin1String("~") || f.startsWith(QLatin1String("~/"))) f = QDir::homePath() + f.mid(1);
  if (f.isEmpty()) return {};
  if (QDir::isRelativePath(f)) f = base_dir + QLatin1Char('/') + f;
  return QDir::cleanPath(f);
}

// "C", "C:", "C:\" -> 'C'; otherwise a null QChar.
QChar drive_letter_of(const QString& key) {
  QString k = key.trimmed();
  if (k.endsWith(QLatin1Char('\\')) || k.endsWith(QLatin1Char('/'))) k.chop(1);
  if (k.endsWith(QLatin1Char(':'))) k.chop(1);
  if (k.size() != 1) return {};
  const QChar c = k.at(0).toUpper();
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? c : QChar();
}

}  // namespace

void drive_map::set_drive(QChar letter, const QString& native_folder) {
  drives.insert(letter.toUpper(), native_folder);
}

void drive_map::set_share(const QString& unc_root, const QString& native_folder) {
  const QString root = clean_unc_root(unc_root);
  for (auto& entry : shares) {
    if (entry.first.compare(root, Qt::CaseInsensitive) == 0) {
      entry.second = native_folder;
      return;
    }
  }
  shares.append({root, native_folder});
}

QString drive_map::native_root(const QString& root) const {
  if (root.startsWith(QLatin1String("\\\\")) || root.startsWith(QLatin1String("//"))) {
    const QString unc = clean_unc_root(root);
    for (const auto& entry : shares)
      if (entry.first.compare(unc, Qt::CaseInsensitive) == 0) return entry.second;
    return {};
  }
  const QChar letter = drive_letter_of(root);
  if (letter.isNull()) return {};
  return drives.value(letter);
}

drive_map read_drive_map_file(const QString& ini_path) {
  drive_map map;
  QFile file(ini_path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return map;
  const QString base_dir = QFileInfo(ini_path).absolutePath();
  QTextStream in(&file);
  QString section;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) continue;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
      section = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) continue;
    const QString key = line.left(eq).trimmed();
    const QString folder = absolute_folder(line.mid(eq + 1), base_dir);
    if (folder.isEmpty()) continue;
    if (section == QLatin1String("drives")) {
      const QChar letter = drive_letter_of(key);
      if (!letter.isNull()) map.set_drive(letter, folder);
    } else if (section == QLatin1String("shares")) {
      const QString root = clean_unc_root(key);
      // Server and share both named: "\\server\share".
      const QStringList parts = root.mid(2).split(QLatin1Char('\\'));
      if (root.startsWith(QLatin1String("\\\\")) && parts.size() == 2 && !parts[0].isEmpty() &&
          !parts[1].isEmpty())
        map.set_share(root, folder);
    }
  }
  return map;
}

drive_map default_drive_map() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (!config.isEmpty()) {
    const QString ini = config + QStringLiteral("/drives.ini");
    if (QFileInfo::exists(ini)) {
      drive_map map = read_drive_map_file(ini);
      if (!map.drives.isEmpty() || !map.shares.isEmpty()) return map;
    }
  }
  drive_map map;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!data.isEmpty()) {
    const QString c_folder = QDir::cleanPath(data + QStringLiteral("/C"));
    QDir().mkpath(c_folder);
    map.set_drive(QLatin1Char('C'), c_folder);
  }
  return map;
}

const drive_map& active_drive_map() {
  std::optional<drive_map>& map = services().drives;
  if (!map) map = default_drive_map();
  return *map;
}

void set_drive_map(const drive_map& map) { services().drives = map; }

QString current_directory() { return services().current_directory; }

void set_current_directory(const QString& win_path) {
  const QString full = full_win_path(win_path);
  if (full.isEmpty() || !folder_exists(full)) throw file_error(file_error::kind::path_not_found, win_path);
  services().current_directory = full;
}

QString current_drive() { return resolve_win_path(services().current_directory).root; }

void set_current_drive(const QString& drive) {
  QString text = drive.trimmed();
  if (text.size() == 1) text += QLatin1Char(':');
  const QString name = drive_name(text);
  const QString root = name.isEmpty() ? QString() : resolve_win_path(name).root;
  if (root.isEmpty() || !drive_exists(root)) throw file_error(file_error::kind::path_not_found, drive);
  if (root.compare(current_drive(), Qt::CaseInsensitive) != 0)
    services().current_directory = full_win_path(root + QLatin1Char('\\'));
}

path_state save_path_state() { return {services().drives, services().current_directory}; }

void restore_path_state(const path_state& state) {
  services().drives = state.map;
  services().current_directory = state.current_directory;
}

}  // namespace km::platform
