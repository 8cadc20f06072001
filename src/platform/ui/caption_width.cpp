#include "platform/ui/caption_width.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>

namespace km::platform {

namespace {
// The frame's icon and its three buttons, with the margins around them.
constexpr int frame_room_px = 120;
}  // namespace

int width_for_caption(const QString& caption) {
  QFont title_font = QApplication::font();
  title_font.setBold(true);  // the widest of the window managers' caption fonts
  return QFontMetrics(title_font).horizontalAdvance(caption) + frame_room_px;
}

}  // namespace km::platform
