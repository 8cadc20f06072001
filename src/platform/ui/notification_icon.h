#pragma once
// The program's icon in the notification area of the desktop's panel.

#include <QIcon>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace km::platform {

class notification_icon {
 public:
  notification_icon();
  ~notification_icon();
  notification_icon(const notification_icon&) = delete;
  notification_icon& operator=(const notification_icon&) = delete;

  // Shows the icon with its tip; nothing happens where the desktop has no
  // notification area.
  void show(const QIcon& icon, const QString& tip);
  void remove();
  // True while the icon is on the panel.
  bool shown() const;

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace km::platform
