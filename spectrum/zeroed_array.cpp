#include "zeroed_array.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Below this, the allocator's own zeroed blocks serve as well and waste no pages.
constexpr std::size_t large_block = std::size_t{4} << 20;

bool from_kernel(std::size_t bytes)
{
#if defined(__linux__)
    return bytes >= large_block;
#else
    (void)bytes;
    return false;
#endif
}

} // namespace

void* allocate_zeroed(std::size_t bytes)
{
#if defined(__linux__)
    if (from_kernel(bytes)) {
        void* block =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Only a hint: where large pages cannot be had, the data are the same.
        madvise(block, bytes, MADV_HUGEPAGE);
        return block;
    }
#endif
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void zeroed_release::operator()(void* block) const noexcept
{
    if (block == nullptr) {
        return;
    }
#if defined(__linux__)
    if (from_kernel(bytes)) {
        munmap(block, bytes);
        return;
    }
#endif
    std::free(block);
}
