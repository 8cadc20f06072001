// Looking up names without regard to case: 10,000 lookups, half of names that
// are there and half of names that are not, in mixed case, in a folder of
// 5,000 files, through the platform's Windows paths (file_exists). The floor
// is the same lookups made with the exact native path of each name, one
// stat each (and through QFileInfo, as Qt code would make them).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>
#include <vector>

#include "platform/drive_map.h"
#include "platform/file_system.h"

namespace {

constexpr int files_in_folder = 5000;
constexpr int lookups = 10000;

// "Mark_Book_0042.Txt": mixed case on disk.
QString stored_name(int i) { return QStringLiteral("Mark_Book_%1.Txt").arg(i, 4, 10, QLatin1Char('0')); }

// The same name in another mixed case: "mARK_bOOK_0042.tXT".
QString other_case(const QString& name) {
  QString out = name;
  for (QChar& c : out) c = c.isUpper() ? c.toLower() : c.toUpper();
  return out;
}

struct lookup_set {
  QTemporaryDir dir;
  QString folder;                   // native folder of C:\MARKS
  std::vector<QString> win_paths;   // the lookups as the program makes them
  std::vector<QString> exact;       // the native path of each, exact case
  std::vector<QByteArray> exact_8;  // the same, encoded for stat
};

const lookup_set& the_set() {
  static const lookup_set set = [] {
    lookup_set s;
    s.folder = s.dir.filePath(QStringLiteral("C/MARKS"));
    QDir().mkpath(s.folder);
    for (int i = 0; i < files_in_folder; ++i) {
      QFile f(s.folder + QLatin1Char('/') + stored_name(i));
      if (!f.open(QIODevice::WriteOnly)) std::abort();
    }
    // A folder of long-standing files, not one changed a moment ago.
    struct stat st {};
    ::stat(QFile::encodeName(s.folder).constData(), &st);
    const timespec old[2] = {{st.st_mtim.tv_sec - 3600, 1}, {st.st_mtim.tv_sec - 3600, 1}};
    ::utimensat(AT_FDCWD, QFile::encodeName(s.folder).constData(), old, 0);

    km::platform::drive_map map;
    map.set_drive(QLatin1Char('C'), s.dir.filePath(QStringLiteral("C")));
    km::platform::set_drive_map(map);

    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, files_in_folder - 1);
    for (int i = 0; i < lookups; ++i) {
      const bool present = i % 2 == 0;
      const QString name = present
                               ? stored_name(pick(random))
                               : QStringLiteral("Missing_%1.Txt").arg(pick(random), 4, 10, QLatin1Char('0'));
      s.win_paths.push_back(QStringLiteral("C:\\MARKS\\") + other_case(name));
      s.exact.push_back(s.folder + QLatin1Char('/') + name);
      s.exact_8.push_back(QFile::encodeName(s.exact.back()));
    }
    return s;
  }();
  return set;
}

// Makes every lookup once per iteration; `found` tells whether the i-th
// lookup found a file.
template <typename Found>
void time_lookups(benchmark::State& state, Found found) {
  for (auto _ : state) {
    int count = 0;
    for (int i = 0; i < lookups; ++i) count += found(i) ? 1 : 0;
    if (count != lookups / 2) state.SkipWithError("wrong count of names found");
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * lookups);
}

void our_lookup(benchmark::State& state) {
  const lookup_set& s = the_set();
  time_lookups(state, [&](int i) { return km::platform::file_exists(s.win_paths[i]); });
}
BENCHMARK(our_lookup)->Unit(benchmark::kMillisecond);

void floor_stat(benchmark::State& state) {
  const lookup_set& s = the_set();
  time_lookups(state, [&](int i) {
    struct stat st {};
    return ::stat(s.exact_8[i].constData(), &st) == 0 && S_ISREG(st.st_mode);
  });
}
BENCHMARK(floor_stat)->Unit(benchmark::kMillisecond);

void floor_qfileinfo(benchmark::State& state) {
  const lookup_set& s = the_set();
  time_lookups(state, [&](int i) { return QFileInfo(s.exact[i]).isFile(); });
}
BENCHMARK(floor_qfileinfo)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
