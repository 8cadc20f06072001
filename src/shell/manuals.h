#pragma once
// The user manuals of the suite (PDF files) and their opening: the list the
// manuals window offers, the path of each manual, and open_pdf, which has
// the desktop's viewer open a manual and leaves a dated marker file beside it.

#include <QString>
#include <optional>

namespace km {

constexpr int manual_option_count = 15;

// Captions of option 1 to 15: as designed into the window (before any
// caption is set), and in each language. "" outside 1 to 15.
QString manual_designed_caption(int index);
QString manual_caption(int index, bool afrikaans);

// File name of a manual without ".pdf"; "" for index 0 (nothing chosen)
// and outside 1 to 15.
QString manual_file_name(int index, bool afrikaans);

// "<g_program_root>\korva-manuals\<file>.pdf" in the language of g_language.
QString manual_path(int index);

// The marker beside a manual: its path with the trailing ".pdf" (lower
// case) replaced by ".dte"; nothing for a path that does not end in ".pdf",
// so a marker never lands on a manual.
std::optional<QString> manual_marker_path(const QString& pdf_path);

// The spelling under which a file is present: the path unchanged, in
// Afrikaans upper case or in Afrikaans title case; "" when none exists.
QString present_pdf_path(const QString& path);

// The working folder the viewer is started in.
extern const QString viewer_working_folder;

struct pdf_open_result {
  QString opened;                         // the path handed to the viewer; "" when the file is missing
  QString marker;                         // the marker path; "" when none is due
  std::optional<QString> marker_failure;  // why the marker could not be written
};

// Opens a manual when it is present and writes its marker file (also for a
// missing manual) holding today's date in write form (#yyyy-mm-dd#). A
// missing manual is passed over without a word; only a marker that cannot
// be written is worth telling the user.
pdf_open_result open_pdf(const QString& path);

// The message of a marker that could not be written.
QString marker_failed_text(const QString& marker, const QString& reason);

}  // namespace km
