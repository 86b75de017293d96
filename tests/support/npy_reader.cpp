#include "npy_reader.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::vector<char> file_bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + path);
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t little_endian(const std::vector<char>& bytes, std::size_t at, int count)
{
    std::size_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

} // namespace

ByteArray2D read_npy(const std::string& path)
{
    const std::vector<char> bytes = file_bytes(path);
    const std::string magic = "\x93NUMPY";
    if (bytes.size() < 10 || std::string(bytes.begin(), bytes.begin() + 6) != magic) {
        throw std::runtime_error(path + " is not a .npy file");
    }
    // Version 1 counts the header in 2 bytes, versions 2 and 3 in 4.
    const int length_bytes = bytes[6] == 1 ? 2 : 4;
    const std::size_t start = 8 + length_bytes;
    const std::size_t header_length = little_endian(bytes, 8, length_bytes);
    if (bytes.size() < start + header_length) {
        throw std::runtime_error(path + " ends inside its header");
    }
    const std::string header(bytes.begin() + start, bytes.begin() + start + header_length);
    const std::size_t shape = header.find("'shape': (");
    ByteArray2D array{};
    if (header.find("'|u1'") == std::string::npos ||
        header.find("'fortran_order': False") == std::string::npos || shape == std::string::npos ||
        std::sscanf(header.c_str() + shape, "'shape': (%d, %d)", &array.rows, &array.cols) != 2) {
        throw std::runtime_error(path + " is not a C-ordered 2-D uint8 array: " + header);
    }
    const std::size_t count = static_cast<std::size_t>(array.rows) * array.cols;
    if (bytes.size() - start - header_length != count) {
        throw std::runtime_error(path + " holds the wrong number of values");
    }
    array.values.assign(bytes.begin() + start + header_length, bytes.end());
    return array;
}
