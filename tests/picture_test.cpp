#include "Exception.h"
#include "ShowMessage.h"
#include "TBitmap.h"
#include "Unit1.h"
#include "display.h"
#include "quiet_libraries.h"

#include "shared_among.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

double* element(matrix& m, int y, int x)
{
    return m.get_data() + static_cast<std::size_t>(y) * m.get_cols() + 2 * std::size_t(x);
}

// A matrix of `height` x `width` complex elements, element (y, x) = (k, -k - 0.5) with
// k = y * width + x, so that every double is told apart, real from imaginary too.
matrix numbered(int height, int width)
{
    matrix m(height, 2 * width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double k = double(y) * width + x;
            element(m, y, x)[0] = k;
            element(m, y, x)[1] = -k - 0.5;
        }
    }
    return m;
}

// Checks that element (y, x) of numbered(height, width) now stands at (to_y(y), to_x(x)).
template <typename MapY, typename MapX>
void expect_moved(matrix& m, int height, int width, MapY to_y, MapX to_x)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double k = double(y) * width + x;
            const double* moved = element(m, to_y(y), to_x(x));
            ASSERT_EQ(moved[0], k) << height << "x" << width << " at " << y << "," << x;
            ASSERT_EQ(moved[1], -k - 0.5) << height << "x" << width << " at " << y << "," << x;
        }
    }
}

TEST(SwapQuadrants, ExchangesQuadrantsDiagonallyOnEvenSides)
{
    // Half rows shorter than, equal to and longer than the swap's cache-line steps, and
    // matrices large enough to be shared among the worker threads.
    const std::vector<std::pair<int, int>> shapes = {{2, 2},  {4, 8},       {8, 4},    {16, 2},
                                                     {6, 12}, {4, 1 << 18}, {512, 256}};
    for (const int threads : {1, 3}) {
        const shared_among sharing(threads);
        for (const auto& [height, width] : shapes) {
            matrix m = numbered(height, width);
            TForm1::SwapQuadrants(&m);
            expect_moved(
                m, height, width, [&](int y) { return (y + height / 2) % height; },
                [&](int x) { return (x + width / 2) % width; });
        }
    }
}

TEST(SwapQuadrants, LeavesASideOfOneAsItIs)
{
    matrix column = numbered(4, 1);
    TForm1::SwapQuadrants(&column);
    expect_moved(
        column, 4, 1, [](int y) { return (y + 2) % 4; }, [](int x) { return x; });

    matrix row = numbered(1, 8);
    TForm1::SwapQuadrants(&row);
    expect_moved(
        row, 1, 8, [](int y) { return y; }, [](int x) { return (x + 4) % 8; });

    matrix single = numbered(1, 1);
    TForm1::SwapQuadrants(&single);
    expect_moved(
        single, 1, 1, [](int y) { return y; }, [](int x) { return x; });
    TForm1::SwapQuadrants(nullptr);
}

TEST(SwapQuadrants, AnOddWidthKeepsItsLastColumnInPlaceAndTradesItsRows)
{
    matrix m = numbered(4, 5);
    TForm1::SwapQuadrants(&m);
    expect_moved(
        m, 4, 5, [](int y) { return (y + 2) % 4; }, [](int x) { return x < 4 ? (x + 2) % 4 : x; });
}

TEST(SwapQuadrants, ARowLeftWithoutPartnerOnlyExchangesItsHalves)
{
    matrix m = numbered(3, 4);
    TForm1::SwapQuadrants(&m);
    expect_moved(
        m, 3, 4, [](int y) { return y == 2 ? 2 : 1 - y; }, [](int x) { return (x + 2) % 4; });
}

