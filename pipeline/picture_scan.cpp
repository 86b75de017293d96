#include "picture_scan.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <optional>

namespace {

// Reads a device from its start in pieces of 64 KiB: byte by byte, or skipping.
class byte_walk
{
public:
    explicit byte_walk(QIODevice& file) : device(file) { device.seek(0); }

    // The next byte, or nothing at the end of the file.
    std::optional<std::uint8_t> next()
    {
        if (at == buffer.size() && !refill()) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(buffer[at++]);
    }

    // Steps past the next byte of `value`, looked for a buffer at a time; false when the
    // file ends first.
    bool skip_past(std::uint8_t value)
    {
        while (at < buffer.size() || refill()) {
            const char* start = buffer.constData() + at;
            const auto* found = static_cast<const char*>(
                std::memchr(start, value, static_cast<std::size_t>(buffer.size() - at)));
            if (found != nullptr) {
                at += found - start + 1;
                return true;
            }
            at = buffer.size();
        }
        return false;
    }

    // Steps over `count` bytes; false when the file ends first.
    bool skip(qint64 count)
    {
        const qint64 buffered = std::min<qint64>(count, buffer.size() - at);
        at += buffered;
        const qint64 rest = count - buffered;
        if (rest == 0) {
            return true;
        }
        return rest <= device.size() - device.pos() && device.seek(device.pos() + rest);
    }

    // A big-endian (JPEG) or little-endian (GIF) 16-bit number.
    std::optional<int> two_bytes(bool big_endian)
    {
        const auto first = next();
        const auto second = next();
        if (!first || !second) {
            return std::nullopt;
        }
        return big_endian ? *first << 8 | *second : *second << 8 | *first;
    }

private:
    // The next piece of the file in the buffer; false at its end.
    bool refill()
    {
        buffer = device.read(piece);
        at = 0;
        return !buffer.isEmpty();
    }

    static constexpr qint64 piece = qint64{1} << 16;
    QIODevice& device;
    QByteArray buffer;
    qsizetype at = 0;
};

QString cut_short()
{
    return QCoreApplication::translate("picture",
                                       "the file is cut short: it ends before its end marker");
}

bool is_standalone_marker(std::uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7);
}

// Steps over entropy-coded data to the marker after it, past byte stuffing (FF 00), fill
// bytes (FF) and restart markers. The marker, or nothing at the end of the file.
std::optional<std::uint8_t> marker_after_scan(byte_walk& walk)
{
    while (walk.skip_past(0xff)) {
        std::optional<std::uint8_t> byte = walk.next();
        while (byte == 0xff) {
            byte = walk.next();
        }
        if (!byte) {
            return std::nullopt;
        }
        if (*byte != 0x00 && !is_standalone_marker(*byte)) {
            return byte;
        }
    }
    return std::nullopt;
}

// The next marker's code, past any fill bytes (FF) and stray bytes before it.
std::optional<std::uint8_t> next_marker(byte_walk& walk)
{
    bool after_ff = false;
    while (const auto byte = walk.next()) {
        if (after_ff && *byte != 0xff) {
            return byte;
        }
        after_ff = *byte == 0xff;
    }
    return std::nullopt;
}

QString jpeg_fault(QIODevice& file, QSize sides)
{
    const auto pixels =
        static_cast<std::uint64_t>(sides.width()) * static_cast<std::uint64_t>(sides.height());
    const auto bytes = static_cast<std::uint64_t>(file.size());
    if (bytes < pixels / most_jpeg_pixels_a_byte) {
        return QCoreApplication::translate(
                   "picture",
                   "its %1 bytes are far too few for the %2 x %3 pixels it declares (a JPEG "
                   "file holds at least one byte for every %4 pixels)")
            .arg(bytes)
            .arg(sides.width())
            .arg(sides.height())
            .arg(most_jpeg_pixels_a_byte);
    }
    byte_walk walk(file);
    int scans = 0;
    std::optional<std::uint8_t> marker = next_marker(walk);
    while (marker && *marker != 0xd9) {
        if (is_standalone_marker(*marker) || *marker == 0xd8) {
            marker = next_marker(walk);
            continue;
        }
        const auto length = walk.two_bytes(true);
        if (!length || *length < 2 || !walk.skip(*length - 2)) {
            return cut_short();
        }
        if (*marker != 0xda) {
            marker = next_marker(walk);
            continue;
        }
        if (++scans > most_jpeg_scans) {
            return QCoreApplication::translate(
                       "picture", "it has more than %1 scans, more than any real JPEG file needs")
                .arg(most_jpeg_scans);
        }
        marker = marker_after_scan(walk);
    }
    return marker ? QString() : cut_short();
}

