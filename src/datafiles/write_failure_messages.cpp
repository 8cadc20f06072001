#include "datafiles/write_failure_messages.h"

#include "common/file_error_reason.h"
#include "common/language_text.h"
#include "common/record_file_not_ready.h"
#include "common/table_messages.h"
#include "platform/dialogs.h"

namespace km {

namespace {

QString reason_headline(const platform::file_error& e) {
  switch (e.which()) {
    case platform::file_error::kind::disk_full:
      return in_language(u"DIE SKYF IS VOL", u"THE DISK IS FULL");
    case platform::file_error::kind::permission_denied:
      return in_language(u"DIE GIDS IS 'READ ONLY'", u"THE FOLDER IS 'READ ONLY'");
    default:
      return in_language(u"SKRYFFOUT", u"WRITE ERROR") + QStringLiteral(" (") + file_error_reason(e) +
             QStringLiteral(")");
  }
}

}  // namespace

QString record_file_not_made_message(const QString& file_name, const platform::file_error& e) {
  return reason_headline(e) + QStringLiteral(": ") + file_name +
         in_language(u" IS NIE GEMAAK NIE. NIKS IS VERANDER NIE.", u" WAS NOT MADE. NOTHING WAS CHANGED.");
}

QString record_file_not_upgraded_message(const QString& file_name, const platform::file_error& e) {
  return reason_headline(e) + QStringLiteral(": ") + file_name +
         in_language(u" IS NIE OPGEDATEER NIE. NIKS IS VERANDER NIE.",
                     u" WAS NOT BROUGHT UP TO DATE. NOTHING WAS CHANGED.");
}

void show_write_failure(const QString& text) {
  platform::message_box(text, platform::msg_buttons::ok, platform::msg_icon::exclamation);
}

void show_file_in_use(const QString& folder, const QString& file_name) {
  platform::message_box(in_use_message(folder, file_name), platform::msg_buttons::ok,
                        platform::msg_icon::exclamation);
}

void upgrade_telling_failure(const QString& folder, const QString& file_name,
                             const std::function<void()>& upgrade) {
  try {
    upgrade();
  } catch (const platform::file_error& e) {
    if (e.which() == platform::file_error::kind::file_already_open)
      show_file_in_use(folder, file_name);
    else
      show_write_failure(record_file_not_upgraded_message(file_name, e));
    throw record_file_not_ready(file_name.toStdString());
  }
}

}  // namespace km
