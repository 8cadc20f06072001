#include "shell/browse_for_folder.h"

#include "platform/dialogs.h"

namespace km {

QString browse_for_folder(QWidget* /*owner*/, const QString& start_folder, const QString& title,
                          bool /*include_files*/, bool /*new_dialog_style*/) {
  platform::folder_request request;
  request.title = title;
  request.start_folder = start_folder.trimmed();
  const std::optional<QString> chosen = platform::dialogs().browse_folder(request);
  if (!chosen) return {};
  QString path = *chosen;
  const qsizetype nul = path.indexOf(QChar(0));
  if (nul >= 0) path.truncate(nul);
  if (path.endsWith(u'\\')) path.chop(1);
  return path;
}

}  // namespace km
