#include "fourier.h"
#include "work_crew.h"

#include "direct_dft.h"
#include "plain_fourier.h"

#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using cvec = std::vector<std::complex<double>>;

cvec random_array(std::size_t total, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    cvec a(total);
    for (auto& z : a) {
        z = {value(engine), value(engine)};
    }
    return a;
}

// Runs FourierND on a copy of `a`, laid out as (real, imaginary) doubles.
cvec transform(const cvec& a, const std::vector<std::size_t>& lengths, int direction)
{
    std::vector<double> x(2 * a.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        x[2 * k] = a[k].real();
        x[2 * k + 1] = a[k].imag();
    }
    std::vector<std::uint32_t> n(lengths.begin(), lengths.end());
    FourierND(one_based<double>{x.data()}, one_based<const std::uint32_t>{n.data()},
              static_cast<int>(n.size()), direction);
    cvec out(a.size());
    for (std::size_t k = 0; k < a.size(); ++k) {
        out[k] = {x[2 * k], x[2 * k + 1]};
    }
    return out;
}

double max_error(const cvec& got, const cvec& want)
{
    double worst = 0;
    for (std::size_t k = 0; k < got.size(); ++k) {
        worst = std::max(worst, std::abs(got[k] - want[k]));
    }
    return worst;
}

struct Shape
{
    std::vector<std::size_t> lengths;
};

std::size_t total_of(const Shape& s)
{
    std::size_t t = 1;
    for (std::size_t n : s.lengths) {
        t *= n;
    }
    return t;
}

class FourierAgainstDirectSum : public testing::TestWithParam<Shape>
{
};

TEST_P(FourierAgainstDirectSum, BothDirectionsMatchTheDefiningSum)
{
    const Shape& shape = GetParam();
    const cvec a = random_array(total_of(shape), 7);
    for (int direction : {+1, -1}) {
        const cvec got = transform(a, shape.lengths, direction);
        const cvec want = direct_dft(a, shape.lengths, direction);
        // Rounding grows with log2(total); the values reach about 100 x total.
        EXPECT_LT(max_error(got, want), 1e-9 * 100 * static_cast<double>(total_of(shape)))
            << "direction " << direction;
    }
}

TEST_P(FourierAgainstDirectSum, ForwardThenBackwardScalesByTheElementCount)
{
    const Shape& shape = GetParam();
    const cvec a = random_array(total_of(shape), 11);
    const cvec back = transform(transform(a, shape.lengths, +1), shape.lengths, -1);
    cvec scaled = a;
    for (auto& z : scaled) {
        z *= static_cast<double>(total_of(shape));
    }
    EXPECT_LT(max_error(back, scaled), 1e-9 * 100 * static_cast<double>(total_of(shape)));
}

INSTANTIATE_TEST_SUITE_P(Shapes, FourierAgainstDirectSum,
                         testing::Values(Shape{{1}}, Shape{{1, 1}}, Shape{{16}}, Shape{{4, 4}},
                                         Shape{{2, 8}}, Shape{{8, 2}}, Shape{{1, 16}},
                                         Shape{{16, 1}}, Shape{{8, 32}}, Shape{{32, 4}},
                                         Shape{{2, 4, 8}}, Shape{{4, 1, 2}}, Shape{{1, 2, 1, 4}}),
                         [](const testing::TestParamInfo<Shape>& shape_info) {
                             std::string name;
                             for (std::size_t n : shape_info.param.lengths) {
                                 name += (name.empty() ? "" : "x") + std::to_string(n);
                             }
                             return name;
                         });

TEST(FourierND, LengthOneLeavesTheArrayUntouchedBitForBit)
{
    const cvec a = random_array(1, 3);
    EXPECT_EQ(transform(a, {1}, +1), a);
    EXPECT_EQ(transform(a, {1, 1, 1}, -1), a);
}

TEST(FourierND, PositiveExponentTurnsAShiftedImpulseIntoPowersOfI)
{
    // 2 rows of 4; the only 1 at row 0, column 1: each row of the result is 1, i, -1, -i.
    cvec a(8);
    a[1] = 1;
    const cvec x = transform(a, {2, 4}, +1);
    const cvec row = {1.0, {0.0, 1.0}, -1.0, {0.0, -1.0}};
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_NEAR(x[k].real(), row[k % 4].real(), 1e-14) << k;
        EXPECT_NEAR(x[k].imag(), row[k % 4].imag(), 1e-14) << k;
    }
}

