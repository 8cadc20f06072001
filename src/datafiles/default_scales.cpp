#include "datafiles/default_scales.h"

#include "common/shared_variables.h"
#include "datafiles/conversion_layouts.h"
#include "datafiles/upgrade_layouts.h"
#include "platform/numbered_files.h"
#include "platform/value.h"

namespace km {

namespace {

constexpr achievement_level four_levels[] = {
    {"1", 0.0F, 34.9F, "NIE BEREIK NIE", "NOT ACHIEVED"},
    {"2", 35.0F, 49.9F, "GEDEELTELIK BEREIK", "PARTLY ACHIEVED"},
    {"3", 50.0F, 69.9F, "BEREIK", "ACHIEVED"},
    {"4", 70.0F, 100.0F, "UITSTEKEND", "EXCELLENT"},
};

constexpr achievement_level seven_levels[] = {
    {"1", 0.0F, 29.9F, "ONTOEREIKENDE PRESTASIE", "NOT ACHIEVED"},
    {"2", 30.0F, 39.9F, "BASIESE PRESTASIE", "ELEMENTARY ACHIEVEMENT"},
    {"3", 40.0F, 49.9F, "MATIGE PRESTASIE", "MODERATE ACHIEVEMENT"},
    {"4", 50.0F, 59.9F, "VOLDOENDE PRESTASIE", "ADEQUATE ACHIEVEMENT"},
    {"5", 60.0F, 69.9F, "BEDUIDENDE PRESTASIE", "SUBSTANTIAL ACHIEVEMENT"},
    {"6", 70.0F, 79.9F, "VERDIENSTELIKE PRESTASIE", "MERITORIOUS ACHIEVEMENT"},
    {"7", 80.0F, 100.0F, "UITMUNTENDE PRESTASIE", "OUTSTANDING ACHIEVEMENT"},
};

constexpr double four_level_grade_above = 3;
constexpr double four_level_grade_below = 7;
constexpr double four_level_year_below = 2013;

}  // namespace

std::span<const achievement_level> default_scale(const QString& grade, const QString& year) {
  const double g = platform::val(grade);
  if (g > four_level_grade_above && g < four_level_grade_below && platform::val(year) < four_level_year_below)
    return four_levels;
  return seven_levels;
}

void fill_default_pi2_symbols() {
  platform::record_buffer record(pi2_record);
  for (const achievement_level& level : default_scale(g_grade, g_year)) {
    record.blank();
    record.set_text("PI2_SIMBL", QLatin1String(level.symbol));
    record.set_single("PI2_GRNS_B", level.upper);
    record.set_single("PI2_GRNS_O", level.lower);
    ++g_pi2_record_count;
    platform::put_record(g_pi2_file_number, g_pi2_record_count, record);
  }
}

void fill_default_psmb_symbols() {
  platform::record_buffer record(psmb_record);
  for (const achievement_level& level : default_scale(g_grade, g_year)) {
    const QString afrikaans = QLatin1String(level.afrikaans);
    const QString english = QLatin1String(level.english);
    record.blank();
    record.set_text("PSMB_SYMBOL", QLatin1String(level.symbol));
    record.set_text("PSMB_CODE", QLatin1String(level.symbol));
    record.set_single("PSMB_LOWER", level.lower);
    record.set_single("PSMB_UPPER", level.upper);
    record.set_text("PSMB_TEXT_1", g_language ? afrikaans : english);
    record.set_text("PSMB_TEXT_2", g_language ? english : afrikaans);
    ++g_psmb_record_count;
    platform::put_record(g_psmb_file_number, g_psmb_record_count, record);
  }
  g_psmb_record_count = static_cast<std::int32_t>(platform::lof(g_psmb_file_number) / psmb_record.length);
}

}  // namespace km
