#include "bmp_source.h"

#include <algorithm>
#include <cstring>

namespace bmp {

std::size_t memory_source::read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count)
{
    if (offset >= contents.size() || count == 0) {
        return 0;
    }
    // offset < size: the subtraction cannot wrap.
    const std::size_t length = std::min<std::uint64_t>(count, contents.size() - offset);
    std::memcpy(to, contents.data() + offset, length);
    return length;
}

bool read_exact(byte_source& source, std::uint64_t offset, std::span<std::uint8_t> to)
{
    return source.read_at(offset, to.data(), to.size()) == to.size();
}

chunk_reader::chunk_reader(byte_source& source, std::uint64_t begin, std::uint64_t end)
    : file(source), position(begin), stop(end),
      buffer(std::min<std::uint64_t>(chunk_bytes, end - begin))
{
}

void chunk_reader::refill(fault at_end)
{
    // position <= stop always: it only grows by what was read of the range.
    const std::size_t wanted = std::min<std::uint64_t>(buffer.size(), stop - position);
    filled = wanted == 0 ? 0 : file.read_at(position, buffer.data(), wanted);
    if (filled == 0) {
        refuse(at_end);
    }
    position += filled;
    at = 0;
}

} // namespace bmp
