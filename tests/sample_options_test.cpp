#include "fourier.h"
#include "hann_window.h"
#include "matrix.h"
#include "mean_padding.h"
#include "sample_options.h"

#include "direct_dft.h"
#include "shared_among.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using cvec = std::vector<std::complex<double>>;

// A picture of width x height pixels, row after row.
struct picture
{
    int width;
    int height;
    std::vector<double> pixels;

    double at(int y, int x) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

picture random_picture(int width, int height, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    picture p{width, height, {}};
    for (int k = 0; k < width * height; ++k) {
        p.pixels.push_back(byte(engine));
    }
    return p;
}

// The picture sampled as the pipeline samples it: pixel bytes in the real parts at the
// top left of a padded_height x padded_width matrix, zeros elsewhere.
matrix sampled(const picture& p, int padded_width, int padded_height)
{
    matrix m(padded_height, 2 * padded_width);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            m.get_data()[2 * (static_cast<std::size_t>(y) * padded_width + x)] = p.at(y, x);
        }
    }
    return m;
}

cvec elements_of(const matrix& m)
{
    cvec elements;
    for (std::uint64_t k = 0; k < m.size(); k += 2) {
        elements.emplace_back(m.get_data()[k], m.get_data()[k + 1]);
    }
    return elements;
}

// The Hann weight written out from its formula.
double hann(int n, int side)
{
    const double pi = std::numbers::pi;
    return side == 1 ? 1.0 : 0.5 - 0.5 * std::cos(2 * pi * n / (side - 1));
}

// The samples the options should leave, worked out in the test: the window first, then
// the padding from the mean of the windowed samples, summed in long double.
cvec prepared_by_definition(const picture& p, int padded_width, int padded_height, bool window,
                            bool mean)
{
    cvec samples;
    long double sum = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const double weight = window ? hann(y, p.height) * hann(x, p.width) : 1.0;
            sum += p.at(y, x) * weight;
        }
    }
    const double padding = mean ? static_cast<double>(sum / (p.width * p.height)) : 0.0;
    for (int y = 0; y < padded_height; ++y) {
        for (int x = 0; x < padded_width; ++x) {
            if (y < p.height && x < p.width) {
                const double weight = window ? hann(y, p.height) * hann(x, p.width) : 1.0;
                samples.emplace_back(p.at(y, x) * weight, 0.0);
            } else {
                samples.emplace_back(padding, 0.0);
            }
        }
    }
    return samples;
}

void transform(matrix& m)
{
    const std::uint32_t lengths[2] = {static_cast<std::uint32_t>(m.get_rows()),
                                      static_cast<std::uint32_t>(m.get_cols() / 2)};
    FourierND(one_based<double>{m.get_data()}, one_based<const std::uint32_t>{lengths}, 2, +1);
}

double max_difference(const cvec& a, const cvec& b)
{
    double worst = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        worst = std::max(worst, std::abs(a[k] - b[k]));
    }
    return worst;
}

TEST(HannWeight, ZeroAtBothEndsOneInTheMiddleOneForASideOfOne)
{
    for (const std::int64_t side : {2, 3, 5, 8, 9, 100, 101, 4097, 1 << 29}) {
        EXPECT_EQ(hann_weight(0, side), 0.0) << side;
        EXPECT_EQ(hann_weight(side - 1, side), 0.0) << side;
        if (side % 2 == 1) {
            EXPECT_EQ(hann_weight((side - 1) / 2, side), 1.0) << side;
        }
    }
    EXPECT_EQ(hann_weight(0, 1), 1.0);
    // A quarter of the way: 0.5 - 0.5 cos(pi / 2) = 0.5.
    EXPECT_NEAR(hann_weight(2, 9), 0.5, 1e-15);
    EXPECT_NEAR(hann_weight(6, 9), 0.5, 1e-15);
    for (const int n : {1, 2, 3, 4, 5}) {
        EXPECT_EQ(hann_weight(n, 7), hann(n, 7)) << n;
    }
}

// A 5 x 3 picture in an 8 x 4 matrix, and pictures with a side of 1 or no padding.
TEST(HannWindow, WeighsThePictureOverItsOwnSidesAndLeavesThePadding)
{
    struct shape
    {
        int width, height, padded_width, padded_height;
    };
    for (const shape s : {shape{5, 3, 8, 4}, shape{1, 3, 1, 4}, shape{6, 1, 8, 1},
                          shape{4, 4, 4, 4}, shape{1, 1, 2, 2}}) {
        const picture p = random_picture(s.width, s.height, 5);
        matrix m = sampled(p, s.padded_width, s.padded_height);
        apply_hann_window(m, s.width, s.height);
        const cvec want = prepared_by_definition(p, s.padded_width, s.padded_height, true, false);
        EXPECT_EQ(elements_of(m), want) << s.width << " x " << s.height;
    }
}

