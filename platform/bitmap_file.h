#pragma once

#include "bmp_source.h"

#include <cstdint>
#include <string>

// A picture file open for reading by the BMP codec. Opening never blocks, and anything
// but a regular file (a folder, a FIFO, a device) is refused at once. Raises Exception
// with the system's reason when the file cannot be opened or read.
class bitmap_file final : public bmp::byte_source
{
public:
    explicit bitmap_file(const std::string& file_name);
    bitmap_file(const bitmap_file&) = delete;
    bitmap_file& operator=(const bitmap_file&) = delete;
    ~bitmap_file() override;

    std::uint64_t size() const override { return length; }
    std::size_t read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count) override;

private:
    int fd = -1;
    std::uint64_t length = 0;
};
