#include "support/dirty_stack.h"

#include <cstddef>

namespace {

// Far more than the program's deepest reader uses below its caller.
const size_t DIRTY_BYTES = 8192;

}  // namespace

// Out of line, and the area handed to an empty asm that may read it:
// otherwise the compiler drops a fill that no one reads.
__attribute__((noinline)) void DirtyStack()
{
    unsigned char area[DIRTY_BYTES];
    for (size_t i = 0; i < DIRTY_BYTES; i++)
        area[i] = STACK_DIRT;
    __asm__ volatile("" : : "r"(area) : "memory");
}
