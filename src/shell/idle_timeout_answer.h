#pragma once
// The main menu's idle time-out question: reading the answer and the texts
// that tell the outcome.

#include <QString>
#include <optional>

namespace km {

// The idle time-out answer in minutes, read as Val reads a number: blanks
// anywhere are skipped and the leading number counts ("10 min" is 10,
// "2,5" is 2). Nothing for an answer that starts with no number ("tien",
// ""), a negative one, or one above longest_idle_timeout_minutes: the idle
// log-out guards the teacher's marks, so a slip of the keyboard never
// switches it off.
inline constexpr float longest_idle_timeout_minutes = 1440.0f;
std::optional<float> parse_idle_timeout_minutes(const QString& answer);

// "TYDSDUUR VERANDER NA <m> MINUTE ..." / "TIME DURATION CHANGED TO <m> MINUTES ...",
// m being g_idle_timeout / 60 in its shortest form.
QString idle_timeout_changed_text();

// The refusal of an answer that is no time-out, naming the answer, the
// range and the time-out that stays in force.
QString idle_timeout_refused_text(const QString& answer);

// g_idle_timeout / 60 as a single-precision number in its shortest form.
QString idle_timeout_minutes_text();

}  // namespace km
