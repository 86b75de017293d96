#include "fourier.h"
#include "plain_fourier.h"
#include "work_crew.h"

#include <benchmark/benchmark.h>

#if defined(WIDMO_WITH_FFTW)
#include <fftw3.h>
#endif

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

// Each run times one in-place transform with the positive exponent of a rows x cols
// complex array, restored from the same random data before every iteration outside the
// timing, so every contender starts from the same numbers and the same cache state.

namespace {

struct Shape
{
    std::uint32_t rows;
    std::uint32_t cols;
};

constexpr Shape shapes[] = {{1024, 1024}, {2048, 2048}, {4096, 4096}, {8192, 1024}};

std::vector<double> random_data(const Shape& shape)
{
    std::mt19937_64 engine(1);
    std::uniform_real_distribution<double> value(0.0, 255.0);
    std::vector<double> x(2 * std::uint64_t{shape.rows} * shape.cols);
    std::generate(x.begin(), x.end(), [&] { return value(engine); });
    return x;
}

template <typename Transform>
void time_in_place(benchmark::State& state, const Shape& shape, double* work, Transform transform)
{
    static std::vector<double> source;
    if (source.size() != 2 * std::uint64_t{shape.rows} * shape.cols) {
        source = random_data(shape);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(source.begin(), source.end(), work);
        state.ResumeTiming();
        transform();
        benchmark::DoNotOptimize(work[0]);
        benchmark::ClobberMemory();
    }
}

using Transform = void (*)(one_based<double>, one_based<const std::uint32_t>, int, int);

void time_widmo(benchmark::State& state, Shape shape, Transform transform)
{
    std::vector<double> x(2 * std::uint64_t{shape.rows} * shape.cols);
    const std::uint32_t lengths[] = {shape.rows, shape.cols};
    time_in_place(state, shape, x.data(), [&] {
        transform(one_based<double>{x.data()}, one_based<const std::uint32_t>{lengths}, 2, +1);
    });
}

void time_kernel(benchmark::State& state, Shape shape, transform_kernel kernel)
{
    if (!fourier_kernel_supported(kernel)) {
        state.SkipWithError("kernel not supported on this processor");
        return;
    }
    use_fourier_kernel(kernel);
    time_widmo(state, shape, FourierND);
}

transform_kernel widest_kernel()
{
    transform_kernel widest = transform_kernel::scalar;
    for (transform_kernel kernel : {transform_kernel::avx2, transform_kernel::avx512}) {
        widest = fourier_kernel_supported(kernel) ? kernel : widest;
    }
    return widest;
}

// The widest kernel with the transform shared among `threads` threads (wall time).
void time_shared(benchmark::State& state, Shape shape, int threads)
{
    use_fourier_kernel(widest_kernel());
    use_worker_threads(threads);
    time_widmo(state, shape, FourierND);
    use_worker_threads(1);
}

#if defined(WIDMO_WITH_FFTW)
// FFTW's backward transform is the sum with the positive exponent, unscaled.
void time_fftw(benchmark::State& state, Shape shape)
{
    const std::uint64_t count = std::uint64_t{shape.rows} * shape.cols;
    auto* x = static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * count));
    const fftw_plan plan =
        fftw_plan_dft_2d(static_cast<int>(shape.rows), static_cast<int>(shape.cols), x, x,
                         FFTW_BACKWARD, FFTW_MEASURE);
    time_in_place(state, shape, &x[0][0], [&] { fftw_execute(plan); });
    fftw_destroy_plan(plan);
    fftw_free(x);
}
#endif

#if defined(WIDMO_WITH_FFTW_THREADS)
// FFTW's plan for `threads` threads, made and measured the same way.
void time_fftw_shared(benchmark::State& state, Shape shape, int threads)
{
    static const bool started = fftw_init_threads() != 0;
    if (!started) {
        state.SkipWithError("FFTW's threads could not start");
        return;
    }
    fftw_plan_with_nthreads(threads);
    time_fftw(state, shape);
    fftw_plan_with_nthreads(1);
}
#endif

std::string label(const char* contender, const Shape& shape)
{
    return std::string(contender) + "/" + std::to_string(shape.rows) + "x" +
           std::to_string(shape.cols);
}

void register_all()
{
    constexpr struct
    {
        transform_kernel kernel;
        const char* name;
    } kernels[] = {{transform_kernel::scalar, "scalar"},
                   {transform_kernel::avx2, "avx2"},
                   {transform_kernel::avx512, "avx512"}};
    const int threads = std::max(2, static_cast<int>(std::thread::hardware_concurrency()));
    const std::string shared = std::to_string(threads) + "threads";
    for (const Shape& shape : shapes) {
#if defined(WIDMO_WITH_FFTW)
        benchmark::RegisterBenchmark(label("fftw", shape).c_str(), time_fftw, shape)
            ->Unit(benchmark::kMillisecond);
#endif
        for (const auto& k : kernels) {
            benchmark::RegisterBenchmark(label(k.name, shape).c_str(), time_kernel, shape, k.kernel)
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(label("plain", shape).c_str(), time_widmo, shape,
                                     plain_fourier_nd)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        // Threads share the work: their wall time is what a user waits.
#if defined(WIDMO_WITH_FFTW_THREADS)
        benchmark::RegisterBenchmark(label(("fftw-" + shared).c_str(), shape).c_str(),
                                     time_fftw_shared, shape, threads)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
#endif
        benchmark::RegisterBenchmark(label(("widmo-" + shared).c_str(), shape).c_str(), time_shared,
                                     shape, threads)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    register_all();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
