#pragma once

namespace km {

// Registers the windows of the cycle and outcomes-based marks by name, so
// that the marks sub-menu opens them.
void register_marks_windows();

}  // namespace km