// Steps over a chain of GIF data sub-blocks up to its empty block, handing each byte to
// `take` when one is given.
bool skip_sub_blocks(byte_walk& walk, const std::function<void(std::uint8_t)>& take = {})
{
    while (const auto length = walk.next()) {
        if (*length == 0) {
            return true;
        }
        if (!take) {
            if (!walk.skip(*length)) {
                return false;
            }
            continue;
        }
        for (int k = 0; k < *length; ++k) {
            const auto byte = walk.next();
            if (!byte) {
                return false;
            }
            take(*byte);
        }
    }
    return false;
}

// Steps over a colour table when `flags` announce one.
bool skip_colour_table(byte_walk& walk, std::uint8_t flags)
{
    return (flags & 0x80) == 0 || walk.skip(qint64{3} << ((flags & 0x07) + 1));
}

// Counts the pixels the LZW codes of a GIF image stand for: each code stands for as many as
// the string it names is long, which a table of the strings' lengths alone tells.
class lzw_pixel_count
{
public:
    // `root_bits` is the image's code size byte: 1 to 8 bits for its colours' indices.
    explicit lzw_pixel_count(int root_bits)
        : clear(usable(root_bits) ? 1 << root_bits : 2), broken(!usable(root_bits))
    {
        std::fill(lengths.begin(), lengths.begin() + clear, 1u);
        restart();
    }

    // Bytes after the end code, or after a damaged code, are not looked at.
    void feed(std::uint8_t byte)
    {
        if (ended || broken) {
            return;
        }
        bits |= std::uint32_t{byte} << held;
        held += 8;
        while (held >= code_bits && !ended && !broken) {
            const auto code = static_cast<int>(bits & ((1u << code_bits) - 1));
            bits >>= code_bits;
            held -= code_bits;
            take(code);
        }
    }

    std::uint64_t pixels() const { return count; }
    bool damaged() const { return broken; }

private:
    static bool usable(int root_bits) { return root_bits >= 1 && root_bits <= 8; }

    void restart()
    {
        code_bits = std::countr_zero(static_cast<unsigned>(clear)) + 1;
        next = clear + 2;
        previous = -1;
    }

    void take(int code)
    {
        if (code == clear) {
            restart();
            return;
        }
        if (code == clear + 1) {
            ended = true;
            return;
        }
        const bool known = previous < 0 ? code < clear : code <= next;
        if (!known) {
            broken = true;
            return;
        }
        count += code < next ? lengths[std::size_t(code)] : lengths[std::size_t(previous)] + 1;
        if (previous >= 0 && next < largest_code) {
            lengths[std::size_t(next)] = lengths[std::size_t(previous)] + 1;
            ++next;
            if (next == 1 << code_bits && code_bits < 12) {
                ++code_bits;
            }
        }
        previous = code;
    }

    static constexpr int largest_code = 4096;
    std::array<std::uint32_t, largest_code> lengths{};
    int clear;
    int code_bits = 0;
    int next = 0;
    int previous = -1;
    std::uint32_t bits = 0;
    int held = 0;
    std::uint64_t count = 0;
    bool ended = false;
    bool broken;
};

// An image: the rest of its descriptor, its colour table, its code size and its data,
// whose codes must give every pixel of the image.
QString gif_image_fault(byte_walk& walk)
{
    const auto left = walk.two_bytes(false);
    const auto top = walk.two_bytes(false);
    const auto width = walk.two_bytes(false);
    const auto height = walk.two_bytes(false);
    const auto flags = walk.next();
    if (!left || !top || !width || !height || !flags || !skip_colour_table(walk, *flags)) {
        return cut_short();
    }
    const auto root_bits = walk.next();
    if (!root_bits) {
        return cut_short();
    }
    lzw_pixel_count codes(*root_bits);
    if (!skip_sub_blocks(walk, [&](std::uint8_t byte) { codes.feed(byte); })) {
        return cut_short();
    }
    if (codes.damaged()) {
        return QCoreApplication::translate("picture", "the codes of its image are damaged");
    }
    const auto pixels = static_cast<std::uint64_t>(*width) * static_cast<std::uint64_t>(*height);
    if (codes.pixels() < pixels) {
        return QCoreApplication::translate(
                   "picture", "the data of its %1 x %2 image ends after %3 of its pixels")
            .arg(*width)
            .arg(*height)
            .arg(codes.pixels());
    }
    return {};
}

QString gif_fault(QIODevice& file)
{
    byte_walk walk(file);
    if (!walk.skip(10)) {
        return cut_short();
    }
    const auto flags = walk.next();
    if (!flags || !walk.skip(2) || !skip_colour_table(walk, *flags)) {
        return cut_short();
    }
    while (const auto block = walk.next()) {
        if (*block == 0x3b) {
            return {};
        }
        if (*block == 0x2c) {
            if (QString fault = gif_image_fault(walk); !fault.isEmpty()) {
                return fault;
            }
        } else if (*block == 0x21) {
            if (!walk.next() || !skip_sub_blocks(walk)) {
                return cut_short();
            }
        } else {
            return QCoreApplication::translate("picture", "it holds a block of unknown kind (%1)")
                .arg(*block);
        }
    }
    return cut_short();
}

