#pragma once
// Draws a page's operations with a QPainter whose unit is one twip and
// whose origin is the top-left corner of the sheet. The PDF writer and the
// system printer both render through it.

#include <QPainter>

#include "platform/model/print/print_types.h"

namespace km::platform {

void paint_page(QPainter& painter, const print_page& page);

}  // namespace km::platform
