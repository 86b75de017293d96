#include "zeroed_array.h"

#include "work_crew.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <new>
#include <sstream>
#include <string>
#include <vector>

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

// Calls clear(from, to) on pieces of [0, bytes), shared among the worker threads.
template <typename Clear> void in_pieces(std::size_t bytes, const Clear& clear)
{
    constexpr std::size_t piece = std::size_t{2} << 20;
    const std::size_t pieces = (bytes + piece - 1) / piece;
    share_range(pieces, worth_sharing(bytes), [&](std::uint64_t begin, std::uint64_t end) {
        const std::size_t from = begin * piece;
        const std::size_t to = std::min<std::size_t>(end * piece, bytes);
        if (to > from) {
            clear(from, to);
        }
    });
}

// Large pages make the transform a few per cent faster and the pages quicker to map, but
// where the kernel makes them on request by compacting memory (transparent_hugepage/defrag
// "madvise", Debian's default), a gigabyte asked for while the page cache fills memory took
// seconds of compaction: the first large spectrum took twice the time of the next. So they
// are asked for only when the free lists hold plenty of them already.
bool large_pages_free_for(std::size_t bytes)
{
#if defined(__linux__)
    std::ifstream file("/proc/buddyinfo");
    std::string text;
    std::string line;
    for (int lines = 0; lines < 64 && std::getline(file, line); ++lines) {
        text += line;
        text += '\n';
    }
    // Twice the block's: taking nearly all of them drives the free memory below the kernel's
    // marks, and the compaction comes anyway.
    return free_large_pages(text) >= 2 * (bytes / (std::size_t{2} << 20) + 1);
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
    auto* first = static_cast<char*>(block);
    in_pieces(bytes, [&](std::size_t from, std::size_t to) {
        madvise(first + from, to - from, MADV_POPULATE_WRITE);
    });
}
#else
void populate(void*, std::size_t) {}
#endif

// The blocks given back while a keeping_large_blocks lives.
class kept_blocks
{
public:
    // `most` blocks at a time are kept until the last stop().
    void start(std::size_t most)
    {
        const std::lock_guard held(lock);
        if (keepers++ == 0) {
            most_kept = most;
        }
    }

    void stop()
    {
        const std::lock_guard held(lock);
        if (--keepers == 0) {
            release_all();
        }
    }

    // A kept block of `bytes`, or nullptr; the kept blocks of other sizes go back, so that
    // no more is kept than the pictures of the present size need.
    void* take(std::size_t bytes)
    {
        const std::lock_guard held(lock);
        void* found = nullptr;
        for (auto k = blocks.begin(); k != blocks.end(); ++k) {
            if (k->bytes == bytes) {
                found = k->start;
                blocks.erase(k);
                break;
            }
        }
        if (found == nullptr) {
            release_all();
        }
        return found;
    }

    // Whether the block is kept (at most one for each worker thread, each of which has one
    // picture in hand at a time); when not, the caller gives it back.
    bool keep(void* block, std::size_t bytes) noexcept
    {
        const std::lock_guard held(lock);
        if (keepers == 0 || blocks.size() >= most_kept) {
            return false;
        }
        try {
            blocks.push_back({block, bytes});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

private:
    struct block_record
    {
        void* start;
        std::size_t bytes;
    };

    void release_all() noexcept
    {
#if defined(__linux__)
        for (const block_record& block : blocks) {
            munmap(block.start, block.bytes);
        }
#endif
        blocks.clear();
    }

    std::mutex lock;
    int keepers = 0;
    std::size_t most_kept = 0;
    std::vector<block_record> blocks;
};

kept_blocks& kept()
{
    static kept_blocks blocks;
    return blocks;
}

} // namespace

std::uint64_t free_large_pages(std::string_view buddyinfo)
{
    // Blocks of order 9 (2 MiB) and above; order k holds 2^(k - 9) of them.
    constexpr int large_order = 9;
    constexpr int highest_order = 20;
    std::uint64_t count = 0;
    std::istringstream lines{std::string(buddyinfo)};
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t zone = line.find("zone");
        if (zone == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(zone + 4));
        std::string name;
        fields >> name;
        std::uint64_t blocks = 0;
        for (int order = 0; order <= highest_order && fields >> blocks; ++order) {
            if (order >= large_order && blocks < (std::uint64_t{1} << 40)) {
                count += blocks << (order - large_order);
            }
        }
    }
    return count;
}

keeping_large_blocks::keeping_large_blocks()
{
    // Asked here, before any block is given back: the crew's own lock may be held by a
    // thread that gives one back.
    kept().start(static_cast<std::size_t>(worker_threads()));
}

keeping_large_blocks::~keeping_large_blocks()
{
    kept().stop();
}

void* allocate_zeroed(std::size_t bytes)
{
#if defined(__linux__)
    if (from_kernel(bytes)) {
        if (void* reused = kept().take(bytes)) {
            auto* first = static_cast<char*>(reused);
            in_pieces(bytes, [&](std::size_t from, std::size_t to) {
                std::memset(first + from, 0, to - from);
            });
            return reused;
        }
        void* block =
            mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::bad_alloc();
        }
        if (large_pages_free_for(bytes)) {
            madvise(block, bytes, MADV_HUGEPAGE);
        }
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
        if (!kept().keep(block, bytes)) {
            munmap(block, bytes);
        }
        return;
    }
#endif
    std::free(block);
}