// The maximum value of a PNM header (P2, P3, P5, P6), when it can be read.
std::optional<long> pnm_maximum(const QByteArray& first_bytes)
{
    QByteArray header = first_bytes.left(1024);
    // Comments run from # to the end of their line.
    for (qsizetype hash = header.indexOf('#'); hash >= 0; hash = header.indexOf('#', hash)) {
        const qsizetype end = header.indexOf('\n', hash);
        header.remove(hash, end < 0 ? header.size() - hash : end - hash);
    }
    const QList<QByteArray> fields = header.simplified().split(' ');
    bool number = false;
    const long maximum = fields.size() > 4 ? fields[3].toLong(&number) : 0;
    return number ? std::optional<long>(maximum) : std::nullopt;
}

bool is_pnm_with_maximum(const QByteArray& first_bytes)
{
    return first_bytes.size() > 2 && first_bytes[0] == 'P' &&
           QByteArray("2356").contains(first_bytes[1]) &&
           QByteArray(" \t\r\n").contains(first_bytes[2]);
}

bool is_svg(const QByteArray& first_bytes)
{
    const QByteArray start = first_bytes.left(4096).trimmed();
    return (start.startsWith("<?xml") || start.startsWith("<svg")) && start.contains("<svg");
}

// A TGA header of a run-length picture (image types 9, 10, 11) of a depth TGA knows.
bool is_run_length_tga(const QByteArray& first_bytes)
{
    if (first_bytes.size() < 18) {
        return false;
    }
    const auto byte = [&](int at) { return static_cast<std::uint8_t>(first_bytes[at]); };
    const bool run_length = byte(2) >= 9 && byte(2) <= 11;
    const bool depth =
        byte(16) == 8 || byte(16) == 15 || byte(16) == 16 || byte(16) == 24 || byte(16) == 32;
    return byte(1) <= 1 && run_length && depth;
}

} // namespace

QString structure_fault(QIODevice& file, const QByteArray& format, QSize sides)
{
    if (format == "jpeg") {
        return jpeg_fault(file, sides);
    }
    if (format == "gif") {
        return gif_fault(file);
    }
    return {};
}

std::optional<qint64> unassociated_alpha_at(QIODevice& file)
{
    constexpr int extra_samples = 338;
    constexpr int short_type = 3;
    constexpr int unassociated = 2;
    file.seek(0);
    const QByteArray header = file.read(8);
    const bool little = header.startsWith(QByteArray("II*\0", 4));
    if (!little && !header.startsWith(QByteArray("MM\0*", 4))) {
        return std::nullopt;
    }
    const auto number = [&](const QByteArray& bytes, int at, int size) {
        std::uint32_t value = 0;
        for (int k = 0; k < size; ++k) {
            const auto byte = static_cast<std::uint8_t>(bytes[at + (little ? size - 1 - k : k)]);
            value = value << 8 | byte;
        }
        return value;
    };
    const qint64 directory = number(header, 4, 4);
    file.seek(directory);
    const QByteArray count = file.read(2);
    if (count.size() != 2) {
        return std::nullopt;
    }
    const QByteArray entries = file.read(qint64{12} * number(count, 0, 2));
    for (int at = 0; at + 12 <= entries.size(); at += 12) {
        if (number(entries, at, 2) == extra_samples && number(entries, at + 2, 2) == short_type &&
            number(entries, at + 4, 4) == 1 && number(entries, at + 8, 2) == unassociated) {
            return directory + 2 + at + 8;
        }
    }
    return std::nullopt;
}

QString refused_kind(const QByteArray& first_bytes)
{
    if (is_svg(first_bytes)) {
        return QCoreApplication::translate("picture",
                                           "it is an SVG drawing, not a picture made of pixels");
    }
    if (is_pnm_with_maximum(first_bytes)) {
        const std::optional<long> maximum = pnm_maximum(first_bytes);
        if (maximum && (*maximum < 1 || *maximum > 65535)) {
            return QCoreApplication::translate(
                       "picture",
                       "it is a PNM (PGM or PPM) file whose maximum value is %1; it must be "
                       "1 to 65535")
                .arg(*maximum);
        }
    }
    if (is_run_length_tga(first_bytes)) {
        return QCoreApplication::translate(
            "picture", "it is a run-length compressed TGA picture, which the installed TGA "
                       "reader does not decode");
    }
    return {};
}