TEST(FourierND, ImpulseAtTheOriginBecomesExactlyOneEverywhere)
{
    cvec a(16);
    a[0] = 1;
    for (const auto& z : transform(a, {4, 4}, +1)) {
        EXPECT_EQ(z, std::complex<double>(1.0, 0.0));
    }
}

TEST(FourierND, ConstantArrayGathersItsSumAtZeroFrequency)
{
    const cvec a(16, 2.5);
    const cvec x = transform(a, {2, 8}, +1);
    EXPECT_DOUBLE_EQ(x[0].real(), 40.0);
    for (std::size_t k = 1; k < x.size(); ++k) {
        EXPECT_LT(std::abs(x[k]), 1e-12) << k;
    }
}

// Every kernel against the step-by-step transform: the order of the butterflies may
// change, their results may not, so every output double must compare equal.
struct KernelName
{
    transform_kernel kernel;
    const char* name;
    const char* instruction_set; // the one the processor must have
};

void PrintTo(const KernelName& kernel, std::ostream* out)
{
    *out << kernel.name;
}

constexpr KernelName all_kernels[] = {{transform_kernel::scalar, "scalar", "x86-64"},
                                      {transform_kernel::avx2, "avx2", "AVX2"},
                                      {transform_kernel::avx512, "avx512", "AVX-512"}};

std::vector<double> random_doubles(std::size_t count, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> value(-255.0, 255.0);
    std::vector<double> x(count);
    for (double& v : x) {
        v = value(engine);
    }
    return x;
}

using Transform = void (*)(one_based<double>, one_based<const std::uint32_t>, int, int);

std::vector<double> run(Transform f, std::vector<double> x, const std::vector<std::uint32_t>& n,
                        int direction)
{
    f(one_based<double>{x.data()}, one_based<const std::uint32_t>{n.data()},
      static_cast<int>(n.size()), direction);
    return x;
}

// Index of the first position where the two differ, or the size when they agree.
std::size_t first_difference(const std::vector<double>& a, const std::vector<double>& b)
{
    std::size_t k = 0;
    while (k < a.size() && a[k] == b[k]) {
        ++k;
    }
    return k;
}

// With one thread, and shared among two and three: whole chunks of rows in turns, or
// strips of columns when an axis has too few blocks, or nothing when neither works; with
// an odd thread count the strips and turns come out uneven.
using KernelThreadsShape = std::tuple<KernelName, int, std::vector<std::uint32_t>>;

class FourierSameAsPlain : public testing::TestWithParam<KernelThreadsShape>
{
protected:
    void SetUp() override
    {
        const transform_kernel kernel = std::get<0>(GetParam()).kernel;
        if (!fourier_kernel_supported(kernel)) {
            GTEST_SKIP() << "this processor has no " << std::get<0>(GetParam()).instruction_set;
        }
        saved = fourier_kernel();
        use_fourier_kernel(kernel);
        use_worker_threads(std::get<1>(GetParam()));
    }
    void TearDown() override
    {
        use_fourier_kernel(saved);
        use_worker_threads(1);
    }

    transform_kernel saved = transform_kernel::scalar;
};

TEST_P(FourierSameAsPlain, EveryOutputDoubleEqualsThePlainTransform)
{
    const std::vector<std::uint32_t>& n = std::get<2>(GetParam());
    std::size_t total = 2;
    for (std::uint32_t len : n) {
        total *= len;
    }
    const std::vector<double> x =
        random_doubles(total, static_cast<unsigned>(total + std::get<1>(GetParam())));
    for (int direction : {+1, -1}) {
        const std::vector<double> want = run(plain_fourier_nd, x, n, direction);
        const std::vector<double> got = run(FourierND, x, n, direction);
        const std::size_t k = first_difference(got, want);
        ASSERT_EQ(k, total) << "direction " << direction << ", double " << k << ": " << got[k]
                            << " against " << want[k];
    }
}

