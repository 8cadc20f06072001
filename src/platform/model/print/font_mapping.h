#pragma once
// The font names the program asks for are Windows names; the machine has
// metric-compatible stand-ins. Printing and measuring use the stand-in.

#include <QFont>
#include <QString>

#include "platform/model/print/print_types.h"

namespace km::platform {

// The installed family that stands in for a font name ("Lucida Console" ->
// "Liberation Mono", "Arial" -> "Liberation Sans"); the case of the name
// does not matter. A name installed as it is stays; anything else falls
// back to Liberation Sans.
QString installed_font_family(const QString& name);

// The name a workbook names a font by, so that it shows with the same
// metrics wherever it is opened: "Arial" for a sans-serif font, "Times New
// Roman" for a serif one and "Courier New" for a fixed-pitch one. Every
// platform has these or, here, their metric twins Liberation Sans, Serif
// and Mono; a name such as "MS Sans Serif" would show in another font on
// each platform and no longer fit the heights measured for it.
QString portable_font_name(const QString& name);

// A QFont for the print font whose pixel size is its size in twips, so on a
// surface of 1440 dots per inch (or a painter scaled to twips) it draws and
// measures in twips.
QFont twips_font(const print_font& font);

}  // namespace km::platform
