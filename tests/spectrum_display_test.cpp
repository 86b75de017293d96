#include "display.h"
#include "display_choice.h"
#include "log_display.h"
#include "matrix.h"
#include "phase_display.h"
#include "spectrum_picture.h"

#include "shared_among.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using element_list = std::vector<std::pair<double, double>>;

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

// A matrix of `height` rows holding `elements` row after row.
matrix matrix_of(const element_list& elements, int height = 1)
{
    const int width = static_cast<int>(elements.size()) / height;
    matrix m(height, 2 * width);
    for (std::size_t k = 0; k < elements.size(); ++k) {
        m.get_data()[2 * k] = elements[k].first;
        m.get_data()[2 * k + 1] = elements[k].second;
    }
    return m;
}

// The picture paint_spectrum paints, row after row.
std::vector<int> painted(const matrix& m, spectrum_display shown, double scale = 0.001)
{
    const auto width = static_cast<std::size_t>(m.get_cols() / 2);
    std::vector<std::uint8_t> pixels(width * m.get_rows(), 77);
    std::vector<std::uint8_t*> rows;
    for (int y = 0; y < m.get_rows(); ++y) {
        rows.push_back(pixels.data() + width * y);
    }
    paint_spectrum(m, {shown, scale}, rows);
    return {pixels.begin(), pixels.end()};
}

std::vector<int> painted(const element_list& elements, spectrum_display shown)
{
    return painted(matrix_of(elements), shown);
}

// Large enough to be shared among the worker threads: 1 MiB of doubles. The amplitudes
// spread from 10 to 1e8, and far below and above them stand the smallest, in the last
// row, and the largest, in the middle of the matrix, apart from where a share begins: a
// range that missed either would move most pixels.
matrix random_spectrum()
{
    constexpr int side = 256;
    std::mt19937 engine(13);
    std::uniform_real_distribution<double> exponent(1.0, 8.0);
    std::uniform_real_distribution<double> angle(-std::numbers::pi, std::numbers::pi);
    element_list elements;
    for (int k = 0; k < side * side; ++k) {
        const double amplitude = std::pow(10.0, exponent(engine));
        const double theta = angle(engine);
        elements.emplace_back(amplitude * std::cos(theta), amplitude * std::sin(theta));
    }
    elements[side * side - 3] = {1e-7, -1e-7};
    elements[side * side / 2 + 77] = {-3e9, 2e9};
    return matrix_of(elements, side);
}

// The log display written out from its definition.
std::vector<int> log_display_by_definition(const matrix& m)
{
    const double* d = m.get_data();
    std::vector<double> levels;
    for (std::uint64_t k = 0; k < m.size(); k += 2) {
        levels.push_back(std::log1p(std::sqrt(d[k] * d[k] + d[k + 1] * d[k + 1])));
    }
    const auto [lowest, highest] = std::minmax_element(levels.begin(), levels.end());
    std::vector<int> greys;
    for (const double level : levels) {
        greys.push_back(level == *highest ? 255
                                          : static_cast<int>(std::floor(255 * (level - *lowest) /
                                                                        (*highest - *lowest))));
    }
    return greys;
}

std::vector<int> phase_display_by_definition(const matrix& m)
{
    const double* d = m.get_data();
    std::vector<int> greys;
    for (std::uint64_t k = 0; k < m.size(); k += 2) {
        const double pi = std::numbers::pi;
        const double grey = std::floor(256 * (std::atan2(d[k + 1], d[k]) + pi) / (2 * pi));
        greys.push_back(std::min(static_cast<int>(grey), 255));
    }
    return greys;
}

