#include "shell/menu_passwords.h"

#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <exception>

#include "common/file_not_written.h"
#include "common/file_number_pool.h"
#include "common/shared_variables.h"
#include "common/text_routines.h"
#include "platform/dialogs.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/numbered_files.h"
#include "platform/program.h"
#include "platform/services.h"
#include "platform/ui/window_registry.h"
#include "shell/settings_files.h"

namespace km {

namespace {

const char* const colour_property = "fore_colour";

QString item_text(const QListWidget* list, int index) {
  const QListWidgetItem* item = list->item(index);
  return item ? item->text() : QString();
}

// The stand-in pair, made on first use.
struct stand_in_lists {
  QListWidget keys;
  QListWidget passwords;
};

// Never deleted: widgets cannot outlive the application object.
stand_in_lists* g_stand_in = nullptr;

stand_in_lists& stand_in() {
  if (!g_stand_in) g_stand_in = new stand_in_lists;
  return *g_stand_in;
}

// A test starts with the stand-in pair empty; a pair not yet made is left
// unmade (a reset needs no application object).
void empty_stand_in() {
  if (!g_stand_in) return;
  g_stand_in->keys.clear();
  g_stand_in->passwords.clear();
}
const platform::reset_step empty_stand_in_at_reset{platform::reset_stage::values, empty_stand_in};

}  // namespace

QString lower_case_password(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
  return out;
}

QString password_key(const QString& menu_name, int button) {
  return menu_name + u':' + QString::number(button);
}

int password_list::count() const { return keys_->count(); }

int password_list::find(const QString& key) const {
  for (int i = 0; i < keys_->count(); ++i)
    if (keys_->item(i)->text() == key) return i;
  return -1;
}

QString password_list::key_at(int index) const { return item_text(keys_, index); }
QString password_list::password_at(int index) const { return item_text(passwords_, index); }

void password_list::append(const QString& key, const QString& password) {
  keys_->addItem(key);
  passwords_->addItem(password);
}

void password_list::set_password_at(int index, const QString& password) {
  if (QListWidgetItem* item = passwords_->item(index)) item->setText(password);
}

void password_list::clear() {
  keys_->clear();
  passwords_->clear();
}

bool password_list::is_protected(const QString& key) const {
  const int index = find(key);
  return index >= 0 && !password_at(index).trimmed().isEmpty();
}

password_list menu_password_list() {
  if (platform::form* menu = platform::find_form(QStringLiteral("punte_mnu"))) {
    auto* keys = menu->control<QListWidget>(platform::control_name(QStringLiteral("wagwoord_lys"), 0));
    auto* passwords = menu->control<QListWidget>(platform::control_name(QStringLiteral("wagwoord_lys"), 1));
    if (keys && passwords) return password_list(keys, passwords);
  }
  return password_list(&stand_in().keys, &stand_in().passwords);
}

bool read_passwords_file(password_list list) {
  if (!platform::file_exists(passwords_file_name)) return true;
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, passwords_file_name, platform::open_mode::input);
  } catch (const platform::file_error&) {
    abandon_file(number);
    return false;
  }
  try {
    if (!platform::eof(number)) {
      const QString system = platform::input_text(number);
      try {
        g_system_password = unscramble_text(system);
      } catch (const platform::value_error&) {
        // A damaged system password leaves the one in force.
      }
    }
    while (!platform::eof(number)) {
      const QString key = platform::input_text(number);
      const QString scrambled = platform::input_text(number);
      g_password_line_key = key;
      try {
        list.append(key, unscramble_text(scrambled));
      } catch (const platform::value_error&) {
        // A damaged password: the pair is skipped, the rest still counts.
      }
    }
  } catch (const platform::file_error&) {
    // A file that ends part way: what was read stands.
  }
  abandon_file(number);
  return true;
}

void write_passwords_file(const password_list& list, const QString& system_password) {
  std::vector<std::pair<QString, QString>> lines;
  const QString system = scramble_text(lower_case_password(system_password));
  for (int i = 0; i < list.count(); ++i)
    lines.emplace_back(list.key_at(i), scramble_text(lower_case_password(list.password_at(i))));
  std::int16_t number = get_free_file_number(1);
  try {
    platform::open_file(number, passwords_file_name, platform::open_mode::output);
    platform::write_fields(number, {platform::Value(system)});
    for (const auto& [key, password] : lines)
      platform::write_fields(number, {platform::Value(key), platform::Value(password)});
    close_file(number);
  } catch (const platform::file_error&) {
    abandon_file(number);
    throw;
  }
}

