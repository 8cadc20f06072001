#pragma once
// The program folder as the run command lays it out: the files of the
// repository's resources/ folder (all but its README), copied by the same
// script scripts/run.sh uses. For test programs built with KM_SOURCE_DIR.

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace km::test {

// Lays out the program folder's files in a native folder (made when missing).
inline void lay_out_program_folder(const QString& native_folder) {
  QProcess script;
  script.start(QStringLiteral("bash"),
               {QStringLiteral(KM_SOURCE_DIR "/scripts/lay-out-program-folder.sh"), native_folder});
  ASSERT_TRUE(script.waitForFinished(60000));
  ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
}

}  // namespace km::test
