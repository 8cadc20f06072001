#include "platform/win_path.h"

#include <QDir>
#include <QFileInfo>

#include "platform/drive_map.h"
#include "platform/name_case.h"

namespace km::platform {

namespace {

const QChar backslash = QLatin1Char('\\');

// The text Windows sees: up to the first NUL, "/" read as "\".
QString windows_text(const QString& path) {
  QString p = path;
  const qsizetype nul = p.indexOf(QChar(0));
  if (nul >= 0) p.truncate(nul);
  p.replace(QLatin1Char('/'), backslash);
  return p;
}

bool is_drive_prefix(const QString& p) {
  return p.size() >= 2 && p.at(1) == QLatin1Char(':') && p.at(0).unicode() < 128 && p.at(0).isLetter();
}

// Windows drops trailing dots and blanks of a name (not of a pattern,
// where "*." means "no extension").
QString trimmed_name(QString name) {
  if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) return name;
  while (!name.isEmpty() && (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))))
    name.chop(1);
  return name;
}

void apply_components(QStringList& components, const QString& rest) {
  for (const QString& part : rest.split(backslash, Qt::SkipEmptyParts)) {
    if (part == QLatin1String(".")) continue;
    if (part == QLatin1String("..")) {
      if (!components.isEmpty()) components.removeLast();
      continue;
    }
    const QString name = trimmed_name(part);
    if (!name.isEmpty()) components.append(name);
  }
}

bool bad_name_char(QChar c) {
  static const QString refused = QStringLiteral("<>:\"|?*");
  return c.unicode() < 32 || refused.contains(c);
}

bool valid_name(const QString& name) {
  for (QChar c : name)
    if (bad_name_char(c)) return false;
  return true;
}

QString join_native(const QString& dir, const QString& name) {
  return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

// The entry of a folder whose name is the given one: the exact spelling,
// else the first (in name order) that differs only in case; "" when none.
QString matching_entry(const QString& dir, const QString& name) {
  const QString exact = join_native(dir, name);
  const QFileInfo info(exact);
  if (info.exists() || info.isSymLink()) return name;
  const QDir folder(dir);
  const QStringList entries =
      folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries)
    if (names_equal(entry, name)) return entry;
  return {};
}

}  // namespace

win_path_parts resolve_win_path(const QString& path) {
  const QString p = windows_text(path);
  if (p.isEmpty()) return {};

  win_path_parts out;
  QString rest;
  if (p.startsWith(QLatin1String("\\\\"))) {
    const QStringList parts = p.mid(2).split(backslash);
    if (parts.size() < 2 || parts[0].isEmpty() || parts[1].isEmpty()) return {};
    out.root = QStringLiteral("\\\\") + parts[0] + backslash + parts[1];
    rest = parts.mid(2).join(backslash);
  } else {
    // The current directory is always a full path, so resolving it does
    // not come back here.
    auto current = [] { return resolve_win_path(current_directory()); };
    if (is_drive_prefix(p)) {
      out.root = p.left(1).toUpper() + QLatin1Char(':');
      rest = p.mid(2);
      // "D:x" counts from the current directory when D: is current,
      // otherwise from the root of D:.
      if (!rest.startsWith(backslash)) {
        const win_path_parts cur = current();
        if (cur.root == out.root) out.components = cur.components;
      }
    } else {
      const win_path_parts cur = current();
      if (cur.root.isEmpty()) return {};
      out.root = cur.root;
      rest = p;
      if (!p.startsWith(backslash)) out.components = cur.components;
    }
  }
  apply_components(out.components, rest);
  return out;
}

QString full_win_path(const QString& path) {
  const win_path_parts parts = resolve_win_path(path);
  if (parts.root.isEmpty()) return {};
  if (parts.components.isEmpty())
    return parts.root.startsWith(QLatin1String("\\\\")) ? parts.root : parts.root + backslash;
  return parts.root + backslash + parts.components.join(backslash);
}

bool is_valid_win_path(const QString& path) {
  const win_path_parts parts = resolve_win_path(path);
  if (parts.root.isEmpty()) return false;
  if (parts.root.startsWith(QLatin1String("\\\\")) && !valid_name(parts.root.mid(2).remove(backslash)))
    return false;
  for (const QString& name : parts.components)
    if (!valid_name(name)) return false;
  return true;
}

