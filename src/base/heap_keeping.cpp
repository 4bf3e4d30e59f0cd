// Freed memory kept for the next frame: see the header.
#include "heap_keeping.h"

#include <malloc.h>

namespace {

// Blocks up to this size come from the heap, where a free keeps them; the
// C library allows no larger threshold.
constexpr int LARGEST_HEAP_BLOCK = 32 * 1024 * 1024;
// Free memory at the top of the heap is given back only beyond this.
constexpr int KEPT_FREE_TOP = 256 * 1024 * 1024;

}  // namespace

void keep_freed_memory_for_the_next_frame() {
    mallopt(M_MMAP_THRESHOLD, LARGEST_HEAP_BLOCK);
    mallopt(M_TRIM_THRESHOLD, KEPT_FREE_TOP);
}
