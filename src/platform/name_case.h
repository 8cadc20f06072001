#pragma once
// The one case rule for file and folder names, as Windows applies it when it
// compares names: both names are put in upper case character by character,
// each character by its simple (one-to-one) upper case, and then compared
// exactly. So "a" matches "A", "à" matches "À", "š" matches "Š" and "ÿ"
// matches "Ÿ", while "ß" stays "ß" (its upper case "SS" is two characters,
// which a one-to-one table cannot hold) and so never matches "ss".
// Characters without case (digits, "÷", "×", blanks) match only themselves.
//
// Wildcard patterns, path lookup and the sorting of folder listings all use
// this rule, so that what a pattern lists, a lookup finds.

#include <QString>
#include <QStringView>

namespace km::platform {

// The name in the folded form: every character by its simple upper case.
QString fold_name_case(QStringView name);

// One character in the folded form.
char32_t fold_name_char(char32_t c);

// True when the names are the same under the rule.
bool names_equal(QStringView a, QStringView b);

// Order of names as Windows lists them: by the folded form, names that
// differ only in case by their exact characters (so the order is total).
// Negative, zero or positive.
int compare_names(QStringView a, QStringView b);

}  // namespace km::platform