QString to_native_path(const QString& win_path) {
  if (!is_valid_win_path(win_path)) return {};
  const win_path_parts parts = resolve_win_path(win_path);
  const QString root = active_drive_map().native_root(parts.root);
  if (root.isEmpty()) return {};
  const QFileInfo root_info(root);
  if (!root_info.isDir()) return {};

  QString current = QDir::cleanPath(root_info.absoluteFilePath());
  bool present = true;  // false once a name is missing: the rest keeps its spelling
  for (const QString& name : parts.components) {
    if (present) {
      const QString entry = matching_entry(current, name);
      if (!entry.isEmpty()) {
        current = join_native(current, entry);
        continue;
      }
      present = false;
    }
    current = join_native(current, name);
  }
  return current;
}

namespace {

// The Windows root whose native folder holds the path, longest first.
QString windows_form(const QString& native, bool canonical) {
  const drive_map& map = active_drive_map();
  QString best_root;
  QString best_native;
  auto consider = [&](const QString& root, const QString& folder) {
    QString f = canonical ? QFileInfo(folder).canonicalFilePath()
                          : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (f.isEmpty()) return;
    const bool inside =
        native == f || native.startsWith(f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/'));
    if (inside && f.size() > best_native.size()) {
      best_root = root;
      best_native = f;
    }
  };
  for (auto it = map.drives.cbegin(); it != map.drives.cend(); ++it)
    consider(QString(it.key()) + QLatin1Char(':'), it.value());
  for (const auto& share : map.shares) consider(share.first, share.second);
  if (best_root.isEmpty()) return {};

  QString rest = native.mid(best_native.size());
  while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
  rest.replace(QLatin1Char('/'), backslash);
  if (rest.isEmpty()) return best_root.startsWith(QLatin1String("\\\\")) ? best_root : best_root + backslash;
  return best_root + backslash + rest;
}

}  // namespace

QString to_windows_path(const QString& native_path) {
  if (native_path.isEmpty()) return {};
  const QString clean = QDir::cleanPath(QFileInfo(native_path).absoluteFilePath());
  QString result = windows_form(clean, false);
  if (result.isEmpty()) {
    // Through links: compare the real folders.
    const QString real = QFileInfo(clean).canonicalFilePath();
    if (!real.isEmpty()) result = windows_form(real, true);
  }
  return result;
}

QString drive_name(const QString& path) {
  const QString p = windows_text(path);
  if (p.startsWith(QLatin1String("\\\\"))) {
    const QStringList parts = p.mid(2).split(backslash);
    if (parts.size() < 2 || parts[0].isEmpty() || parts[1].isEmpty()) return {};
    return QStringLiteral("\\\\") + parts[0] + backslash + parts[1];
  }
  if (is_drive_prefix(p)) return p.left(2);
  return {};
}

QString parent_folder_name(const QString& path) {
  QString p = windows_text(path);
  const QString drive = drive_name(p);
  while (p.size() > drive.size() + 1 && p.endsWith(backslash)) p.chop(1);
  if (p == drive || p == drive + backslash) return {};
  const qsizetype cut = p.lastIndexOf(backslash);
  if (cut < 0) return drive;  // "C:x" -> "C:"; "x" -> ""
  const QString parent = p.left(cut);
  if (parent.size() <= drive.size()) return drive + backslash;  // "C:\x", "\x", "\\s\sh\x"
  return parent;
}

QString file_name_part(const QString& path) {
  QString p = windows_text(path);
  const QString drive = drive_name(p);
  while (p.size() > drive.size() && p.endsWith(backslash)) p.chop(1);
  if (p.size() <= drive.size()) return {};
  return p.mid(std::max(p.lastIndexOf(backslash) + 1, drive.size()));
}

QString join_win_path(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return name;
  QString n = name;
  while (n.startsWith(backslash) || n.startsWith(QLatin1Char('/'))) n.remove(0, 1);
  if (folder.endsWith(backslash) || folder.endsWith(QLatin1Char('/'))) return folder + n;
  return folder + backslash + n;
}

}  // namespace km::platform
