#include "platform/ui/notification_icon.h"

#include <QSystemTrayIcon>

namespace km::platform {

notification_icon::notification_icon() = default;
notification_icon::~notification_icon() = default;

void notification_icon::show(const QIcon& icon, const QString& tip) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  if (!icon_) icon_ = std::make_unique<QSystemTrayIcon>(icon);
  icon_->setIcon(icon);
  icon_->setToolTip(tip);
  icon_->show();
}

void notification_icon::remove() { icon_.reset(); }

bool notification_icon::shown() const { return icon_ && icon_->isVisible(); }

}  // namespace km::platform
