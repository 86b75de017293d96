#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

// A walk over the markers and blocks of a JPEG or GIF file before Qt's reader decodes it:
// lengths and markers only, every position checked, the file read once in pieces. What
// the reader would take as whole although it is cut short, or would spend minutes on, is
// refused here. Bytes in, an empty text (decode it) or the reason out.

// More scans than any progressive JPEG needs: libjpeg's scripts use about ten, a script
// refining every coefficient of three components bit by bit a few hundred.
constexpr int most_jpeg_scans = 500;

// Every 8 x 8 block of a Huffman-coded JPEG's full-resolution component costs at least one
// bit in its first scan: a file holds at least one byte for 512 of its pixels. (Arithmetic
// coding goes below this only for pictures of almost one colour.)
constexpr std::uint64_t most_jpeg_pixels_a_byte = 512;

// `format` as QImageReader names it ("jpeg", "gif"; other formats are not walked), `sides`
// the sides the reader read from the header.
QString structure_fault(QIODevice& file, const QByteArray& format, QSize sides);

// Where the ExtraSamples value of a TIFF file's first directory stands when it declares
// one unassociated alpha sample (2), which Qt's TIFF reader would multiply into the
// colours of an 8-bit picture. Set to 0 (unspecified), the reader hands over the colours
// as stored. Nothing for any other file.
std::optional<qint64> unassociated_alpha_at(QIODevice& file);

// What the first bytes of a file that is refused show it to be, in a reason that says why
// it is refused: an SVG drawing, a run-length TGA picture, a PNM file with an impossible
// maximum value. Empty when they show nothing we can name.
QString refused_kind(const QByteArray& first_bytes);
