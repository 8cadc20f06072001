#include "platform/folder_listing_cache.h"

#include <dirent.h>

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <algorithm>
#include <ctime>

#include "platform/name_case.h"
#include "platform/services.h"

namespace km::platform::folder_listing {

namespace {

// More folders than this and every listing is dropped: lookups touch a few
// folders at a time, and a listing of thousands of names is not small.
constexpr qsizetype most_folders = 256;

struct listing {
  timespec mtime{};
  dev_t device = 0;
  ino_t inode = 0;
  // Taken more than a clock tick after the folder's last change, so no
  // change can hide behind an unchanged time.
  bool trusted = false;
  // Folded name -> the entries of that name, in listing order.
  QHash<QString, QStringList> by_folded;
  // Entry -> its type from the listing, where it was known.
  QHash<QString, unsigned char> types;
};

struct cache {
  QMutex mutex;
  QHash<QString, listing> folders;
};

cache& the_cache() {
  static cache c;
  return c;
}

// A test's folders, and the drive map they were looked up through, go
// with the test.
const reset_step forget_listings_at_reset{reset_stage::values, forget_all};

QByteArray native_bytes(const QString& path) { return QFile::encodeName(path); }

bool same_time(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool describes(const listing& l, const struct stat& st) {
  return same_time(l.mtime, st.st_mtim) && l.device == st.st_dev && l.inode == st.st_ino;
}

// How long after the folder's time a change can still carry that time: a
// file system that keeps whole seconds (or two, as FAT does) shows it by a
// time without nanoseconds; others keep the kernel's clock tick.
bool settled(const timespec& folder_time) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const qint64 margin_ns = folder_time.tv_nsec == 0 ? 2'000'000'000 : 50'000'000;
  const qint64 age_ns =
      (qint64(now.tv_sec) - qint64(folder_time.tv_sec)) * 1'000'000'000 + (now.tv_nsec - folder_time.tv_nsec);
  return age_ns > margin_ns;
}

void add_name(listing& l, const QString& name, unsigned char type) {
  if (type == DT_UNKNOWN)
    l.types.remove(name);
  else
    l.types.insert(name, type);
  QStringList& entries = l.by_folded[fold_name_case(name)];
  if (entries.contains(name)) return;
  const auto at =
      std::lower_bound(entries.begin(), entries.end(), name,
                       [](const QString& a, const QString& b) { return compare_names(a, b) < 0; });
  entries.insert(at, name);
}

void set_state(listing& l, const struct stat& st) {
  l.mtime = st.st_mtim;
  l.device = st.st_dev;
  l.inode = st.st_ino;
}

// Reads the folder; the stat was taken before, so a change during the read
// shows as a new time at the next lookup.
listing read_folder(const QString& folder, const struct stat& st) {
  listing l;
  set_state(l, st);
  l.trusted = settled(st.st_mtim);
  DIR* dir = opendir(native_bytes(folder).constData());
  if (!dir) return l;
  while (const dirent* e = readdir(dir)) {
    const char* n = e->d_name;
    if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
    add_name(l, QFile::decodeName(n), e->d_type);
  }
  closedir(dir);
  return l;
}

match find_in(const listing& l, const QString& name) {
  match m;
  m.trusted = l.trusted;
  const auto it = l.by_folded.constFind(fold_name_case(name));
  if (it == l.by_folded.cend()) return m;
  m.name = it->contains(name) ? name : it->first();
  m.type = l.types.value(m.name, DT_UNKNOWN);
  return m;
}

listing& fresh_listing(cache& c, const QString& folder, const struct stat& st) {
  if (c.folders.size() >= most_folders && !c.folders.contains(folder)) c.folders.clear();
  listing& l = c.folders[folder];
  l = read_folder(folder, st);
  return l;
}

QString parent_of(const QString& native_path, QString* name) {
  const qsizetype cut = native_path.lastIndexOf(QLatin1Char('/'));
  if (cut < 0) return {};
  if (name) *name = native_path.mid(cut + 1);
  return cut == 0 ? QStringLiteral("/") : native_path.left(cut);
}

// Applies one of our own changes to a kept listing of the path's folder.
template <typename Change>
void note(const QString& native_path, Change change) {
  QString name;
  const QString folder = parent_of(native_path, &name);
  if (folder.isEmpty() || name.isEmpty()) return;
  cache& c = the_cache();
  const QMutexLocker lock(&c.mutex);
  const auto it = c.folders.find(folder);
  if (it == c.folders.end()) return;
  struct stat st {};
  if (stat(native_bytes(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    c.folders.erase(it);
    return;
  }
  change(*it, name);
  set_state(*it, st);
  it->trusted = false;  // another change in the same tick would hide behind ours
}

}  // namespace

std::optional<match> find_entry(const QString& native_folder, const struct stat& folder_stat,
                                const QString& name, bool read) {
  cache& c = the_cache();
  const QMutexLocker lock(&c.mutex);
  const auto it = c.folders.find(native_folder);
  if (it != c.folders.end() && describes(*it, folder_stat)) {
    match m = find_in(*it, name);
    // A miss in a listing that may lack a change of the same tick is no answer.
    if (!m.name.isEmpty() || it->trusted) return m;
  }
  if (!read) return std::nullopt;
  return find_in(fresh_listing(c, native_folder, folder_stat), name);
}

void note_created(const QString& native_path) {
  note(native_path, [](listing& l, const QString& name) { add_name(l, name, DT_UNKNOWN); });
}

void note_removed(const QString& native_path) {
  note(native_path, [](listing& l, const QString& name) {
    const auto it = l.by_folded.find(fold_name_case(name));
    if (it == l.by_folded.end()) return;
    it->removeAll(name);
    if (it->isEmpty()) l.by_folded.erase(it);
    l.types.remove(name);
  });
}

void invalidate(const QString& native_folder) {
  cache& c = the_cache();
  const QMutexLocker lock(&c.mutex);
  c.folders.remove(native_folder);
}

void forget_all() {
  cache& c = the_cache();
  const QMutexLocker lock(&c.mutex);
  c.folders.clear();
}

}  // namespace km::platform::folder_listing
