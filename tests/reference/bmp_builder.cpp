#include "bmp_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void put_info_header(std::vector<std::uint8_t>& out, const RawBmp& b)
{
    put(out, b.header_size, 4);
    if (b.header_size == 12) {
        put(out, static_cast<std::uint32_t>(b.width), 2);
        put(out, static_cast<std::uint32_t>(b.height), 2);
        put(out, b.planes, 2);
        put(out, b.bits, 2);
        return;
    }
    put(out, static_cast<std::uint32_t>(b.width), 4);
    put(out, static_cast<std::uint32_t>(b.height), 4);
    put(out, b.planes, 2);
    put(out, b.bits, 2);
    if (b.header_size < 40) {
        return;
    }
    put(out, b.compression, 4);
    put(out, static_cast<std::uint32_t>(b.pixels.size()), 4);
    put(out, 2835, 4);
    put(out, 2835, 4);
    put(out, b.colourCount.value_or(static_cast<std::uint32_t>(b.colours.size())), 4);
    put(out, 0, 4);
    for (std::uint32_t i = 0; i < (b.header_size - 40) / 4; ++i) {
        put(out, i < b.masks.size() ? b.masks[i] : 0, 4);
    }
}

} // namespace

std::vector<std::uint8_t> RawBmp::bytes() const
{
    std::vector<std::uint8_t> info;
    put_info_header(info, *this);
    if (header_size == 40) {
        for (std::uint32_t mask : masks) {
            put(info, mask, 4);
        }
    }
    for (std::uint32_t colour : colours) {
        put(info, colour, header_size == 12 ? 3 : 4);
    }
    const std::uint32_t offset = pixelOffset.value_or(14 + static_cast<std::uint32_t>(info.size()));
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put(out, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    put(out, 0, 4);
    put(out, offset, 4);
    out.insert(out.end(), info.begin(), info.end());
    out.resize(std::max<std::size_t>(out.size(), offset), 0);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<std::uint8_t> stored_rows(int rows, int row_bytes, std::uint8_t value)
{
    const int stride = (row_bytes + 3) / 4 * 4;
    std::vector<std::uint8_t> out;
    for (int y = 0; y < rows; ++y) {
        out.insert(out.end(), row_bytes, value);
        out.insert(out.end(), stride - row_bytes, 0);
    }
    return out;
}

RawBmp grey_palette(int width, int height)
{
    RawBmp b;
    b.width = width;
    b.height = height;
    for (std::uint32_t i = 0; i < 256; ++i) {
        b.colours.push_back(i * 0x010101);
    }
    return b;
}

RawBmp rle8(int width, int height, std::vector<std::uint8_t> stream)
{
    RawBmp b = grey_palette(width, height);
    b.compression = 1;
    b.pixels = std::move(stream);
    return b;
}

RawBmp rle4(int width, int height, std::vector<std::uint8_t> stream)
{
    RawBmp b = rle8(width, height, std::move(stream));
    b.bits = 4;
    b.compression = 2;
    b.colours.resize(16);
    return b;
}

std::vector<std::uint8_t> repeated(const std::vector<std::uint8_t>& codes, std::size_t times)
{
    // Doubling what is there: a few dozen copies, however many times.
    std::vector<std::uint8_t> out(codes.size() * times);
    const std::size_t length = out.size();
    std::copy(codes.begin(), codes.end(), out.begin());
    for (std::size_t done = codes.size(); done > 0 && done < length; done *= 2) {
        std::copy_n(out.begin(), std::min(done, length - done), out.begin() + done);
    }
    return out;
}

void write_sparse_file(const std::string& path, const std::vector<std::uint8_t>& head,
                       std::uint64_t size)
{
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(head.data()),
                   static_cast<std::streamsize>(head.size()));
        if (!file) {
            throw std::runtime_error("cannot write " + path);
        }
    }
    if (truncate(path.c_str(), static_cast<off_t>(size)) != 0) {
        throw std::runtime_error("cannot make the sparse file " + path);
    }
}
