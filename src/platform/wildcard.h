#pragma once
// Windows file-name patterns: "*", "?", "pi*.*", "*.", "*.G".
//
// As Windows matches them, without regard to case (the rule of
// name_case.h):
// - "*" matches any run of characters, dots included;
// - "*" just before a "." stops at the name's last dot, so "*.G" needs an
//   extension "G" and "*." matches only names without a dot;
// - "?" matches one character, or nothing at a dot or at the end of the
//   name ("pi?.*" matches "pi.txt");
// - a "." at the end of the pattern, or before "*" or "?", also matches the
//   end of a name without an extension ("*.*" matches every name).

#include <QString>

namespace km::platform {

bool wildcard_match(const QString& pattern, const QString& name);

// True when the text holds "*" or "?".
bool has_wildcards(const QString& text);

}  // namespace km::platform
