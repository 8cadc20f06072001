#include "platform/heap_settings.h"

#include <malloc.h>

namespace km::platform {

namespace {

constexpr int mapped_from_bytes = 1 << 20;
constexpr int kept_at_top_bytes = 4 << 20;

}  // namespace

// The workbook writer's zip compressor takes about 260 KB of buffers for
// each part of the file it packs and frees them again. By default the heap
// hands memory freed at its top back to the system once more than 128 KB
// lies there, and the next part has the kernel map and clear it anew: tens
// of times per saved workbook, over a tenth of the save's time. With fixed
// thresholds the heap keeps up to 4 MiB free for reuse. Fixed thresholds
// also stop the C library from raising them on its own as large blocks
// come and go, so the process's memory use does not hang on what it
// happened to free first.
void use_steady_heap() {
  mallopt(M_MMAP_THRESHOLD, mapped_from_bytes);
  mallopt(M_TRIM_THRESHOLD, kept_at_top_bytes);
}

}  // namespace km::platform
