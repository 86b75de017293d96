#include "Exception.h"
#include "TBitmap.h"
#include "spectrum_pipeline.h"

#include "message_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The pipeline library on its own, without a window.
namespace {

double element_real(const matrix& m, int y, int x)
{
    return m.get_data()[static_cast<std::size_t>(y) * static_cast<std::size_t>(m.get_cols()) +
                        2 * static_cast<std::size_t>(x)];
}

TEST(PaddedSide, IsTheSmallestPowerOfTwoAtOrAbove)
{
    EXPECT_EQ(padded_side(0), 1);
    EXPECT_EQ(padded_side(1), 1);
    EXPECT_EQ(padded_side(2), 2);
    EXPECT_EQ(padded_side(3), 4);
    EXPECT_EQ(padded_side(100), 128);
    EXPECT_EQ(padded_side(128), 128);
    EXPECT_EQ(padded_side(1 << 29), 1 << 29);
    EXPECT_THROW(padded_side((1 << 29) + 1), Exception);
    EXPECT_THROW(padded_side(2147483647), Exception);
}

void paint_constant(TBitmap& bitmap, int side, std::uint8_t value)
{
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(side);
    bitmap.Width(side);
    for (int y = 0; y < side; ++y) {
        std::fill_n(bitmap.ScanLine(y), side, value);
    }
}

// Runs the pipeline on a side x side picture of one grey level; returns its messages.
std::vector<std::string> spectrum_of_constant(int side, std::uint8_t value, TBitmap& target)
{
    TBitmap source;
    paint_constant(source, side, value);
    message_recorder messages;
    spectrum_pipeline(&source, &target, 2, 0.001);
    return messages.texts;
}

TEST(SpectrumPipeline, AConstantPictureLightsOnlyTheCentre)
{
    TBitmap target;
    EXPECT_TRUE(spectrum_of_constant(256, 100, target).empty());
    ASSERT_EQ(target.Width(), 256);
    ASSERT_EQ(target.Height(), 256);
    EXPECT_EQ(element_real(*Spectrum, 128, 128), 6553600.0);
    int lit = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            lit += target.ScanLine(y)[x] != 0;
        }
    }
    EXPECT_EQ(lit, 1);
    EXPECT_EQ(target.ScanLine(128)[128], 255);
}

// A target whose rows cannot be reached.
class UnpaintableBitmap : public TBitmap
{
public:
    std::uint8_t* ScanLine(int y) override
    {
        throw Exception("row " + std::to_string(y) + " is out of reach");
    }
};

TEST(SpectrumPipeline, APaintingFailureShowsNiePracujeAndKeepsTheSpectrum)
{
    UnpaintableBitmap target;
    EXPECT_EQ(spectrum_of_constant(4, 1, target), std::vector<std::string>{"Nie pracuje"});
    ASSERT_NE(Spectrum, nullptr);
    EXPECT_EQ(element_real(*Spectrum, 2, 2), 16.0);

    // Without a source nothing runs and the last spectrum stays.
    const matrix* last = Spectrum.get();
    message_recorder messages;
    spectrum_pipeline(nullptr, &target, 2, 0.001);
    EXPECT_EQ(Spectrum.get(), last);
    EXPECT_TRUE(messages.texts.empty());
}

} // namespace
