#include "spectrum_stages.h"

#include "Dib.h"
#include "Exception.h"
#include "ShowMessage.h"
#include "byte_counts.h"
#include "file_name.h"
#include "fourier.h"
#include "memory_budget.h"
#include "quadrants.h"
#include "spectrum_picture.h"
#include "work_crew.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

void reduce_to_8bit(TBitmap& bitmap, const std::string& name)
{
    try {
        bitmap.PixelFormat(pf8bit);
    } catch (const Exception& e) {
        throw Exception(
            QCoreApplication::translate("pipeline", "Cannot load the bitmap \"%1\": %2")
                .arg(shown_name(file_name_from_bytes(name)), QString::fromStdString(e.Message())));
    }
}

} // namespace

void load_8bit_picture(TBitmap& bitmap, const std::string& file_name)
{
    bitmap.LoadFromFile(file_name);
    reduce_to_8bit(bitmap, file_name);
}

void load_8bit_bytes(TBitmap& bitmap, std::span<const std::uint8_t> bytes, const std::string& name)
{
    bitmap.LoadFromBytes(bytes, name);
    reduce_to_8bit(bitmap, name);
}

int padded_side(int side)
{
    // A side of 2^30 would need rows of 2^31 doubles, more than a matrix counts.
    constexpr std::uint64_t largest = std::uint64_t{1} << 29;
    const std::uint64_t padded = power_of_two_at_or_above(side);
    if (padded > largest) {
        throw Exception(
            QCoreApplication::translate("pipeline", "A picture side of %1 pixels is too large")
                .arg(side));
    }
    return static_cast<int>(padded);
}

using bmp::saturating_product;
using bmp::saturating_sum;

std::uint64_t spectrum_bytes(std::int64_t padded_width, std::int64_t padded_height,
                             std::int64_t source_rows, std::uint64_t export_bytes)
{
    const std::uint64_t elements = saturating_product(static_cast<std::uint64_t>(padded_width),
                                                      static_cast<std::uint64_t>(padded_height));
    const std::uint64_t matrix_bytes = saturating_product(elements, 2 * sizeof(double));
    const std::uint64_t sampling = saturating_sum(export_bytes, row_list_bytes(source_rows));
    const std::uint64_t painting = saturating_sum(picture_bytes(padded_width, padded_height, 8),
                                                  row_list_bytes(padded_height));
    return saturating_sum(matrix_bytes, std::max(sampling, painting));
}

namespace {

// The scan lines of the bitmap from the top, taken on this thread, the only one the bitmap
// serves, so that the rows can then be worked on in shares. A row the bitmap refuses ends
// the list, and its exception is kept in `failure` for after the rows before it are done.
std::vector<std::uint8_t*> scan_lines(TBitmap& bitmap, std::exception_ptr& failure)
{
    std::vector<std::uint8_t*> lines;
    lines.reserve(static_cast<std::size_t>(bitmap.Height()));
    try {
        for (int y = 0; y < bitmap.Height(); ++y) {
            lines.push_back(bitmap.ScanLine(y));
        }
    } catch (...) {
        failure = std::current_exception();
    }
    return lines;
}

// Calls work(y, line) for every scan line, in shares when a stage through `doubles` of the
// matrix is worth sharing; then raises what a refused row raised.
template <typename Work> void for_each_line(TBitmap& bitmap, std::uint64_t doubles, Work work)
{
    std::exception_ptr failure;
    const std::vector<std::uint8_t*> lines = scan_lines(bitmap, failure);
    const bool shared = worth_sharing(doubles * sizeof(double));
    share_range(lines.size(), shared, [&](std::uint64_t begin, std::uint64_t end) {
        for (std::uint64_t y = begin; y < end; ++y) {
            work(y, lines[y]);
        }
    });
    if (failure) {
        std::rethrow_exception(failure);
    }
}

// Copies each pixel byte of the picture into the real part of its element.
void sample_pixels(TBitmap& source, matrix& samples)
{
    if (source.PixelFormat() != pf8bit) {
        throw Exception(QCoreApplication::translate(
            "pipeline", "The picture does not hold one byte per pixel"));
    }
    const int width = source.Width();
    const auto cols = static_cast<std::uint64_t>(samples.get_cols());
    double* data = samples.get_data();
    for_each_line(source, samples.size(), [&](std::uint64_t y, const std::uint8_t* line) {
        double* row = data + cols * y;
        for (int x = 0; x < width; ++x) {
            row[2 * x] = line[x];
        }
    });
}

} // namespace

