#include "Exception.h"
#include "TBitmap.h"
#include "picture_output.h"
#include "spectrum_stages.h"

#include "message_recorder.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
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

// The centred spectrum of a side x side picture of one grey level, sampled as the window
// samples it; `messages` gets what the stages showed.
std::unique_ptr<matrix> spectrum_of_constant(int side, std::uint8_t value,
                                             std::vector<std::string>& messages)
{
    TBitmap source;
    paint_constant(source, side, value);
    message_recorder recorder;
    std::unique_ptr<matrix> spectrum = bitmap_to_matrix(source);
    centre_spectrum(*spectrum, side, side, sampling_choice{});
    messages = recorder.texts;
    return spectrum;
}

TEST(SpectrumStages, AConstantPictureLightsOnlyTheCentre)
{
    std::vector<std::string> messages;
    const std::unique_ptr<matrix> spectrum = spectrum_of_constant(256, 100, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(element_real(*spectrum, 128, 128), 6553600.0);
    TBitmap target;
    matrix_to_bitmap(target, 2, 0.001, *spectrum);
    ASSERT_EQ(target.Width(), 256);
    ASSERT_EQ(target.Height(), 256);
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

// The target is set up before its rows are asked for, and a refused row reaches the
// caller, whose PoliczFFT says "Nie pracuje"; the spectrum is not touched.
TEST(SpectrumStages, ARefusedRowLeavesThePaintingSetUpAndRaises)
{
    std::vector<std::string> messages;
    const std::unique_ptr<matrix> spectrum = spectrum_of_constant(4, 1, messages);
    UnpaintableBitmap target;
    EXPECT_THROW(matrix_to_bitmap(target, 2, 0.001, *spectrum), Exception);
    EXPECT_EQ(target.Width(), 4);
    EXPECT_EQ(target.Height(), 4);
    EXPECT_EQ(target.PixelFormat(), pf8bit);
    EXPECT_EQ(element_real(*spectrum, 2, 2), 16.0);
}

// A buffer that takes `room` bytes and refuses the rest.
class short_buffer : public QBuffer
{
public:
    explicit short_buffer(qint64 room_) : room(room_) {}

protected:
    qint64 writeData(const char* data, qint64 count) override
    {
        if (size() + count > room) {
            return -1;
        }
        return QBuffer::writeData(data, count);
    }

private:
    qint64 room;
};

QImage random_grey(int width, int height, unsigned seed)
{
    QImage grey(width, height, QImage::Format_Grayscale8);
    std::mt19937 engine(seed);
    for (int y = 0; y < height; ++y) {
        std::generate_n(grey.scanLine(y), width, [&] { return static_cast<uchar>(engine()); });
    }
    return grey;
}

// The PNG reads back as the same grey pixels, rows padded in memory or not; a device that
// stops taking bytes anywhere in the file makes the write fail, and nothing else.
TEST(PictureOutput, PngKeepsEveryPixelAndReportsARefusedWrite)
{
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 5}, {257, 64}, {1024, 3}}) {
        const QImage grey = random_grey(width, height, static_cast<unsigned>(width));
        QBuffer whole;
        whole.open(QIODevice::WriteOnly);
        ASSERT_TRUE(write_grey_picture(whole, grey, picture_format::png));
        const QImage read = QImage::fromData(whole.data(), "PNG");
        ASSERT_EQ(read.format(), QImage::Format_Grayscale8) << width;
        EXPECT_EQ(read, grey) << width << " x " << height;
        for (const qint64 room :
             {qint64{0}, qint64{8}, qint64{40}, whole.size() / 2, whole.size() - 1}) {
            short_buffer refusing(room);
            refusing.open(QIODevice::WriteOnly);
            EXPECT_FALSE(write_grey_picture(refusing, grey, picture_format::png))
                << room << " of " << whole.size();
        }
    }
}

} // namespace
