#pragma once
// The windows of the mark book, registered by name so that the mark-book
// sub-menu opens them.
namespace km {

void register_markbook_windows();

}  // namespace km
