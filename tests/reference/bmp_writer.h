#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes Windows BMP files for tests, independently of the loader under test.
struct BmpPicture
{
    int width = 0;
    int height = 0;
    int bits = 8;                       // 1, 4, 8, 24 or 32
    std::vector<std::uint32_t> colours; // palette as 0xRRGGBB, for 1, 4 and 8 bits
    std::vector<std::uint32_t> pixels;  // row 0 at the top: an index, or 0xRRGGBB
    bool topDown = false;               // store rows top first (negative height)

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A palette of 256 greys (index i = grey i).
std::vector<std::uint32_t> grey_colours();

// The file's bytes, and the same written to `path`.
std::vector<std::uint8_t> encode_bmp(const BmpPicture& picture);
void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
void write_bmp(const std::string& path, const BmpPicture& picture);

// An 8-bit grey picture of the given pixels (row 0 at the top).
BmpPicture grey_picture(int width, int height, const std::vector<std::uint32_t>& pixels);

// A file name in a fresh temporary folder that lives as long as the process.
std::string temp_path(const std::string& name);
