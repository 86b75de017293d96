// Writes the fuzzer's seed corpus: one small file of every BMP variant the loader reads.
#include "bmp_builder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> colours(int count)
{
    std::vector<std::uint32_t> table;
    for (int i = 0; i < count; ++i) {
        table.push_back(static_cast<std::uint32_t>(i) * 0x9e3779u & 0xffffff);
    }
    return table;
}

RawBmp uncompressed(int bits, int width, int height)
{
    RawBmp b;
    b.width = width;
    b.height = height;
    b.bits = static_cast<std::uint16_t>(bits);
    if (bits <= 8) {
        b.colours = colours(1 << bits);
    }
    const int rowBytes = (width * bits + 7) / 8;
    b.pixels = stored_rows(height < 0 ? -height : height, rowBytes, 0x5a);
    return b;
}

RawBmp bitfields(int bits, std::vector<std::uint32_t> masks, std::uint32_t headerSize)
{
    RawBmp b = uncompressed(bits, 7, 5);
    b.compression = 3;
    b.headerSize = headerSize;
    b.masks = std::move(masks);
    return b;
}

RawBmp run_length(int bits, std::vector<std::uint8_t> stream)
{
    RawBmp b;
    b.width = 8;
    b.height = 3;
    b.bits = static_cast<std::uint16_t>(bits);
    b.compression = bits == 8 ? 1 : 2;
    b.colours = colours(1 << bits);
    b.pixels = std::move(stream);
    return b;
}

void save(const std::filesystem::path& folder, const std::string& name, const RawBmp& b)
{
    const std::vector<std::uint8_t> bytes = b.bytes();
    std::ofstream file(folder / (name + ".bmp"), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        save(folder, "rgb" + std::to_string(bits), uncompressed(bits, 9, 6));
        save(folder, "topdown" + std::to_string(bits), uncompressed(bits, 5, -4));
    }
    RawBmp os2 = uncompressed(8, 6, 4);
    os2.headerSize = 12;
    save(folder, "os2-8", os2);
    RawBmp os2v2 = uncompressed(4, 6, 4);
    os2v2.headerSize = 64;
    save(folder, "os2v2-4", os2v2);
    save(folder, "bitfields565", bitfields(16, {0xf800, 0x07e0, 0x001f}, 40));
    save(folder, "bitfields555-v4", bitfields(16, {0x7c00, 0x03e0, 0x001f}, 108));
    save(folder, "bitfields32-v5", bitfields(32, {0xff0000, 0xff00, 0xff}, 124));
    save(folder, "bitfields32-101010", bitfields(32, {0x3ff00000, 0xffc00, 0x3ff}, 52));
    // Runs, a literal stretch, a jump, ends of rows and the end mark.
    save(folder, "rle8", run_length(8, {3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 2, 1, 2, 7, 0, 1}));
    save(folder, "rle4",
         run_length(4, {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 3, 0x77, 0, 1}));
    return 0;
}