// Every row of the table is reached by its name and, where it has one, its number, and by
// nothing else; the numbers are the window's modes 0 to 3.
TEST(DisplayChoice, EachDisplayIsReachedByItsOwnNameAndNumberOnly)
{
    std::vector<int> numbers;
    for (const display_entry& entry : display_table) {
        EXPECT_EQ(display_named(entry.name), entry.shown) << entry.name;
        EXPECT_EQ(display_name(entry.shown), entry.name);
        EXPECT_EQ(&entry_of(entry.shown), &entry);
        if (entry.number >= 0) {
            EXPECT_EQ(display_numbered(entry.number), entry.shown) << entry.name;
            numbers.push_back(entry.number);
        }
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3}));
    for (const char* other : {"", "Log", "amp", "2", "phase ", "logarithm"}) {
        EXPECT_EQ(display_named(other), std::nullopt) << other;
    }
    for (const int other : {-1, 4, 5, 1000}) {
        EXPECT_EQ(display_numbered(other), std::nullopt) << other;
    }
    EXPECT_THROW(display_name(static_cast<spectrum_display>(6)), std::invalid_argument);
    EXPECT_THROW(display_name(static_cast<spectrum_display>(-1)), std::invalid_argument);
}

// With Lmin = 0 (a zero element) and Lmax = 2 (amplitude e^2 - 1), L = 1 paints
// floor(127.5) and L = 0.5 floor(63.75), whatever the sign and direction of the element.
TEST(LogDisplay, KnownAmplitudesPaintTheirShareOfTheLogRange)
{
    const double e_half = std::exp(0.5) - 1;
    const double e_one = std::exp(1.0) - 1;
    const double e_two = std::exp(2.0) - 1;
    EXPECT_EQ(painted({{0.0, 0.0},
                       {e_two, 0.0},
                       {-e_one, 0.0},
                       {0.0, e_one},
                       {0.0, -e_half},
                       {-0.0, -0.0},
                       {e_one * 0.6, e_one * 0.8}},
                      spectrum_display::log),
              (std::vector<int>{0, 255, 127, 127, 63, 0, 127}));
}

TEST(LogDisplay, TheSmallestAmplitudeIsBlackEvenWhenItIsNotZero)
{
    // L from 1 to 3: L = 2 is half way.
    const double a1 = std::exp(1.0) - 1;
    const double a2 = std::exp(2.0) - 1;
    const double a3 = std::exp(3.0) - 1;
    EXPECT_EQ(
        painted({{a3, 0.0}, {0.0, -a1}, {-a2, 0.0}, {a1 * 0.6, -a1 * 0.8}}, spectrum_display::log),
        (std::vector<int>{255, 0, 127, 0}));
}