TEST(PaintRow, EveryModeAndScaleGivesTheLevelOfEachElement)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // 37 elements: whole vectors and a tail, with values around every boundary.
    std::vector<double> elements;
    const std::vector<double> samples = {0.0,        -0.0,   1.0,   254999.0, 255000.0, -300000.0,
                                         1e200,      -1e300, inf,   -inf,     nan,      5e15,
                                         123456.789, 2.5,    -7.75, 256.5,    256000.0};
    for (int i = 0; i < 37; ++i) {
        elements.push_back(samples[i % samples.size()]);
        elements.push_back(i % 3 == 0 ? 0.0 : samples[(i * 7 + 3) % samples.size()]);
    }
    for (double scale : {0.001, 1.0, 0.0, -0.0, -0.001, 1e300, nan, inf}) {
        for (int mode = 0; mode <= 3; ++mode) {
            std::vector<std::uint8_t> pixels(37, 77);
            paint_row(mode, scale, elements.data(), 37, pixels.data());
            for (int x = 0; x < 37; ++x) {
                ASSERT_EQ(pixels[x],
                          display_level(mode, scale, elements[2 * x], elements[2 * x + 1]))
                    << "mode " << mode << ", scale " << scale << ", element " << x;
            }
        }
    }
}

TEST(GrayPalette, EntryIIsGreyLevelI)
{
    HPALETTE palette = TForm1::GrayPalette();
    const QList<QRgb> colors = palette_colors(palette);
    ASSERT_EQ(colors.size(), 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(colors[i], qRgb(i, i, i)) << i;
    }
    DeleteObject(palette);
}

// The grey levels MatrixToBitmap paints for one row of elements.
std::vector<int> painted(int mode, double scale, const std::vector<std::pair<double, double>>& row)
{
    matrix m(1, 2 * static_cast<int>(row.size()));
    for (std::size_t x = 0; x < row.size(); ++x) {
        element(m, 0, int(x))[0] = row[x].first;
        element(m, 0, int(x))[1] = row[x].second;
    }
    TBitmap target;
    TForm1::MatrixToBitmap(&target, mode, scale, &m);
    std::vector<int> levels;
    for (std::size_t x = 0; x < row.size(); ++x) {
        levels.push_back(target.ScanLine(0)[x]);
    }
    return levels;
}

TEST(MatrixToBitmap, AmplitudeAndPowerSaturateAt255)
{
    EXPECT_EQ(painted(2, 0.001, {{254999, 0}, {255000, 0}, {300000, 0}, {0, -254999}}),
              (std::vector<int>{254, 255, 255, 254}));
    EXPECT_EQ(painted(2, 0.001, {{3000, 4000}, {1e300, 1e300}}), (std::vector<int>{5, 255}));
    EXPECT_EQ(painted(3, 0.001, {{300, 400}, {-505, 0}, {1e200, 0}}),
              (std::vector<int>{250, 255, 255}));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(painted(2, 1, {{inf, 0}, {nan, 0}, {7.9, 0}}), (std::vector<int>{255, 0, 7}));
}

TEST(MatrixToBitmap, RealAndImaginaryModesKeepTheLowEightBits)
{
    EXPECT_EQ(painted(0, 0.001, {{300000, 7e6}, {-300000, 0}, {255999, 0}}),
              (std::vector<int>{44, 44, 255}));
    EXPECT_EQ(painted(1, 0.001, {{7e6, 300000}, {0, -256000}}), (std::vector<int>{44, 0}));
    // Beyond 32 bits the low eight bits still come from the exact integer.
    EXPECT_EQ(painted(0, 1, {{std::ldexp(1.0, 40) + 300, 0}, {std::ldexp(1.0, 52) + 301, 0}}),
              (std::vector<int>{44, 45}));
    // A negative scale makes negative integers, taken in two's complement.
    EXPECT_EQ(painted(0, -1, {{1, 0}, {44, 0}}), (std::vector<int>{255, 212}));
    // What no 64-bit integer holds gives 0.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(
        painted(0, 1, {{inf, 0}, {nan, 0}, {std::ldexp(1.0, 63) + 4096 * 44, 0}, {-1e300, 0}}),
        (std::vector<int>{0, 0, 0, 0}));
}

