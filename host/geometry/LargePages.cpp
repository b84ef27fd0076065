// Large-page advice for big buffers (Linux; elsewhere nothing).
#include "host/geometry/LargePages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace host::geometry {

void AdviseLargePages(const void* data, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Below a large page there is nothing to gain. The advice covers the small pages the buffer
    // touches: a hint, harmless for whatever else shares its first and last page, and a buffer
    // that has its own mapping (as big ones do) is then advised whole.
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    constexpr std::uintptr_t kPage = 4096;
    if (data == nullptr || bytes < kLargePage) {
        return;
    }
    const std::uintptr_t begin = std::uintptr_t(data) & ~(kPage - 1);
    const std::uintptr_t end = (std::uintptr_t(data) + bytes + kPage - 1) & ~(kPage - 1);
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace host::geometry
