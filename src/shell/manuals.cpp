#include "shell/manuals.h"

#include <array>

#include "common/file_error_reason.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/clock.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/ui/document_opener.h"
#include "platform/value.h"
#include "shell/write_form_file.h"

namespace km {

const QString viewer_working_folder = QStringLiteral("C:\\");

namespace {

struct manual_entry {
  const char* designed;
  const char* afrikaans;
  const char* english;
  const char* afrikaans_file;
  const char* english_file;
};

// Options 1 to 15. The captions are the window's own texts (Windows-1252
// letters written as UTF-8 here).
constexpr std::array<manual_entry, manual_option_count> manuals{{
    {"SKOOLBESONDERHEDE", "SKOOLBESONDERHEDE", "SCHOOL DETAILS", "skool_besonderhede", "school_details"},
    {"KORVA-ADMIN", "ADMINISTRASIE (KORVA-ADMIN)", "ADMINISTRATION (KORVA-ADMIN)", "admin_afr", "admin_eng"},
    {"ASSESSERINGSTANDAARDE", "ASSESSERINGSTANDAARDE", "ASSESSMENT STANDARDS", "assessering", "assessment"},
    {"SKOOLBYWONING", "SKOOLBYWONING", "ATTENDANCE", "bywoning", "attendance"},
    {"GEDRAGSTELSEL", "GEDRAGSTELSEL", "MERITS/DEMERITS", "gedrag", "code_conduct"},
    {"BUITEMUURS", "BUITEMUURSE INLIGTING", "EXTRA-MURAL INFORMATION", "buitemuurs", "extra_mural"},
    {"KORVA-TIMETABLE", "ROOSTER (KORVA-TIMETABLE)", "TIMETABLE (KORVA-TIMETABLE)", "rooster", "timetable"},
    {"KORVA-FINANCE", "FINANSIES (KORVA-FINANCE)", "FINANCE (KORVA-FINANCE)", "finance_afr", "finance_eng"},
    {"KORVA-SCOPE", "STELSEL (KORVA-SCOPE)", "SYSTEM (KORVA-SCOPE)", "stelsel", "system"},
    {"KORVA-SETTINGS", "INSTELLINGS (KORVA-SETTINGS)", "SETTINGS (KORVA-SETTINGS)", "settings_afr",
     "settings_eng"},
    {"KORVA-TOOLS", "HULPMIDDELS (KORVA-TOOLS)", "TOOLS (KORVA-TOOLS)", "hulpmiddels", "tools"},
    {"KORVA-MARKS", "PUNTE/PUNTEBOEKE (KORVA-MARKS)", "MARKS/MARK BOOKS (KORVA-MARKS)", "m_marks_afr",
     "m_marks_eng"},
    {"LEERDERS - ADMINISTRATIEF", "LEERDERS - ADMINISTRATIEF", "LEARNERS - ADMINISTRATIVE", "leerder_adm",
     "learner_adm"},
    {"LEERDERS - AKADEMIES", "LEERDERS - AKADEMIES", "LEARNERS - ACADEMIC", "leerder_akd", "learner_acd"},
    {"ANA REGISTRASIES EN PUNTE", "ANA REGISTRASIES EN PUNTE", "ANA REGISTRATIONS AND MARKS",
     "ana inskrywings", "ana registrations"},
}};

const manual_entry* entry(int index) {
  if (index < 1 || index > manual_option_count) return nullptr;
  return &manuals[std::size_t(index - 1)];
}

}  // namespace

QString manual_designed_caption(int index) {
  const auto* e = entry(index);
  return e ? QString::fromUtf8(e->designed) : QString();
}

QString manual_caption(int index, bool afrikaans) {
  const auto* e = entry(index);
  if (!e) return {};
  return QString::fromUtf8(afrikaans ? e->afrikaans : e->english);
}

QString manual_file_name(int index, bool afrikaans) {
  const auto* e = entry(index);
  if (!e) return {};
  return QString::fromUtf8(afrikaans ? e->afrikaans_file : e->english_file);
}

QString manual_path(int index) {
  return g_program_root + "\\korva-manuals\\" + manual_file_name(index, g_language) + ".pdf";
}

std::optional<QString> manual_marker_path(const QString& pdf_path) {
  if (!pdf_path.endsWith(QStringLiteral(".pdf"), Qt::CaseSensitive)) return std::nullopt;
  return pdf_path.left(pdf_path.size() - 4) + ".dte";
}

QString present_pdf_path(const QString& path) {
  for (const QString& spelling : {path, upper_case_afrikaans(path), title_case_afrikaans(path)})
    if (platform::file_exists(spelling)) return spelling;
  return {};
}

pdf_open_result open_pdf(const QString& path) {
  pdf_open_result result;
  result.opened = present_pdf_path(path);
  if (!result.opened.isEmpty()) platform::opener().open(result.opened, viewer_working_folder);

  const auto marker = manual_marker_path(path);
  if (!marker) return result;
  result.marker = *marker;
  try {
    write_form_lines(*marker, {platform::Value::date(platform::today())});
  } catch (const platform::file_error& e) {
    result.marker_failure = file_error_reason(e);
  }
  return result;
}

QString marker_failed_text(const QString& marker, const QString& reason) {
  return g_language ? "Die merkerlêer '" + marker + "' kon nie geskryf word nie (" + reason + ")."
                    : "The marker file '" + marker + "' could not be written (" + reason + ").";
}

}  // namespace km
