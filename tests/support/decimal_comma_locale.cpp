#include "support/decimal_comma_locale.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace km::test {

const char* const decimal_comma_locale_name = "de_DE.UTF-8";

namespace {

bool set_number_locale(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

// Makes the locale into `folder` unless an earlier run left it there. A
// test program running beside this one may make it at the same moment:
// each writes under a name of its own and renames the whole into place, so
// the folder never holds half a locale. "" or the reason it failed.
std::string make_locale(const QString& folder) {
  const QString target = folder + u'/' + QString::fromLatin1(decimal_comma_locale_name);
  if (!QDir().mkpath(folder)) return "cannot make the folder " + folder.toStdString();
  if (QFileInfo(folder).ownerId() != ::geteuid()) return folder.toStdString() + " belongs to another user";
  if (QFileInfo::exists(target + QStringLiteral("/LC_NUMERIC"))) return {};
  const QString partial =
      target + QStringLiteral(".part") + QString::number(QCoreApplication::applicationPid());
  QDir(partial).removeRecursively();
  QProcess localedef;
  localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"),
                                                QStringLiteral("-f"), QStringLiteral("UTF-8"), partial});
  const bool finished = localedef.waitForStarted(10000) && localedef.waitForFinished(120000);
  // localedef exits with 1 after mere warnings; what counts is the output.
  if (!finished || !QFileInfo::exists(partial + QStringLiteral("/LC_NUMERIC"))) {
    QDir(partial).removeRecursively();
    return "localedef -i de_DE -f UTF-8 made no locale (" + localedef.errorString().toStdString() +
           "): " + localedef.readAllStandardError().toStdString() +
           " -- install Debian's locales package (scripts/install-deps.sh)";
  }
  const QByteArray from = QFile::encodeName(partial);
  const QByteArray to = QFile::encodeName(target);
  if (std::rename(from.constData(), to.constData()) != 0) QDir(partial).removeRecursively();
  if (!QFileInfo::exists(target + QStringLiteral("/LC_NUMERIC")))
    return "cannot put the locale in " + target.toStdString();
  return {};
}

// The locale from the system, from LOCPATH as the caller set it, or made
// for the tests. "" or the reason it cannot be had.
std::string find_or_make_locale() {
  if (set_number_locale(decimal_comma_locale_name)) return {};
  // A folder of this user's own: the C library trusts what it loads.
  const QString folder =
      QDir::tempPath() + QStringLiteral("/km-test-locales-") + QString::number(::geteuid());
  const std::string failure = make_locale(folder);
  if (!failure.empty()) return failure;
  // LOCPATH names the folder only while the locale is set: glibc's
  // newlocale loses a copy of LOCPATH on every call while it is set, and
  // the sanitizer build's leak checker would fail the test program.
  const bool had_path = qEnvironmentVariableIsSet("LOCPATH");
  const QByteArray old_path = qgetenv("LOCPATH");
  qputenv("LOCPATH", QFile::encodeName(folder));
  const bool set = set_number_locale(decimal_comma_locale_name);
  if (had_path)
    qputenv("LOCPATH", old_path);
  else
    qunsetenv("LOCPATH");
  if (set) return {};
  return "the locale made in " + folder.toStdString() + " cannot be set";
}

}  // namespace

decimal_comma_locale::decimal_comma_locale() {
  const char* current = std::setlocale(LC_NUMERIC, nullptr);
  previous_ = current ? current : "C";
  error_ = find_or_make_locale();
  if (!error_.empty()) {
    error_ = std::string("the number locale ") + decimal_comma_locale_name + " cannot be had: " + error_;
    return;
  }
  const char* point = std::localeconv()->decimal_point;
  if (std::strcmp(point, ",") != 0) {
    error_ =
        std::string(decimal_comma_locale_name) + " writes \"" + point + "\" as its decimal point, not \",\"";
    set_number_locale(previous_.c_str());
    return;
  }
  active_ = true;
}

decimal_comma_locale::~decimal_comma_locale() {
  if (active_ && !set_number_locale(previous_.c_str()))
    ADD_FAILURE() << "the number locale " << previous_ << " could not be set back";
}

}  // namespace km::test