TEST(LogDisplay, AMatrixOfOneLevelIsBlack)
{
    EXPECT_EQ(painted({{5.0, 0.0}, {-5.0, 0.0}, {0.0, 5.0}, {3.0, -4.0}}, spectrum_display::log),
              (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(painted({{0.0, 0.0}, {-0.0, 0.0}}, spectrum_display::log), (std::vector<int>{0, 0}));
    EXPECT_EQ(painted({{nan, 0.0}, {1.0, nan}}, spectrum_display::log), (std::vector<int>{0, 0}));
    EXPECT_EQ(painted({{inf, 0.0}, {0.0, -inf}}, spectrum_display::log), (std::vector<int>{0, 0}));
}

// What no picture makes still paints defined bytes: NaN is left out of the range and
// paints 0; an infinite amplitude is Lmax, paints 255 and leaves every finite one at 0.
// The amplitude is sqrt(re^2 + im^2) as in the amplitude display: 1e200 squared is
// infinite, so that element counts as infinite too (hypot would have kept it finite, and
// painted it darker than 1e300).
TEST(LogDisplay, NaNAndInfinityPaintBytesInRange)
{
    EXPECT_EQ(painted({{nan, 0.0},
                       {0.0, 0.0},
                       {std::exp(2.0) - 1, 0.0},
                       {std::exp(1.0) - 1, nan},
                       {0.0, std::exp(1.0) - 1}},
                      spectrum_display::log),
              (std::vector<int>{0, 0, 255, 0, 127}));
    EXPECT_EQ(painted({{1.0, 0.0}, {-inf, 0.0}, {1e6, 0.0}, {nan, inf}, {0.0, 0.0}},
                      spectrum_display::log),
              (std::vector<int>{0, 255, 0, 0, 0}));
    EXPECT_EQ(
        painted({{1e200, 0.0}, {1e300, 0.0}, {1e100, 1e100}, {1e150, 0.0}}, spectrum_display::log),
        (std::vector<int>{255, 255, 0, 0}));
}

TEST(LogDisplay, TheRangeComesFromTheWholeMatrixOnEveryThreadCount)
{
    const matrix m = random_spectrum();
    const std::vector<int> want = log_display_by_definition(m);
    ASSERT_EQ(std::count(want.begin(), want.end(), 0), 1);
    ASSERT_EQ(std::count(want.begin(), want.end(), 255), 1);
    for (const int threads : {1, 2, 3}) {
        const shared_among sharing(threads);
        const log_range range = find_log_range(m);
        EXPECT_EQ(range.lowest, std::log1p(std::sqrt(1e-7 * 1e-7 + 1e-7 * 1e-7))) << threads;
        EXPECT_EQ(range.highest, std::log1p(std::sqrt(9e18 + 4e18))) << threads << " threads";
        EXPECT_EQ(painted(m, spectrum_display::log), want) << threads << " threads";
    }
}

// Amplitudes whose L is at every level's edge or a few units in the last place either side,
// between a smallest and a largest amplitude: where a looked-up level could differ from the
// one worked out, it is at these edges.
matrix edges_of_levels(double smallest, double largest)
{
    const double low = std::log1p(smallest);
    const double high = std::log1p(largest);
    element_list elements{{smallest, 0.0}, {largest, 0.0}, {0.0, nan}};
    for (int level = 1; level < 256; ++level) {
        double edge = low + level * (high - low) / 255;
        for (int step = 0; step < 8; ++step) {
            edge = std::nextafter(edge, 0.0);
        }
        for (int step = 0; step < 16; ++step) {
            edge = std::nextafter(edge, inf);
            const double amplitude = std::expm1(edge);
            elements.emplace_back(amplitude * 0.6, amplitude * 0.8);
            elements.emplace_back(0.0, amplitude);
        }
    }
    return matrix_of(elements);
}

// The table of levels gives every pixel the level worked out from its own L, on narrow and
// wide ranges (coarse buckets), near zero and near the largest doubles, whose edges fall
// inside buckets or on their bounds.
TEST(LogDisplay, LookedUpLevelsAreTheLevelsWorkedOutAtEveryEdge)
{
    const std::vector<std::pair<double, double>> ranges = {
        {0.0, 1e9}, {1e-3, 2e8}, {0.0, 1.0}, {1000.0, 1001.0}, {1e-300, 1e150}, {1.0, 1.0000001}};
    for (const auto& [smallest, largest] : ranges) {
        const matrix m = edges_of_levels(smallest, largest);
        const log_range range = find_log_range(m);
        const double* d = m.get_data();
        std::vector<int> want;
        for (std::uint64_t k = 0; k < m.size(); k += 2) {
            want.push_back(log_level(range, d[k], d[k + 1]));
        }
        EXPECT_EQ(painted(m, spectrum_display::log), want) << smallest << " to " << largest;
        // Every level is painted: the edges are where they should be.
        for (int level = 0; level < 256; ++level) {
            EXPECT_NE(std::find(want.begin(), want.end(), level), want.end())
                << level << " in " << smallest << " to " << largest;
        }
    }
}

// Signs of zero choose between the two ends of the scale on the negative real axis.
TEST(PhaseDisplay, KnownDirectionsAndSignedZeros)
{
    const std::vector<std::pair<std::pair<double, double>, int>> cases = {
        {{1.0, 0.0}, 128},  {{1.0, -0.0}, 128}, {{0.0, 1.0}, 192},     {{0.0, -2.5}, 64},
        {{-1.0, 0.0}, 255}, {{-1.0, -0.0}, 0},  {{1.0, 1.0}, 160},     {{-3.0, 3.0}, 224},
        {{-7.0, -7.0}, 32}, {{5.0, -5.0}, 96},  {{0.0, 0.0}, 128},     {{0.0, -0.0}, 128},
        {{-0.0, 0.0}, 255}, {{-0.0, -0.0}, 0},  {{-2.0, 1e-300}, 255}, {{-2.0, -1e-300}, 0},
        {{nan, 1.0}, 0},    {{1.0, nan}, 0},    {{inf, inf}, 160},     {{-inf, 0.0}, 255},
        {{-inf, -1.0}, 0},  {{3.0, 4.0}, 165}};
    for (const auto& [element, grey] : cases) {
        EXPECT_EQ(phase_level(element.first, element.second), grey)
            << element.first << " + i " << element.second;
        EXPECT_EQ(painted({element}, spectrum_display::phase), std::vector<int>{grey})
            << element.first << " + i " << element.second;
    }
}

TEST(PhaseDisplay, TheSamePictureOnEveryThreadCount)
{
    const matrix m = random_spectrum();
    const std::vector<int> want = phase_display_by_definition(m);
    for (const int threads : {1, 2, 3}) {
        const shared_among sharing(threads);
        EXPECT_EQ(painted(m, spectrum_display::phase), want) << threads << " threads";
    }
}

// Elements a few units in the last place either side of every level's edge, in every
// quadrant and at amplitudes from tiny to huge, and at every level's centre, paint
// phase_level's levels: the near angle is trusted only away from the edges.
TEST(PhaseDisplay, EveryEdgeOfEveryLevelPaintsAsWorkedOut)
{
    element_list elements;
    for (int edge = 0; edge <= 256; ++edge) {
        double angle = -std::numbers::pi + 2 * std::numbers::pi * edge / 256;
        const double centre = angle + std::numbers::pi / 256;
        elements.emplace_back(std::cos(centre), std::sin(centre));
        for (int step = 0; step < 4; ++step) {
            angle = std::nextafter(angle, -inf);
        }
        for (int step = 0; step < 8; ++step, angle = std::nextafter(angle, inf)) {
            for (const double amplitude : {1e-300, 1.0, 3e5, 1e300}) {
                elements.emplace_back(amplitude * std::cos(angle), amplitude * std::sin(angle));
            }
        }
    }
    const matrix m = matrix_of(elements);
    std::vector<int> want;
    for (const auto& [re, im] : elements) {
        want.push_back(phase_level(re, im));
    }
    EXPECT_EQ(painted(m, spectrum_display::phase), want);
    for (int level = 0; level < 256; ++level) {
        EXPECT_NE(std::find(want.begin(), want.end(), level), want.end()) << level;
    }
}

TEST(PaintSpectrum, TheNumberedDisplaysPaintAsTheirModes)
{
    const matrix m = random_spectrum();
    const int width = m.get_cols() / 2;
    for (const int mode : {0, 1, 2, 3}) {
        std::vector<int> want;
        for (int y = 0; y < m.get_rows(); ++y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
            paint_row(mode, 0.01, m.get_data() + static_cast<std::size_t>(y) * m.get_cols(), width,
                      row.data());
            want.insert(want.end(), row.begin(), row.end());
        }
        for (const int threads : {1, 3}) {
            const shared_among sharing(threads);
            EXPECT_EQ(painted(m, *display_numbered(mode), 0.01), want)
                << "mode " << mode << ", " << threads << " threads";
        }
    }
}

// Fewer rows than the matrix paint its first rows; more, or an unknown display, paint
// nothing and raise.
TEST(PaintSpectrum, PaintsTheRowsGivenAndRefusesTooManyOrAnUnknownDisplay)
{
    matrix m(3, 8);
    m.get_data()[0] = 2000.0;
    std::vector<std::uint8_t> pixels(16, 9);
    std::vector<std::uint8_t*> rows = {pixels.data(), pixels.data() + 4, pixels.data() + 8,
                                       pixels.data() + 12};
    for (const display_entry& entry : display_table) {
        EXPECT_THROW(paint_spectrum(m, {entry.shown, 1.0}, rows), std::invalid_argument);
    }
    EXPECT_THROW(
        paint_spectrum(m, {static_cast<spectrum_display>(6), 1.0}, std::span(rows).first(3)),
        std::invalid_argument);
    EXPECT_EQ(pixels, std::vector<std::uint8_t>(16, 9));

    paint_spectrum(m, {spectrum_display::amplitude, 0.1}, std::span(rows).first(2));
    EXPECT_EQ(pixels,
              (std::vector<std::uint8_t>{200, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9}));
}

} // namespace
