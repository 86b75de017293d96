#include "npy_reader.h"

#include <fstream>
#include <iterator>
#include <regex>
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
    const int lengthBytes = bytes[6] == 1 ? 2 : 4;
    const std::size_t start = 8 + lengthBytes;
    const std::size_t headerLength = little_endian(bytes, 8, lengthBytes);
    if (bytes.size() < start + headerLength) {
        throw std::runtime_error(path + " ends inside its header");
    }
    const std::string header(bytes.begin() + start, bytes.begin() + start + headerLength);
    std::smatch shape;
    if (header.find("'|u1'") == std::string::npos ||
        header.find("'fortran_order': False") == std::string::npos ||
        !std::regex_search(header, shape, std::regex(R"('shape': \((\d+), (\d+)\))"))) {
        throw std::runtime_error(path + " is not a C-ordered 2-D uint8 array: " + header);
    }
    ByteArray2D array{std::stoi(shape[1]), std::stoi(shape[2]), {}};
    const std::size_t count = static_cast<std::size_t>(array.rows) * array.cols;
    if (bytes.size() - start - headerLength != count) {
        throw std::runtime_error(path + " holds the wrong number of values");
    }
    array.values.assign(bytes.begin() + start + headerLength, bytes.end());
    return array;
}
