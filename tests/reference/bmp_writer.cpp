#include "bmp_writer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

std::vector<std::uint8_t> encode_row(const BmpPicture& p, int y)
{
    const std::size_t stride = (static_cast<std::size_t>(p.width) * p.bits + 31) / 32 * 4;
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < p.width; ++x) {
        const std::uint32_t v = p.at(x, y);
        switch (p.bits) {
        case 1:
            row[x / 8] = std::uint8_t(row[x / 8] | (v & 1) << (7 - x % 8));
            break;
        case 4:
            row[x / 2] = std::uint8_t(row[x / 2] | (v & 15) << (x % 2 == 0 ? 4 : 0));
            break;
        case 8:
            row[x] = v & 0xff;
            break;
        default: {
            const int bytes = p.bits / 8;
            row[x * bytes] = v & 0xff;
            row[x * bytes + 1] = (v >> 8) & 0xff;
            row[x * bytes + 2] = (v >> 16) & 0xff;
        }
        }
    }
    return row;
}

} // namespace

std::vector<std::uint32_t> grey_colours()
{
    std::vector<std::uint32_t> colours(256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        colours[i] = i * 0x010101;
    }
    return colours;
}

std::vector<std::uint8_t> encode_bmp(const BmpPicture& p)
{
    const std::size_t stride = (static_cast<std::size_t>(p.width) * p.bits + 31) / 32 * 4;
    const std::uint32_t tableBytes =
        p.bits <= 8 ? 4 * static_cast<std::uint32_t>(p.colours.size()) : 0;
    const std::uint32_t offset = 14 + 40 + tableBytes;
    const std::uint32_t image_bytes = static_cast<std::uint32_t>(stride * p.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image_bytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(p.width));
    put32(out, static_cast<std::uint32_t>(p.topDown ? -p.height : p.height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(p.bits));
    put32(out, 0); // uncompressed
    put32(out, image_bytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, p.bits <= 8 ? static_cast<std::uint32_t>(p.colours.size()) : 0);
    put32(out, 0);
    if (p.bits <= 8) {
        for (std::uint32_t c : p.colours) {
            put32(out, c & 0xffffff); // blue, green, red, 0
        }
    }
    for (int i = 0; i < p.height; ++i) {
        const int y = p.topDown ? i : p.height - 1 - i;
        const std::vector<std::uint8_t> row = encode_row(p, y);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

void write_bmp(const std::string& path, const BmpPicture& picture)
{
    write_file(path, encode_bmp(picture));
}

BmpPicture grey_picture(int width, int height, const std::vector<std::uint32_t>& pixels)
{
    return BmpPicture{width, height, 8, grey_colours(), pixels, false};
}

std::string temp_path(const std::string& name)
{
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "widmo-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        return std::filesystem::path(pattern);
    }();
    return (folder / name).string();
}
