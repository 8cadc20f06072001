#include "platform/win_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "platform/drive_map.h"
#include "platform/folder_listing_cache.h"

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

// The native folder of a mapped root, made absolute and clean. Every lookup
// asks for it, mostly for the same root: the last absolute one is kept.
QString clean_root(const QString& root) {
  if (!QDir::isAbsolutePath(root)) return QDir::cleanPath(QFileInfo(root).absoluteFilePath());
  thread_local QString last_root, last_clean;
  if (root != last_root) {
    last_clean = QDir::cleanPath(root);
    last_root = root;
  }
  return last_clean;
}

native_lookup::what kind_of(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return native_lookup::what::file;
  if (S_ISDIR(st.st_mode)) return native_lookup::what::folder;
  return native_lookup::what::other;
}

bool stat_native(const QString& path, struct stat& st) {
  return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

bool valid_parts(const win_path_parts& parts) {
  if (parts.root.isEmpty()) return false;
  if (parts.root.startsWith(QLatin1String("\\\\")) && !valid_name(parts.root.mid(2).remove(backslash)))
    return false;
  for (const QString& name : parts.components)
    if (!valid_name(name)) return false;
  return true;
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

bool is_valid_win_path(const QString& path) { return valid_parts(resolve_win_path(path)); }

// What a listing says an entry is, when it says it for sure.
std::optional<native_lookup::what> trusted_kind(const folder_listing::match& m) {
  if (!m.trusted) return std::nullopt;
  if (m.type == DT_REG) return native_lookup::what::file;
  if (m.type == DT_DIR) return native_lookup::what::folder;
  return std::nullopt;
}

native_lookup look_up_native(const QString& win_path) {
  const win_path_parts parts = resolve_win_path(win_path);
  if (!valid_parts(parts)) return {};
  const QString root = active_drive_map().native_root(parts.root);
  if (root.isEmpty()) return {};

  // The path as spelled, and each folder above it: paths[k] holds the first
  // k names.
  const qsizetype n = parts.components.size();
  QStringList paths;
  paths.reserve(n + 1);
  paths.append(clean_root(root));
  for (const QString& name : parts.components) paths.append(join_native(paths.last(), name));
  struct stat st {};
  if (n == 0) {
    if (!stat_native(paths[0], st) || !S_ISDIR(st.st_mode)) return {};
    return {paths[0], native_lookup::what::folder};
  }

  // The deepest folder above the last name that is there as spelled.
  qsizetype k = n - 1;
  while (k >= 0 && !stat_native(paths[k], st)) --k;
  if (k < 0 || (k == 0 && !S_ISDIR(st.st_mode))) return {};  // the mapped folder is missing
  if (k == n - 1 && S_ISDIR(st.st_mode)) {
    // The usual case: the last name's folder is there. A kept listing of it
    // answers at once; without one, the exact spelling is tried before the
    // folder is read.
    const auto m = folder_listing::find_entry(paths[k], st, parts.components[k], false);
    if (m && m->name.isEmpty()) return {paths[n], native_lookup::what::nothing};
    if (m) {
      if (const auto kind = trusted_kind(*m)) return {join_native(paths[k], m->name), *kind};
    } else if (struct stat exact{}; stat_native(paths[n], exact)) {
      return {paths[n], kind_of(exact)};
    }
  }

  // From paths[k] down, each name is looked for in its folder's listing.
  // Once a name is missing the rest keeps its spelling.
  QString current = paths[k];
  for (qsizetype i = k; i < n; ++i) {
    const auto m = S_ISDIR(st.st_mode) ? folder_listing::find_entry(current, st, parts.components[i], true)
                                       : std::optional<folder_listing::match>();
    const bool last = i == n - 1;
    if (m && !m->name.isEmpty()) {
      const QString next = join_native(current, m->name);
      if (const auto kind = trusted_kind(*m); kind && last) return {next, *kind};
      if (stat_native(next, st)) {
        current = next;
        continue;
      }
    }
    for (qsizetype j = i; j < n; ++j) current = join_native(current, parts.components[j]);
    return {current, native_lookup::what::nothing};
  }
  return {current, kind_of(st)};
}

QString to_native_path(const QString& win_path) { return look_up_native(win_path).path; }

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
