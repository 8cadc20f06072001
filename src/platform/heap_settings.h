#pragma once
// How the C library's heap gives memory back to the system.

namespace km::platform {

// Fixes the heap's thresholds for the whole process: blocks of 1 MiB and
// more are mapped on their own, and freed memory at the top of the heap is
// handed back only when more than 4 MiB of it lies there. Called once, at
// the start of main, before anything else allocates.
void use_steady_heap();

}  // namespace km::platform
