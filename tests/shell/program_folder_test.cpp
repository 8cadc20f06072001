#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace km::test {
namespace {

QByteArray bytes_of(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The tests' program folder holds what the run command puts in the real one:
// every file of resources/ but its README, at the same place.
TEST(program_folder, is_laid_out_from_the_resources_as_the_run_command_does) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("Program Files (x86)/KORVA-MARKS"));
  lay_out_program_folder(folder);
  const QString resources = QStringLiteral(KM_SOURCE_DIR "/resources");
  ASSERT_TRUE(QFile::exists(resources + QStringLiteral("/README.md")));
  EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/README.md")));
  QDirIterator it(resources, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString relative = source.mid(resources.size() + 1);
    if (relative == QStringLiteral("README.md")) continue;
    EXPECT_EQ(bytes_of(folder + QLatin1Char('/') + relative), bytes_of(source)) << relative.toStdString();
  }
}

}  // namespace
}  // namespace km::test
