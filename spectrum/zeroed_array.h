#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// Arrays of zeros, for the matrix. A large one comes straight from the kernel: fresh
// pages are zero already, so nothing has to clear them a second time, and on Linux they
// are asked for all at once (MADV_POPULATE_WRITE) rather than fault by fault.
struct zeroed_release
{
    std::size_t bytes;
    void operator()(void* block) const noexcept;
};

// While one of these lives, large blocks given back are kept (a few, as long as the next
// ones asked for have their size) and handed out again cleared by the worker threads, rather
// than returned to the kernel and mapped afresh: on a batch of pictures of one size, fresh
// pages cost the kernel's clearing on every picture, which on a virtual machine is slower
// than clearing the kept block. When the last one ends, the kept blocks go back.
class keeping_large_blocks
{
public:
    keeping_large_blocks();
    ~keeping_large_blocks();
    keeping_large_blocks(const keeping_large_blocks&) = delete;
    keeping_large_blocks& operator=(const keeping_large_blocks&) = delete;
};

// How many free blocks of 2 MiB the kernel's free lists hold, from the text of
// /proc/buddyinfo (a line per zone: "Node 0, zone Normal" and the free blocks of 4 KiB x 2^k
// for k = 0, 1, ...); 0 for text that is not in that form.
std::uint64_t free_large_pages(std::string_view buddyinfo);

// `bytes` bytes of zeros; raises std::bad_alloc when they cannot be had.
void* allocate_zeroed(std::size_t bytes);

template <typename T> using zeroed_array = std::unique_ptr<T[], zeroed_release>;

// `count` zero elements; the caller has checked that count x sizeof(T) does not overflow.
template <typename T> zeroed_array<T> make_zeroed_array(std::size_t count)
{
    const std::size_t bytes = count * sizeof(T);
    return zeroed_array<T>(static_cast<T*>(allocate_zeroed(bytes)), zeroed_release{bytes});
}
