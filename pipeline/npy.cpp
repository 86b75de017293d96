#include "npy.h"

#include <bit>
#include <cstdint>
#include <string>

namespace {

constexpr char byte_order = std::endian::native == std::endian::little ? '<' : '>';

std::string shape_description(int rows, int columns)
{
    return std::string("{'descr': '") + byte_order + "c16', 'fortran_order': False, 'shape': (" +
           std::to_string(rows) + ", " + std::to_string(columns) + "), }";
}

} // namespace

QByteArray npy_header(int rows, int columns)
{
    // Magic, version 1.0, a little-endian 16-bit length, then the description, padded
    // with spaces and closed by a newline so that the whole header fills 64-byte lines.
    constexpr int preamble = 10;
    QByteArray description = QByteArray::fromStdString(shape_description(rows, columns));
    const int unpadded = preamble + static_cast<int>(description.size()) + 1;
    description.append((64 - unpadded % 64) % 64, ' ');
    description.append('\n');
    QByteArray header("\x93NUMPY\x01\x00", 8);
    header.append(static_cast<char>(description.size() & 0xff));
    header.append(static_cast<char>(description.size() >> 8));
    header.append(description);
    return header;
}

bool write_npy(QIODevice& device, const matrix& m)
{
    const QByteArray header = npy_header(m.get_rows(), m.get_cols() / 2);
    const qint64 bytes = static_cast<qint64>(m.size()) * qint64{sizeof(double)};
    return device.write(header) == header.size() &&
           device.write(reinterpret_cast<const char*>(m.get_data()), bytes) == bytes;
}