TEST(MatrixToBitmap, SetsUpAGreyBitmapOfTheComplexSize)
{
    matrix m(64, 256);
    TBitmap target;
    target.PixelFormat(pf24bit);
    target.HandleType(bmDDB);
    TForm1::MatrixToBitmap(&target, 2, 0.001, &m);
    EXPECT_EQ(target.Width(), 128);
    EXPECT_EQ(target.Height(), 64);
    EXPECT_EQ(target.PixelFormat(), pf8bit);
    EXPECT_EQ(target.HandleType(), bmDIB);
    EXPECT_EQ(palette_colors(target.Palette()).size(), 256);
    EXPECT_EQ(target.Image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(target.Image().pixelIndex(127, 63), 0);
}

// Large enough for the rows to be painted in shares; the width is no multiple of 256, so
// a row painted into another row's place shows.
TEST(MatrixToBitmap, RowsPaintedInSharesLandInTheirOwnRows)
{
    const shared_among three(3);
    const int height = 512;
    const int width = 200;
    matrix m = numbered(height, width);
    TBitmap target;
    TForm1::MatrixToBitmap(&target, 0, 1.0, &m);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(target.ScanLine(y)[x], (y * width + x) % 256) << y << "," << x;
        }
    }
}

TEST(MatrixToBitmap, OtherModesSetUpButPaintNothing)
{
    matrix m = numbered(2, 3);
    for (const int mode : {4, -1, 1000}) {
        TBitmap target;
        target.PixelFormat(pf8bit);
        target.Height(2);
        target.Width(3);
        target.ScanLine(1)[2] = 77;
        TForm1::MatrixToBitmap(&target, mode, 1.0, &m);
        EXPECT_EQ(target.Width(), 3);
        EXPECT_EQ(target.Height(), 2);
        EXPECT_EQ(target.ScanLine(1)[2], 77) << mode;
    }
}

TEST(MatrixToBitmap, ANullMatrixLeavesTheTargetUntouched)
{
    TBitmap target;
    target.PixelFormat(pf24bit);
    target.HandleType(bmDDB);
    target.Height(5);
    target.Width(7);
    const HPALETTE before = target.Palette();
    TForm1::MatrixToBitmap(&target, 2, 0.001, nullptr);
    EXPECT_EQ(target.Width(), 7);
    EXPECT_EQ(target.Height(), 5);
    EXPECT_EQ(target.PixelFormat(), pf24bit);
    EXPECT_EQ(target.HandleType(), bmDDB);
    EXPECT_EQ(target.Palette(), before);
    matrix m(2, 4);
    TForm1::MatrixToBitmap(nullptr, 2, 0.001, &m);
    EXPECT_EQ(m.get_data()[0], 0.0);
}

QStringList& recorded_warnings()
{
    static QStringList warnings;
    return warnings;
}

// While a picture is decoded, the decoding thread's Qt warnings and whatever is written to
// standard error are dropped; another thread's warnings pass on, its lines wait until
// standard error is given back, and nothing written after that is lost.
TEST(QuietLibraries, DropTheDecodingThreadsLinesOnlyAndGiveStandardErrorBack)
{
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const int saved = dup(STDERR_FILENO);
    dup2(ends[1], STDERR_FILENO);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            recorded_warnings().append(text);
        });
    std::thread waiting;
    {
        const quiet_libraries quiet;
        qWarning("from the decoding thread");
        std::thread([] { qWarning("from another thread"); }).join();
        waiting = std::thread([] { standard_error_line("a line of another thread"); });
        std::fputs("a library's line\n", stderr);
        std::fflush(stderr);
    }
    waiting.join();
    std::fputs("after\n", stderr);
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(ends[1]);
    qInstallMessageHandler(previous);
    std::string written;
    char piece[256];
    for (ssize_t got; (got = read(ends[0], piece, sizeof piece)) > 0;) {
        written.append(piece, std::size_t(got));
    }
    close(ends[0]);
    EXPECT_EQ(recorded_warnings(), QStringList{"from another thread"});
    EXPECT_EQ(written, "a line of another thread\nafter\n");
}

} // namespace
