#include "shell/version_numbers.h"

#include <QRegularExpression>
#include <QStringList>

#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/clock.h"
#include "platform/date_time.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program_location.h"
#include "platform/value.h"
#include "platform/win_path.h"
#include "shell/settings_files.h"

namespace km {

namespace {

using platform::Value;

QString version_list_file() { return g_settings_folder + QStringLiteral("\\Version_Numbers.txt"); }
QString version_date_file() { return g_settings_folder + QStringLiteral("\\Version_Numbers.dte"); }

// True when Version_Numbers.dte names today.
bool list_written_today() {
  if (!platform::file_exists(version_date_file())) return false;
  std::int16_t number = get_free_file_number(1);
  QString first_line;
  try {
    platform::open_file(number, version_date_file(), platform::open_mode::input);
    first_line = platform::line_input(number);
  } catch (const platform::file_error&) {
    first_line.clear();
  }
  abandon_file(number);
  const auto day = version_list_date(first_line);
  return day && *day == platform::today();
}

}  // namespace

program_version_t program_version() { return {1, 0, 0, 1}; }

QString version_label_text() {
  const program_version_t v = program_version();
  return QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

QString program_version_text() {
  const program_version_t v = program_version();
  return QStringLiteral("%1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.build).arg(v.revision);
}

QString file_version_text(const QString& win_path) {
  const QString own = platform::full_win_path(platform::program_file_path());
  if (!own.isEmpty() && platform::full_win_path(win_path).compare(own, Qt::CaseInsensitive) == 0)
    return program_version_text();
  return {};
}

const std::array<version_table_entry, 14>& version_table() {
  static const std::array<version_table_entry, 14> table{{
      {QStringLiteral("KORVA-SCOPE"), QStringLiteral("KORVA-SCOPE")},
      {QStringLiteral("KORVA-ADMIN"), QStringLiteral("KORVA-ADMIN")},
      {QStringLiteral("KORVA-LEARNERS"), QStringLiteral("KORVA-LEARNERS")},
      {QStringLiteral("KORVA-ATTEND"), QStringLiteral("KORVA-ATTEND")},
      {QStringLiteral("KORVA-CONDUCT"), QStringLiteral("KORVA-CONDUCT")},
      {QStringLiteral("KORVA-EXTRA"), QStringLiteral("KORVA-EXTRA")},
      {QStringLiteral("KORVA-TIMETABLE"), QStringLiteral("KORVA-TIMETABLE")},
      {QStringLiteral("KORVA-ANA"), QStringLiteral("KORVA-ANA")},
      {QStringLiteral("KORVA-MARKS"), QStringLiteral("KORVA-MARKS")},
      {QStringLiteral("KORVA-FINANCE"), QStringLiteral("KORVA-FINANCE")},
      {QStringLiteral("KORVA-SCOPE"), QStringLiteral("KORVA-TOOLS")},
      {QStringLiteral("KORVA-SCOPE"), QStringLiteral("KORVA-SETTINGS")},
      {QStringLiteral("KORVA-BACKUP"), QStringLiteral("KORVA-BACKUP")},
      {QStringLiteral("KORVA-SETUP"), QStringLiteral("KORVA-SETUP")},
  }};
  return table;
}

std::optional<double> version_list_date(const QString& text) {
  static const QRegularExpression form(QStringLiteral(R"(^(\d{4})([./-])(\d{2})\2(\d{2})$)"));
  const auto match = form.match(text.trimmed());
  if (!match.hasMatch()) return std::nullopt;
  return platform::make_date(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
}

void write_version_numbers() {
  if (list_written_today()) return;

  std::int16_t number = get_free_file_number(0);
  try {
    platform::open_file(number, version_list_file(), platform::open_mode::output);
    for (const auto& entry : version_table()) {
      const QString path = upper_case_afrikaans(g_program_root + QLatin1Char('\\') + entry.folder +
                                                QLatin1Char('\\') + entry.program + QStringLiteral(".exe"));
      if (platform::file_exists(path))
        platform::write_fields(number, {Value::text(path), Value::text(file_version_text(path))});
    }
    close_file(number);
  } catch (const platform::file_error&) {
    // No list this time; without a new date it is tried again next start.
    abandon_file(number);
    return;
  }

  number = get_free_file_number(1);
  try {
    platform::open_file(number, version_date_file(), platform::open_mode::output);
    platform::print_line(number, Value::date(platform::today()).to_text());
    close_file(number);
  } catch (const platform::file_error&) {
    abandon_file(number);
  }
}

QString get_internet_version() { return {}; }

QString internet_version_from_list(const QString& list, const QString& program_name, int major) {
  QString joined = list;
  joined.remove(QLatin1Char('\r'));
  joined.remove(QLatin1Char('\n'));
  const QStringList fields = joined.split(QLatin1Char(','));
  QString result;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].trimmed() != program_name) continue;
    QString version = fields[i + 1];
    version.remove(QLatin1Char('"'));
    result = QString::number(major) + QLatin1Char('.') + version;
  }
  return result;
}

}  // namespace km
