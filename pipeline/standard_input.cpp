#include "picture_input.h"

#include "Exception.h"
#include "byte_counts.h"
#include "memory_budget.h"
#include "picture_refusal.h"
#include "picture_scan.h"
#include "quiet_libraries.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr qsizetype piece = qsizetype{1} << 16;

const QString standard_input_name = QStringLiteral("-");

[[noreturn]] void refuse_standard_input(const QString& reason)
{
    refuse_picture(standard_input_name, reason);
}

// The bytes a file of a picture of `pixels` pixels takes at most: four times the largest
// stored pixel (16-bit RGBA) for the plain-text PNM formats and run-length codes, and room
// for headers, colour profiles and other metadata.
std::uint64_t largest_picture_file(std::uint64_t pixels)
{
    constexpr std::uint64_t bytes_a_pixel = 32;
    constexpr std::uint64_t besides = std::uint64_t{16} << 20;
    return bmp::saturating_sum(bmp::saturating_product(pixels, bytes_a_pixel), besides);
}

// Reads up to `count` more bytes onto the end of `bytes`; how many, 0 at the end.
qsizetype read_more(QByteArray& bytes, qsizetype count)
{
    const qsizetype had = bytes.size();
    bytes.resize(had + count);
    ssize_t got = -1;
    do {
        got = ::read(STDIN_FILENO, bytes.data() + had, static_cast<std::size_t>(count));
    } while (got < 0 && errno == EINTR);
    const int error = errno;
    bytes.resize(had + std::max<qsizetype>(got, 0));
    if (got < 0) {
        refuse_standard_input(QCoreApplication::translate("standard input", "reading it failed: %1")
                                  .arg(QString::fromLocal8Bit(std::strerror(error))));
    }
    return got;
}

// What standard input may hold: the bytes and why no more.
struct input_bound
{
    std::uint64_t bytes = 0;
    QString reason;
};

input_bound tighter(const input_bound& a, const input_bound& b)
{
    return a.bytes <= b.bytes ? a : b;
}

// The sides the header in `first` declares; invalid for a BMP file (its own reader counts
// them) and when the format keeps them further on (a TIFF directory can stand at the end).
// Raises Exception when `first` shows no picture format Widmo reads.
QSize declared_sides(const QByteArray& first)
{
    if (first.startsWith("BM")) {
        return {};
    }
    const quiet_libraries quiet;
    QBuffer buffer;
    buffer.setData(first);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        const QString kind = refused_kind(first);
        throw Exception(kind.isEmpty() ? QCoreApplication::translate(
                                             "standard input",
                                             "its first bytes show no picture format Widmo reads")
                                       : kind);
    }
    return reader.size();
}

input_bound bound_for(const QSize& sides)
{
    // Half of what is free: the bytes are kept while the picture is decoded from them, and
    // growing them copies them once more.
    const std::uint64_t available = available_memory();
    input_bound bound{
        available > memory_reserve ? (available - memory_reserve) / 2 : 0,
        QCoreApplication::translate("standard input", "more than half the memory available holds")};
    const std::uint64_t cap = padded_pixel_cap();
    if (cap != no_pixel_cap) {
        bound = tighter(bound, {largest_picture_file(cap),
                                QCoreApplication::translate(
                                    "standard input", "more than any picture of at most %1 pixels "
                                                      "is stored in")
                                    .arg(cap)});
    }
    if (sides.isValid() && !sides.isEmpty()) {
        require_memory(sides.width(), sides.height(),
                       picture_bytes(sides.width(), sides.height(), 32),
                       QCoreApplication::translate("memory", "to load it").toStdString());
        const auto pixels =
            static_cast<std::uint64_t>(sides.width()) * static_cast<std::uint64_t>(sides.height());
        bound = tighter(bound, {largest_picture_file(pixels),
                                QCoreApplication::translate(
                                    "standard input", "more than any %1 x %2 picture is stored in")
                                    .arg(sides.width())
                                    .arg(sides.height())});
    }
    return bound;
}

void read_rest(QByteArray& bytes, const input_bound& bound)
{
    while (true) {
        if (static_cast<std::uint64_t>(bytes.size()) > bound.bytes) {
            refuse_standard_input(
                QCoreApplication::translate("standard input", "it goes on past %1, %2")
                    .arg(QString::fromStdString(memory_text(bound.bytes)), bound.reason));
        }
        if (bytes.capacity() - bytes.size() < piece) {
            const auto most = static_cast<qsizetype>(
                std::min<std::uint64_t>(bound.bytes + piece, std::uint64_t{1} << 62));
            bytes.reserve(std::min(most, std::max(2 * bytes.capacity(), bytes.size() + piece)));
        }
        if (read_more(bytes, piece) == 0) {
            return;
        }
    }
}

} // namespace

QByteArray read_standard_input()
{
    QByteArray bytes;
    while (bytes.size() < piece && read_more(bytes, piece - bytes.size()) > 0) {
    }
    if (bytes.isEmpty()) {
        refuse_standard_input(QCoreApplication::translate("standard input", "it is empty"));
    }
    input_bound bound;
    naming_the_file(standard_input_name, [&] { bound = bound_for(declared_sides(bytes)); });
    read_rest(bytes, bound);
    return bytes;
}
