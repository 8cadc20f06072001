#pragma once
// The machine prepared at start: the number separators of the (emulated)
// system settings forced to "." and ",", and the registry values the suite
// relies on (linked network connections, Explorer showing hidden files).

#include <QString>

namespace km {

// Locale items of the number separators.
constexpr int locale_decimal = 14;
constexpr int locale_thousands = 15;
constexpr int locale_monetary_decimal = 22;
constexpr int locale_monetary_thousands = 23;

// The first character of a locale item of the system settings ("" for an
// item this system does not keep).
QString get_locale_info(int item);
// Sets a locale item to the first character of value and announces the
// change (a setting-change message to every window). False for an item
// this system does not keep or an empty value.
bool set_locale_info(int item, const QString& value);
// Setting-change messages announced so far (tests).
int setting_change_messages();

// Forces the decimal and thousands separators (plain and monetary) to "."
// and ","; an item already right is left alone. Returns the operating
// system's product name from the registry, trimmed.
QString set_number_separators();

// Writes a REG_DWORD value; every failure is ignored.
void write_registry_dword(const QString& value_path, int value);

// Lets the suite's programs see the network drives of the user everywhere.
void enable_linked_connections();

// When Explorer hides hidden files (Hidden = 2), has it show them (Hidden
// and ShowSuperHidden = 1). Failures are ignored.
void show_hidden_files();

// The registry paths used here.
extern const QString linked_connections_value;
extern const QString explorer_hidden_value;
extern const QString explorer_super_hidden_value;
extern const QString product_name_value;

}  // namespace km
