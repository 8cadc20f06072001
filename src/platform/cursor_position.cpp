#include "platform/cursor_position.h"

#include <QCursor>

namespace km::platform {

namespace {
cursor_reader g_cursor_reader;
}  // namespace

QPoint cursor_position() { return g_cursor_reader ? g_cursor_reader() : QCursor::pos(); }

void set_cursor_reader(cursor_reader reader) { g_cursor_reader = std::move(reader); }

}  // namespace km::platform
