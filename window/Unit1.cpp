#include "Unit1.h"

#include "Dib.h"
#include "Exception.h"
#include "MemoryBudget.h"
#include "ShowMessage.h"
#include "WaitCursor.h"
#include "display.h"
#include "fourier.h"
#include "quadrants.h"
#include "work_crew.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <vector>

TBitmap* SourceBitmap = nullptr;
std::unique_ptr<matrix> Spectrum;
int DisplayMode = 2;
TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : TForm("TFORM1", parent)
{
    Wczytaj->OnClick = std::bind_front(&TForm1::WczytajClick, this);
    PoliczFFT->OnClick = std::bind_front(&TForm1::PoliczFFTClick, this);
    Zamknij->OnClick = std::bind_front(&TForm1::ZamknijClick, this);
}

TForm1::~TForm1()
{
    // The picture goes with the window; the commands must not reach it afterwards.
    if (SourceBitmap == Image1->Picture()->Graphic()) {
        SourceBitmap = nullptr;
    }
}

void TForm1::WczytajClick()
{
    if (!OpenDialog1->Execute()) {
        return;
    }
    SourceBitmap = Image1->Picture()->Bitmap();
    SourceBitmap->LoadFromFile(OpenDialog1->FileName());
    SourceBitmap->PixelFormat(pf8bit);
}

void TForm1::ZamknijClick()
{
    Close();
}

void TForm1::PoliczFFTClick()
{
    if (SourceBitmap == nullptr) {
        ShowMessage("Nie pracuje");
        return;
    }
    WaitCursor busy;
    SpectrumPipeline(SourceBitmap, Image2->Picture()->Bitmap(), DisplayMode, 0.001);
}

int PaddedSide(int side)
{
    // A side of 2^29 would need rows of 2^31 doubles, more than a matrix counts.
    constexpr std::int64_t largest = std::int64_t{1} << 29;
    std::int64_t padded = 1;
    while (side > padded) {
        padded *= 2;
    }
    if (padded > largest) {
        throw Exception("A picture side of " + std::to_string(side) + " pixels is too large");
    }
    return static_cast<int>(padded);
}

namespace {

// Below this many doubles painting takes less time than waking the helpers.
constexpr std::uint64_t paintSharedFrom = std::uint64_t{1} << 16;

// Copies each pixel byte of the picture into the real part of its element.
void sample_pixels(TBitmap& source, double* samples, int paddedWidth)
{
    if (source.PixelFormat() != pf8bit) {
        throw Exception("The picture does not hold one byte per pixel");
    }
    const int width = source.Width();
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* line = source.ScanLine(y);
        double* row = samples + std::size_t{2} * paddedWidth * y;
        for (int x = 0; x < width; ++x) {
            row[2 * x] = line[x];
        }
    }
}

} // namespace

std::unique_ptr<matrix> TForm1::BitmapToMatrix(TBitmap* source)
{
    const int width = source->Width();
    const int height = source->Height();
    const int paddedWidth = PaddedSide(width);
    const int paddedHeight = PaddedSide(height);
    // Refused here, before anything is allocated, rather than by bad_alloc or the
    // out-of-memory killer half way through.
    RequireMemory(width, height, SpectrumBytes(paddedWidth, paddedHeight), "for its spectrum");
    // The samples go straight into the zeroed matrix, each byte converted exactly; an
    // array of words in its layout beside it would only add a third of its memory.
    auto result = std::make_unique<matrix>(paddedHeight, 2 * paddedWidth);

    std::uint64_t infoSize = 0;
    std::uint64_t bitsSize = 0;
    GetDIBSizes(source->Handle(), infoSize, bitsSize);
    auto DibInfo = std::make_unique_for_overwrite<std::byte[]>(infoSize);
    auto DibBits = std::make_unique_for_overwrite<std::byte[]>(bitsSize);
    try {
        if (GetDIB(source->Handle(), source->Palette(), DibInfo.get(), DibBits.get())) {
            sample_pixels(*source, result->get_data(), paddedWidth);
        } else {
            ShowMessage("Nie udalo sie !");
        }
    } catch (...) {
        ShowMessage("Blad");
    }
    return result;
}

void TForm1::Fft2D(double* data, int width, int height, int direction)
{
    const std::uint32_t lengths[2] = {static_cast<std::uint32_t>(height),
                                      static_cast<std::uint32_t>(width)};
    FourierND(one_based<double>{data}, one_based<const std::uint32_t>{lengths}, 2, direction);
}

void TForm1::SwapQuadrants(matrix* m)
{
    if (m != nullptr) {
        swap_quadrants(*m);
    }
}

HPALETTE TForm1::GrayPalette()
{
    constexpr std::uint16_t entries = 256;
    auto storage = std::make_unique<std::byte[]>(LogPaletteSize(entries));
    auto* record = new (storage.get()) LOGPALETTE{0x300, entries, {}};
    PALETTEENTRY* entry = PaletteEntries(record);
    for (int level = 0; level < entries; ++level) {
        const auto grey = static_cast<std::uint8_t>(level);
        entry[level] = PALETTEENTRY{grey, grey, grey, 0};
    }
    return CreatePalette(record);
}

void TForm1::MatrixToBitmap(TBitmap* target, int mode, double scale, matrix* source)
{
    if (source == nullptr || target == nullptr) {
        return;
    }
    const int width = source->get_cols() / 2;
    const int height = source->get_rows();
    target->HandleType(bmDIB);
    target->PixelFormat(pf8bit);
    target->Palette(GrayPalette());
    target->Height(height);
    target->Width(width);
    if (!is_display_mode(mode) || width == 0) {
        return;
    }
    // The bitmap hands out its rows on this thread; the rows are then painted in shares.
    std::vector<std::uint8_t*> lines(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        lines[static_cast<std::size_t>(y)] = target->ScanLine(y);
    }
    const double* elements = source->get_data();
    const auto cols = static_cast<std::size_t>(source->get_cols());
    share_range(lines.size(), source->size() >= paintSharedFrom,
                [&](std::uint64_t begin, std::uint64_t end) {
                    for (std::uint64_t y = begin; y < end; ++y) {
                        paint_row(mode, scale, elements + y * cols, width, lines[y]);
                    }
                });
}

void TForm1::SpectrumPipeline(TBitmap* source, TBitmap* target, int mode, double scale)
{
    if (source == nullptr) {
        return;
    }
    // The old spectrum goes first, so two never live at once.
    Spectrum.reset();
    Spectrum = BitmapToMatrix(source);
    Fft2D(Spectrum->get_data(), Spectrum->get_cols() / 2, Spectrum->get_rows(), +1);
    SwapQuadrants(Spectrum.get());
    try {
        MatrixToBitmap(target, mode, scale, Spectrum.get());
    } catch (...) {
        ShowMessage("Nie pracuje");
    }
}
