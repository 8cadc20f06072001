#pragma once
// The menu passwords. Every road button of the three menus can carry a
// password of its own. All of them live in korva-scope-passwords.txt in the
// current directory (Write # form, Windows-1252):
//   line 1:         "<system password>"
//   further lines:  "<key>","<button password>"
// each password lower-cased and scrambled (every character code raised by
// 128). A key is the menu name, ":" and the button number ("MARKS2_MENU:5").
// In memory they live in the main menu's two hidden lists wagwoord_lys
// (keys, plain passwords), which every menu appends the file to at its load.

#include <QString>

class QListWidget;
class QPushButton;

namespace km {

inline const QString passwords_file_name = QStringLiteral("korva-scope-passwords.txt");
inline const QString default_system_password = QStringLiteral("w$ombat$rx");

// Text colours of road buttons, as the platform stores colours: pure red
// marks a protected button.
inline constexpr unsigned protected_button_colour = 255;
inline constexpr unsigned plain_button_colour = 0;

// Passwords are held and compared in lower case (A to Z become a to z).
QString lower_case_password(const QString& text);

// "MARKS_MENU:1".
QString password_key(const QString& menu_name, int button);

// The pair of lists wagwoord_lys 0 (keys) and 1 (passwords), entry i of
// the one belonging to entry i of the other. Lookups and changes take the
// first entry of a key.
class password_list {
 public:
  password_list(QListWidget* keys, QListWidget* passwords) : keys_(keys), passwords_(passwords) {}

  int count() const;
  // The first entry of the key; -1 when it is not there.
  int find(const QString& key) const;
  QString key_at(int index) const;
  QString password_at(int index) const;
  void append(const QString& key, const QString& password);
  void set_password_at(int index, const QString& password);
  void clear();
  // Found, with a password that is not blank.
  bool is_protected(const QString& key) const;

 private:
  QListWidget* keys_;
  QListWidget* passwords_;
};

// The main menu's lists; while the main menu is not loaded, a pair of the
// same kind kept here (emptied only by reset_for_tests).
password_list menu_password_list();

// Reads the passwords file, when it exists: line 1 into g_system_password,
// then every pair appended to the list. A damaged pair is skipped, the
// reading goes on. False when the file exists but cannot be read at all.
bool read_passwords_file(password_list list);

// Rewrites the file whole: the system password, then every entry of the
// list in order, each password lower-cased and scrambled. Throws
// platform::file_error (the old file stays as it was) or
// platform::value_error for a password the scrambler refuses.
void write_passwords_file(const password_list& list, const QString& system_password);

// True when every character has a code from 0 to 127, the only ones the
// scrambler can store.
bool is_storable_password(const QString& text);
// "Wagwoorde mag slegs gewone letters, syfers en tekens bevat ..." /
// "Passwords may hold plain letters, digits and signs only ...".
QString password_not_storable_text();
// "Wagwoordlêer (<file>) kan nie gelees word nie ..." / "Passwords file (<file>) cannot be read ...".
QString passwords_file_unreadable_text();

// Text colour of a road button (as the platform stores colours) and its
// setting.
unsigned button_text_colour(const QPushButton* button);
void set_button_text_colour(QPushButton* button, unsigned colour);

// A menu's load: appends the file to the list and colours road buttons 1
// to n red when protected, black otherwise. button(i) gives road button i.
template <class ButtonOf>
void load_passwords_and_colour(const QString& menu_name, int n, ButtonOf button) {
  password_list list = menu_password_list();
  read_passwords_file(list);
  for (int i = 1; i <= n; ++i)
    set_button_text_colour(button(i), list.is_protected(password_key(menu_name, i)) ? protected_button_colour
                                                                                    : plain_button_colour);
}

// Before a road button acts: when the button is protected, asks for its
// password in sk1_wagwoord. False (after a beep) when the right password
// was not given.
bool password_check(const QString& menu_name, int button);

// Right mouse button on a road button: the system password, then the
// button's new password twice; stores it in the list and the file.
// caption: the button's caption, shown in the prompts.
void password_administration(const QString& menu_name, int button, const QString& caption);

}  // namespace km
