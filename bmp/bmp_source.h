#pragma once

#include "bmp_failure.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace bmp {

// Where the bytes of a file come from: a file on disk, or bytes already in memory.
class byte_source
{
public:
    virtual ~byte_source() = default;

    // The length of the whole file.
    virtual std::uint64_t size() const = 0;

    // Copies up to `count` bytes from `offset` on into `to` and returns how many; fewer
    // only where the file ends.
    virtual std::size_t read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count) = 0;
};

class memory_source final : public byte_source
{
public:
    explicit memory_source(std::span<const std::uint8_t> file_bytes) : contents(file_bytes) {}

    std::uint64_t size() const override { return contents.size(); }
    std::size_t read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count) override;

private:
    std::span<const std::uint8_t> contents;
};

// Fills `to` from `offset` on; false when the file ends first.
bool read_exact(byte_source& source, std::uint64_t offset, std::span<std::uint8_t> to);

// Reads the bytes [begin, end) of a source in order, one chunk at a time, so that a
// stream of any length costs one chunk of memory.
class chunk_reader
{
public:
    static constexpr std::size_t chunk_bytes = std::size_t{64} << 10;

    // `begin` <= `end` <= the source's size.
    chunk_reader(byte_source& source, std::uint64_t begin, std::uint64_t end);

    // The next byte; refuses with `at_end` when the range (or the file) has ended.
    std::uint8_t next(fault at_end)
    {
        if (at == filled) {
            refill(at_end);
        }
        return buffer[at++];
    }

private:
    void refill(fault at_end);

    byte_source& file;
    std::uint64_t position; // of the byte after the buffered ones
    std::uint64_t stop;
    std::vector<std::uint8_t> buffer;
    std::size_t at = 0;
    std::size_t filled = 0;
};

} // namespace bmp
