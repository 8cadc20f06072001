#include "common/data_drive_check.h"

#include "common/shared_variables.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/program.h"
#include "platform/win_path.h"

namespace km {

QString data_drive_of(const QString& path) {
  const QString drive = platform::drive_name(path);
  return drive.trimmed().isEmpty() ? QStringLiteral("C:") : drive;
}

QString drive_unavailable_message(const QString& drive) {
  if (g_language) {
    return QStringLiteral("NETWERK AANDRYWER  ") + drive +
           QStringLiteral("  NIE BESKIKBAAR NIE ...\r\n\r\nKONTAK U NETWERKADMINISTRATEUR !");
  }
  return QStringLiteral("NETWORK DRIVE  ") + drive +
         QStringLiteral("  NOT AVAILABLE ...\r\n\r\nCONTACT YOUR NETWORK ADMINISTRATOR !");
}

void require_data_drive(const QString& path) {
  g_data_drive = data_drive_of(path);
  if (platform::drive_exists(g_data_drive)) return;
  platform::message_box(drive_unavailable_message(g_data_drive), platform::msg_buttons::ok,
                        platform::msg_icon::critical);
  platform::end_program();
}

}  // namespace km
