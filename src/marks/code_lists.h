#pragma once
// The code lists of a subject that the outcomes-based capture window and
// the mark-lists print window offer beside the marks: the effort keys of
// the table L<subject>_P_S and the formative evaluation descriptions of the
// file L<subject>_f_e.<class>. Each list comes as a pair kept in step: the
// bare codes and the entries shown (code, a blank, description).
#include <QString>
#include <QStringList>
#include <optional>

namespace km {

namespace platform {
class recordset;
}

// "L" + the subject number trimmed + "_P_S".
QString effort_key_table_name(const QString& subject_number);
// "L" + the subject number trimmed + "_f_e." + the class text with every
// "/" and then every "-" removed, trimmed ("101", "10-A " give
// "L101_f_e.10A").
QString formative_file_name(const QString& subject_number, const QString& subject_class);

struct code_list {
  QStringList codes;    // the bare codes
  QStringList entries;  // code, " ", description, at the same index
  bool empty() const { return codes.isEmpty(); }
};

// The effort keys of an open table: every record whose code (field 0,
// cleaned and trimmed) is not empty gives the code and its entry with the
// description of field 4 (the code alone when the table has fewer than
// five fields); then the entry for no key, "   GEEN" / "   NONE" with the
// code " ". An empty table gives empty lists.
code_list effort_key_list(const platform::recordset& table);

// The formative descriptions of the file at win_path: the first value of
// every record (two values a record, read as the settings files are read)
// joined into one text, cut at CR LF into descriptions 1, 2, ... with the
// codes "01", "02", ...; an empty line is a description with empty text, a
// last piece without CR LF counts unless it is blank. A missing or
// unreadable file gives empty lists.
code_list formative_list(const QString& win_path);

// The code of the list that a typed text names: the text trimmed, compared
// with each code trimmed, upper and lower case alike; none when no code of
// the list is that text.
std::optional<QString> listed_code(const code_list& list, const QString& typed);

}  // namespace km
