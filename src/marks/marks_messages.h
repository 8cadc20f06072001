#pragma once
// What the cycle-marks and outcomes-based capture windows tell the
// teacher, in the chosen language: the questions and notices of a capture,
// and the refusals of the table steps. Totals are given as their plain
// numbers (plain_number).
#include <QString>

namespace km {

// "INPUT TOTAL", two line breaks (CR LF each, or as given),
// "[ SUBJECT TOTAL = " st " ]".
QString input_total_prompt(const QString& subject_total, const QString& line_break = QStringLiteral("\r\n"));
// "Busy converting marks from " from " to " to "!".
QString converting_message(const QString& from, const QString& to);
QString effort_keys_question();
// "Current average " avg, two line breaks, "New average ...".
QString scaling_prompt(const QString& average, const QString& line_break = QStringLiteral("\r\n"));
QString print_list_question();

// The refusal of a code typed into a code column that its list does not
// hold, naming the list: "Codes can only be ' ' or a code of the EK-LIST"
// (the effort keys) or "... of the FE-LIST" (the formative codes).
QString code_refusal_message(bool formative);

// The outcomes-based window's own undo question.
QString obe_undo_question();

// The refusals of the table steps.
QString backup_failed_message(const QString& backup);
QString no_backup_message(const QString& backup);
QString mark_does_not_fit_message(const QString& text, const QString& field);
QString other_table_not_updated_message(const QString& table);
QString too_few_fields_message(const QString& table);

}  // namespace km
