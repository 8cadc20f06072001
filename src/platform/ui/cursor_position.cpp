#include "platform/ui/cursor_position.h"

#include <QCursor>

#include "platform/services.h"

namespace km::platform {

namespace {
cursor_reader g_cursor_reader;
// A test's reader never outlives the test.
const reset_step real_cursor_at_reset{reset_stage::values, [] { g_cursor_reader = nullptr; }};
}  // namespace

QPoint cursor_position() { return g_cursor_reader ? g_cursor_reader() : QCursor::pos(); }

void set_cursor_reader(cursor_reader reader) { g_cursor_reader = std::move(reader); }

}  // namespace km::platform
