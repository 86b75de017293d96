#include "Exception.h"
#include "TBitmap.h"
#include "Unit1.h"

#include "direct_dft.h"
#include "message_recorder.h"
#include "shared_among.h"

#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

namespace {

// An 8-bit bitmap whose pixel (x, y) is (3 x + 7 y) mod 256.
void paint_ramp(TBitmap& bitmap, int width, int height)
{
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(height);
    bitmap.Width(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>((3 * x + 7 * y) % 256);
        }
    }
}

std::complex<double> element(const matrix& m, int y, int x)
{
    const double* d = m.get_data() + static_cast<std::size_t>(y) * m.get_cols() + 2 * x;
    return {d[0], d[1]};
}

// Which rows must hold samples: the picture's first `rows_read`, the rest zero.
void expect_samples(const matrix& m, int width, int rows_read, int padded_width, int padded_height)
{
    ASSERT_EQ(m.get_rows(), padded_height);
    ASSERT_EQ(m.get_cols(), 2 * padded_width);
    for (int y = 0; y < padded_height; ++y) {
        for (int x = 0; x < padded_width; ++x) {
            const double want = x < width && y < rows_read ? (3 * x + 7 * y) % 256 : 0;
            ASSERT_EQ(element(m, y, x), std::complex<double>(want, 0.0)) << x << "," << y;
        }
    }
}

// The larger picture is sampled in shares, unevenly among three threads.
TEST(BitmapToMatrix, PadsToPowersOfTwoWithZeros)
{
    for (const auto& [width, height, threads] : {std::tuple{100, 60, 1}, std::tuple{300, 201, 3}}) {
        const shared_among sharing(threads);
        TBitmap bitmap;
        paint_ramp(bitmap, width, height);
        message_recorder messages;
        const auto m = TForm1::BitmapToMatrix(&bitmap);
        EXPECT_TRUE(messages.texts.empty());
        expect_samples(*m, width, height, padded_side(width), padded_side(height));
    }
}

TEST(BitmapToMatrix, OnePixelAndTheBrightestByte)
{
    TBitmap bitmap;
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(1);
    bitmap.Width(1);
    bitmap.ScanLine(0)[0] = 255;
    const auto m = TForm1::BitmapToMatrix(&bitmap);
    ASSERT_EQ(m->get_rows(), 1);
    ASSERT_EQ(m->get_cols(), 2);
    EXPECT_EQ(m->get_data()[0], 255.0);
    EXPECT_EQ(m->get_data()[1], 0.0);
}

TEST(BitmapToMatrix, ExportFailureShowsItsMessageOnceAndGivesZeros)
{
    TBitmap empty;
    empty.PixelFormat(pf8bit);
    message_recorder messages;
    const auto m = TForm1::BitmapToMatrix(&empty);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Nie udalo sie !"});
    ASSERT_EQ(m->get_rows(), 1);
    ASSERT_EQ(m->get_cols(), 2);
    EXPECT_EQ(m->get_data()[0], 0.0);
    EXPECT_EQ(m->get_data()[1], 0.0);
}

// A bitmap whose rows from `failingRow` on cannot be reached once it is armed.
class FailingBitmap : public TBitmap
{
public:
    explicit FailingBitmap(int firstFailing) : failingRow(firstFailing) {}

    bool armed = false;

    std::uint8_t* ScanLine(int y) override
    {
        if (armed && y >= failingRow) {
            throw Exception("row " + std::to_string(y) + " is unreadable");
        }
        return TBitmap::ScanLine(y);
    }

private:
    int failingRow;
};

TEST(BitmapToMatrix, RaisingPartwayShowsBladAndKeepsTheRowsRead)
{
    for (const auto& [width, height, failing, threads] :
         {std::tuple{5, 6, 3, 1}, std::tuple{300, 200, 150, 2}}) {
        const shared_among sharing(threads);
        FailingBitmap bitmap(failing);
        paint_ramp(bitmap, width, height);
        bitmap.armed = true;
        message_recorder messages;
        const auto m = TForm1::BitmapToMatrix(&bitmap);
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Blad"});
        expect_samples(*m, width, failing, padded_side(width), padded_side(height));
    }
}

TEST(BitmapToMatrix, APictureOfMoreThanOneBytePerPixelIsNotReadPastItsRows)
{
    TBitmap bitmap;
    bitmap.PixelFormat(pf1bit);
    bitmap.Height(2);
    bitmap.Width(40);
    message_recorder messages;
    const auto m = TForm1::BitmapToMatrix(&bitmap);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Blad"});
    EXPECT_EQ(m->get_cols(), 128);
}

TEST(Fft2D, TransformsRowsAndColumnsOfANonSquareArray)
{
    const int width = 8;
    const int height = 4;
    std::mt19937 engine(5);
    std::uniform_real_distribution<double> value(0, 255);
    std::vector<std::complex<double>> a(width * height);
    std::vector<double> x;
    for (auto& z : a) {
        z = value(engine);
        x.push_back(z.real());
        x.push_back(0.0);
    }
    TForm1::Fft2D(x.data(), width, height, +1);
    const auto want =
        direct_dft(a, {static_cast<std::size_t>(height), static_cast<std::size_t>(width)}, +1);
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_NEAR(x[2 * k], want[k].real(), 1e-9) << k;
        EXPECT_NEAR(x[2 * k + 1], want[k].imag(), 1e-9) << k;
    }
    // The inverse is left unscaled: the input comes back times width x height.
    TForm1::Fft2D(x.data(), width, height, -1);
    for (std::size_t k = 0; k < a.size(); ++k) {
        EXPECT_NEAR(x[2 * k], a[k].real() * width * height, 1e-9) << k;
        EXPECT_NEAR(x[2 * k + 1], 0.0, 1e-9) << k;
    }
}

} // namespace