bool is_storable_password(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() > 127) return false;
  return true;
}

QString password_not_storable_text() {
  return g_language ? QStringLiteral(
                          "Wagwoorde mag slegs gewone letters, syfers en tekens bevat (nie ë, ê, ô ... nie) "
                          "- niks is verander nie ...")
                    : QStringLiteral(
                          "Passwords may hold plain letters, digits and signs only (no ë, ê, ô ...) "
                          "- nothing was changed ...");
}

QString passwords_file_unreadable_text() {
  return g_language ? QStringLiteral("Wagwoordlêer (") + passwords_file_name +
                          QStringLiteral(") kan nie gelees word nie - niks is verander nie ...")
                    : QStringLiteral("Passwords file (") + passwords_file_name +
                          QStringLiteral(") cannot be read - nothing was changed ...");
}

unsigned button_text_colour(const QPushButton* button) {
  return button ? button->property(colour_property).toUInt() : plain_button_colour;
}

void set_button_text_colour(QPushButton* button, unsigned colour) {
  if (!button) return;
  button->setProperty(colour_property, colour);
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText,
                   QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
  button->setPalette(palette);
}

bool password_check(const QString& menu_name, int button) {
  g_password_key = password_key(menu_name, button);
  if (!menu_password_list().is_protected(g_password_key)) return true;
  g_password_ok = false;
  platform::show_form(QStringLiteral("sk1_wagwoord"), true);
  if (g_password_ok) return true;
  platform::beep();
  return false;
}

namespace {

// An input box whose answer must be storable; nothing (after the message)
// when it is not.
std::optional<QString> ask_storable(const QString& prompt) {
  const platform::input_answer answer = platform::input_box(prompt);
  if (is_storable_password(answer.text)) return answer.text;
  platform::message_box(password_not_storable_text(), platform::msg_buttons::ok,
                        platform::msg_icon::exclamation);
  return std::nullopt;
}

}  // namespace

void password_administration(const QString& menu_name, int button, const QString& caption) {
  const platform::input_answer typed = platform::input_box(g_language ? QStringLiteral("STELSEL WAGWOORD")
                                                                      : QStringLiteral("SYSTEM PASSWORD"));
  if (typed.text.trimmed().isEmpty()) return;
  if (!is_storable_password(typed.text)) {
    platform::message_box(password_not_storable_text(), platform::msg_buttons::ok,
                          platform::msg_icon::exclamation);
    return;
  }

  password_list list = menu_password_list();
  list.clear();
  g_system_password = default_system_password;
  if (!platform::file_exists(passwords_file_name)) {
    try {
      write_passwords_file(list, default_system_password);
    } catch (const platform::file_error&) {
      // The file is made again at the first change that is stored.
    }
  } else if (!read_passwords_file(list)) {
    // Rewriting a file that could not be read would lose every password
    // in it.
    platform::message_box(passwords_file_unreadable_text(), platform::msg_buttons::ok,
                          platform::msg_icon::critical);
    return;
  }
  if (typed.text != g_system_password.to_text()) {
    platform::beep();
    return;
  }

  const QString line_break = QStringLiteral("\n");
  const auto first =
      ask_storable((g_language ? QStringLiteral("WAGWOORD VIR ") : QStringLiteral("PASSWORD FOR ")) +
                   line_break + caption);
  if (!first) return;
  const auto second = ask_storable(
      (g_language ? QStringLiteral("BEVESTIG WAGWOORD VIR ") : QStringLiteral("CONFIRM PASSWORD FOR ")) +
      line_break + caption);
  if (!second) return;
  if (first->trimmed() != second->trimmed()) {
    platform::beep();
    return;
  }

  const QString key = password_key(menu_name, button);
  const int index = list.find(key);
  if (index < 0)
    list.append(key, lower_case_password(*first));
  else
    list.set_password_at(index, lower_case_password(*first));
  try {
    write_passwords_file(list, typed.text);
  } catch (const platform::file_error&) {
    report_file_not_written(passwords_file_name);
  }
}

}  // namespace km