// The sum of the bytes of a 5 x 3 picture is exact, and so its mean is the nearest double.
TEST(MeanPadding, ThePaddingHoldsTheMeanOfThePicture)
{
    const picture p = random_picture(5, 3, 7);
    matrix m = sampled(p, 8, 4);
    fill_padding_with_mean(m, 5, 3);
    EXPECT_EQ(elements_of(m), prepared_by_definition(p, 8, 4, false, true));
}

TEST(MeanPadding, NoPaddingOrNoPictureLeavesTheMatrixAsItIs)
{
    const picture p = random_picture(4, 2, 3);
    matrix full = sampled(p, 4, 2);
    fill_padding_with_mean(full, 4, 2);
    EXPECT_EQ(elements_of(full), prepared_by_definition(p, 4, 2, false, false));
    matrix empty(2, 4);
    fill_padding_with_mean(empty, 0, 0);
    EXPECT_EQ(elements_of(empty), cvec(4));
    EXPECT_EQ(sample_mean(empty, 2, 0), 0.0);
}

// Summed naively from the left, 1e17 + 1 - 1e17 + 1 loses the first 1: the mean would
// be 0.25.
TEST(MeanPadding, TheSumKeepsWhatRoundingWouldLose)
{
    matrix m(2, 8);
    const double row[8] = {1e17, 0, 1, 0, -1e17, 0, 1, 0};
    std::memcpy(m.get_data(), row, sizeof row);
    EXPECT_EQ(sample_mean(m, 4, 1), 0.5);
    fill_padding_with_mean(m, 4, 1);
    EXPECT_EQ(m.get_data()[8], 0.5);
}

TEST(SampleOptions, ThePictureMustFitTheMatrix)
{
    matrix m(4, 16);
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{9, 4}, {8, 5}, {-1, 2}, {2, -1}}) {
        EXPECT_THROW(apply_hann_window(m, width, height), std::invalid_argument);
        EXPECT_THROW(fill_padding_with_mean(m, width, height), std::invalid_argument);
        EXPECT_THROW(prepare_samples(m, width, height, {}), std::invalid_argument);
    }
}

// The options' spectra against the defining sum of what the test itself prepared.
TEST(SampleOptions, SpectraMatchTheDirectSumOfTheirSamples)
{
    const picture p = random_picture(5, 3, 11);
    for (const bool window : {false, true}) {
        for (const bool mean : {false, true}) {
            matrix m = sampled(p, 8, 4);
            prepare_samples(m, 5, 3,
                            {window ? sample_window::hann : sample_window::none,
                             mean ? sample_padding::mean : sample_padding::zero});
            transform(m);
            const cvec want = direct_dft(prepared_by_definition(p, 8, 4, window, mean), {4, 8}, +1);
            EXPECT_LT(max_difference(elements_of(m), want), 1e-9)
                << "window " << window << ", mean " << mean;
        }
    }
}

// The mean is of the windowed samples: a window that left the mean of the bytes in the
// padding would not match.
TEST(SampleOptions, WindowThenMean)
{
    const picture p = random_picture(6, 5, 17);
    matrix m = sampled(p, 8, 8);
    prepare_samples(m, 6, 5, {sample_window::hann, sample_padding::mean});
    const cvec want = prepared_by_definition(p, 8, 8, true, true);
    const cvec got = elements_of(m);
    for (std::size_t k = 0; k < got.size(); ++k) {
        EXPECT_NEAR(got[k].real(), want[k].real(), 1e-12) << k;
        EXPECT_EQ(got[k].imag(), 0.0) << k;
    }
    matrix unwindowed = sampled(p, 8, 8);
    fill_padding_with_mean(unwindowed, 6, 5);
    EXPECT_GT(std::abs(unwindowed.get_data()[12] - got[6].real()), 1.0);
}

// Large enough to be shared among the worker threads, with a strip of columns cut short.
TEST(SampleOptions, TheSameSamplesOnEveryThreadCount)
{
    const picture p = random_picture(700, 300, 19);
    std::vector<double> first;
    for (const int threads : {1, 2, 3}) {
        const shared_among sharing(threads);
        matrix m = sampled(p, 1024, 512);
        prepare_samples(m, 700, 300, {sample_window::hann, sample_padding::mean});
        const std::vector<double> doubles(m.get_data(), m.get_data() + m.size());
        if (first.empty()) {
            first = doubles;
            const cvec want = prepared_by_definition(p, 1024, 512, true, true);
            const double last_padding = doubles[doubles.size() - 2];
            EXPECT_NEAR(last_padding, want.back().real(), 1e-12);
            EXPECT_EQ(doubles[2 * 1023], last_padding);
            EXPECT_EQ(doubles[2 * (299 * 1024 + 699)], want[299 * 1024 + 699].real());
        } else {
            EXPECT_TRUE(doubles == first) << threads << " threads";
        }
    }
}

} // namespace