std::string kernel_threads_shape_name(const testing::TestParamInfo<KernelThreadsShape>& info)
{
    std::string name = std::get<0>(info.param).name;
    if (std::get<1>(info.param) > 1) {
        name += "_" + std::to_string(std::get<1>(info.param)) + "threads";
    }
    for (std::uint32_t n : std::get<2>(info.param)) {
        name += "_" + std::to_string(n);
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FourierSameAsPlain,
    testing::Combine(
        testing::ValuesIn(all_kernels), testing::Values(1),
        testing::Values(std::vector<std::uint32_t>{1}, std::vector<std::uint32_t>{1, 1},
                        std::vector<std::uint32_t>{1, 64}, std::vector<std::uint32_t>{64, 1},
                        std::vector<std::uint32_t>{2, 8}, std::vector<std::uint32_t>{8, 16},
                        std::vector<std::uint32_t>{16, 4}, std::vector<std::uint32_t>{8, 2},
                        std::vector<std::uint32_t>{2, 2048}, std::vector<std::uint32_t>{4096, 4},
                        std::vector<std::uint32_t>{32, 128}, std::vector<std::uint32_t>{512, 1024},
                        std::vector<std::uint32_t>{1024, 256}, std::vector<std::uint32_t>{1 << 17},
                        std::vector<std::uint32_t>{2, 1, 4}, std::vector<std::uint32_t>{4, 2, 1, 8},
                        std::vector<std::uint32_t>{16, 1, 2, 32},
                        std::vector<std::uint32_t>{8, 64, 2},
                        std::vector<std::uint32_t>{64, 32, 16})),
    kernel_threads_shape_name);

INSTANTIATE_TEST_SUITE_P(Shared, FourierSameAsPlain,
                         testing::Combine(testing::ValuesIn(all_kernels), testing::Values(2, 3),
                                          testing::Values(std::vector<std::uint32_t>{2, 2048},
                                                          std::vector<std::uint32_t>{4096, 4},
                                                          std::vector<std::uint32_t>{32, 128},
                                                          std::vector<std::uint32_t>{512, 1024},
                                                          std::vector<std::uint32_t>{1 << 13},
                                                          std::vector<std::uint32_t>{8192, 1},
                                                          std::vector<std::uint32_t>{16, 16, 16},
                                                          std::vector<std::uint32_t>{2, 2, 1024},
                                                          std::vector<std::uint32_t>{4, 1, 2048})),
                         kernel_threads_shape_name);

// Zeros of both signs: every result is a zero whose sign depends on each product and sum
// being the plain transform's own (a shortcut such as skipping the factor (1, 0) keeps
// every value but flips signs of zero), so the bits must agree, not only the values.
TEST(FourierKernels, SignsOfZeroComeOutAsInThePlainTransform)
{
    std::vector<double> x(2 * 16 * 2 * 32);
    for (std::size_t k = 0; k < x.size(); ++k) {
        x[k] = k % 3 == 0 ? -0.0 : 0.0;
    }
    const transform_kernel saved = fourier_kernel();
    for (const auto& n :
         {std::vector<std::uint32_t>{32, 32}, std::vector<std::uint32_t>{16, 2, 32}}) {
        for (const KernelName& k : all_kernels) {
            if (!fourier_kernel_supported(k.kernel)) {
                continue;
            }
            use_fourier_kernel(k.kernel);
            const std::vector<double> want = run(plain_fourier_nd, x, n, -1);
            const std::vector<double> got = run(FourierND, x, n, -1);
            EXPECT_EQ(std::memcmp(got.data(), want.data(), x.size() * sizeof(double)), 0)
                << k.name << " on " << n.size() << " axes";
        }
    }
    use_fourier_kernel(saved);
}

// The environment is read once, at the first transform, so each case runs in a fresh
// copy of this program (a "threadsafe" death test starts the binary anew).
void exit_with_kernel_chosen_by(const char* wanted)
{
    setenv("WIDMO_KERNEL", wanted, 1);
    std::exit(static_cast<int>(fourier_kernel()));
}

int widest_supported()
{
    int widest = 0;
    for (const KernelName& k : all_kernels) {
        widest = fourier_kernel_supported(k.kernel) ? static_cast<int>(k.kernel) : widest;
    }
    return widest;
}

TEST(FourierKernels, EnvironmentNamesThePathOrLeavesTheWidest)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const KernelName& k : all_kernels) {
        if (fourier_kernel_supported(k.kernel)) {
            EXPECT_EXIT(exit_with_kernel_chosen_by(k.name),
                        testing::ExitedWithCode(static_cast<int>(k.kernel)), "")
                << k.name;
        }
    }
    EXPECT_EXIT(exit_with_kernel_chosen_by("sse9"), testing::ExitedWithCode(widest_supported()),
                "");
}

} // namespace
