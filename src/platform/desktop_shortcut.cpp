#include "platform/desktop_shortcut.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/dbase/dbf_error.h"
#include "platform/dbase/dbf_file_io.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/win_path.h"

namespace km::platform {

namespace {

// An argument of the Exec key: in double quotes, with the characters that
// desktop launchers reserve inside quotes escaped.
QString exec_argument(const QString& path) {
  QString out;
  for (const QChar c : path) {
    if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
      out += QLatin1Char('\\');
    out += c;
  }
  out.replace(QLatin1String("%"), QLatin1String("%%"));
  return QLatin1Char('"') + out + QLatin1Char('"');
}

// A value of a launcher key keeps to one line.
QString one_line(QString text) {
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return text;
}

QString shortcut_path(const QString& name) {
  const QString folder = desktop_folder();
  if (folder.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/'))) return {};
  return folder + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

}  // namespace

QString desktop_folder() {
  const QString& chosen = services().desktop_folder;
  const QString folder =
      chosen.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) : chosen;
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void set_desktop_folder(const QString& native_folder) { services().desktop_folder = native_folder; }

QByteArray desktop_entry_text(const QString& name, const QString& native_program) {
  QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\n");
  text += QStringLiteral("Name=") + one_line(name) + QLatin1Char('\n');
  text += QStringLiteral("Exec=") + one_line(exec_argument(native_program)) + QLatin1Char('\n');
  text += QStringLiteral("Path=") + one_line(QFileInfo(native_program).absolutePath()) + QLatin1Char('\n');
  text += QStringLiteral("Terminal=false\n");
  return text.toUtf8();
}

bool write_desktop_shortcut(const QString& name, const QString& target_win_path) {
  if (!file_exists(target_win_path)) return false;
  const QString program = to_native_path(target_win_path);
  const QString path = shortcut_path(name);
  if (program.isEmpty() || path.isEmpty()) return false;
  const QByteArray text = desktop_entry_text(name, program);
  dbf_io::remove_stale_temporaries(path);  // what a killed write of it left
  try {
    dbf_io::replace_files({{path, text}});
  } catch (const dbf_error&) {
    return false;
  }
  // Desktops start only launcher files that may be run.
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
  return true;
}

bool remove_desktop_shortcut(const QString& name) {
  const QString path = shortcut_path(name);
  if (path.isEmpty()) return true;
  const QFileInfo info(path);
  // Exactly this name: the folder is searched, not matched loosely.
  if (!QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden).contains(info.fileName())) return true;
  return QFile::remove(path);
}

}  // namespace km::platform
