#include "common/file_not_written.h"

#include "common/shared_variables.h"
#include "platform/dialogs.h"

namespace km {

QString file_not_written_text(const QString& win_path) {
  return g_language ? QStringLiteral("Kon nie ") + win_path + QStringLiteral(" skryf nie ...")
                    : QStringLiteral("Could not write ") + win_path + QStringLiteral(" ...");
}

void report_file_not_written(const QString& win_path) {
  platform::message_box(file_not_written_text(win_path), platform::msg_buttons::ok,
                        platform::msg_icon::exclamation);
}

}  // namespace km
