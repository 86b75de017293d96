#include "zeroed_array.h"

#include "work_crew.h"

#include <algorithm>
#include <cstdint>
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

#if defined(MADV_POPULATE_WRITE)
// The kernel clears every page of the block on its first touch, which for hundreds of
// megabytes is a good part of the work: asking for all pages up front lets the worker
// threads share the clearing. Where the kernel cannot, the pages come on first touch.
void populate(void* block, std::size_t bytes)
{
    constexpr std::size_t piece = std::size_t{2} << 20;
    const std::size_t pieces = (bytes + piece - 1) / piece;
    auto* first = static_cast<char*>(block);
    share_range(pieces, worth_sharing(bytes), [&](std::uint64_t begin, std::uint64_t end) {
        const std::size_t from = begin * piece;
        const std::size_t to = std::min<std::size_t>(end * piece, bytes);
        if (to > from) {
            madvise(first + from, to - from, MADV_POPULATE_WRITE);
        }
    });
}
#else
void populate(void*, std::size_t) {}
#endif

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
        populate(block, bytes);
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