std::unique_ptr<matrix> bitmap_to_matrix(TBitmap& source)
{
    const int width = source.Width();
    const int height = source.Height();
    const int padded_width = padded_side(width);
    const int padded_height = padded_side(height);
    std::uint64_t info_size = 0;
    std::uint64_t bits_size = 0;
    GetDIBSizes(source.Handle(), info_size, bits_size);
    // Both blocks of a picture of 32-bit pixels and sides below 2^31 stay below 2^64 - 2^33.
    // Refused here, before anything is allocated, rather than by bad_alloc or the
    // out-of-memory killer half way through; the count covers the painting too.
    require_memory(width, height,
                   spectrum_bytes(padded_width, padded_height, height, info_size + bits_size),
                   QCoreApplication::translate("memory", "for its spectrum").toStdString());
    // The samples go straight into the zeroed matrix, each byte converted exactly; an
    // array of words in its layout beside it would only add a third of its memory.
    auto result = std::make_unique<matrix>(padded_height, 2 * padded_width);

    // Never read (samples come from the scan lines): made to learn if the bitmap exports at all.
    auto DibInfo = std::make_unique_for_overwrite<std::byte[]>(info_size);
    auto DibBits = std::make_unique_for_overwrite<std::byte[]>(bits_size);
    try {
        if (GetDIB(source.Handle(), source.Palette(), DibInfo.get(), DibBits.get())) {
            sample_pixels(source, *result);
        } else {
            ShowMessage("Nie udalo sie !");
        }
    } catch (...) {
        ShowMessage("Blad");
    }
    return result;
}

void fourier_2d(double* data, int width, int height, int direction)
{
    const std::uint32_t lengths[2] = {static_cast<std::uint32_t>(height),
                                      static_cast<std::uint32_t>(width)};
    FourierND(one_based<double>{data}, one_based<const std::uint32_t>{lengths}, 2, direction);
}

HPALETTE grey_palette()
{
    constexpr std::uint16_t entries = 256;
    auto storage = std::make_unique<std::byte[]>(log_palette_size(entries));
    auto* record = new (storage.get()) LOGPALETTE{0x300, entries, {}};
    PALETTEENTRY* entry = palette_entries(record);
    for (int level = 0; level < entries; ++level) {
        const auto grey = static_cast<std::uint8_t>(level);
        entry[level] = PALETTEENTRY{grey, grey, grey, 0};
    }
    return CreatePalette(record);
}

void matrix_to_bitmap(TBitmap& target, int mode, double scale, const matrix& source)
{
    const int width = source.get_cols() / 2;
    const int height = source.get_rows();
    target.HandleType(bmDIB);
    target.PixelFormat(pf8bit);
    target.Palette(grey_palette());
    target.Height(height);
    target.Width(width);
    const auto shown = display_numbered(mode);
    if (!shown || width == 0) {
        return;
    }
    // The rows the bitmap gave are painted before what a refused row raised goes on.
    std::exception_ptr failure;
    const std::vector<std::uint8_t*> lines = scan_lines(target, failure);
    paint_spectrum(source, {*shown, scale}, lines);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void centre_spectrum(matrix& samples, int width, int height, const sampling_choice& sampling)
{
    prepare_samples(samples, width, height, sampling);
    fourier_2d(samples.get_data(), samples.get_cols() / 2, samples.get_rows(), +1);
    swap_quadrants(samples);
}

QImage spectrum_picture(const matrix& spectrum, const display_setting& display)
{
    QImage grey(spectrum.get_cols() / 2, spectrum.get_rows(), QImage::Format_Grayscale8);
    if (grey.isNull()) {
        throw Exception(
            QCoreApplication::translate("pipeline", "Not enough memory for the spectrum picture")
                .toStdString());
    }
    std::vector<std::uint8_t*> rows;
    rows.reserve(static_cast<std::size_t>(grey.height()));
    for (int y = 0; y < grey.height(); ++y) {
        rows.push_back(grey.scanLine(y));
    }
    paint_spectrum(spectrum, display, rows);
    return grey;
}
