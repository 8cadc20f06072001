#pragma once
// Room for a window's caption: the window managers here draw captions in
// wider fonts than the sizes in twips were made for, and a caption that
// does not fit is cut.

#include <QString>

namespace km::platform {

// The width in pixels a window needs for its caption to show whole: the
// text in the title font, with room for the frame's icon and buttons.
int width_for_caption(const QString& caption);

}  // namespace km::platform
