#pragma once

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

// The discrete Fourier transform by its defining sum, for arrays of any number of
// dimensions (last index fastest): X[u] = sum over k of a[k] exp(sign 2 pi i <u, k/n>).
inline std::vector<std::complex<double>> direct_dft(const std::vector<std::complex<double>>& a,
                                                    const std::vector<std::size_t>& lengths,
                                                    int sign)
{
    const std::size_t total = a.size();
    const auto index_along = [&](std::size_t flat, std::size_t d) {
        for (std::size_t e = lengths.size() - 1; e > d; --e) {
            flat /= lengths[e];
        }
        return flat % lengths[d];
    };
    std::vector<std::complex<double>> out(total);
    for (std::size_t u = 0; u < total; ++u) {
        std::complex<long double> sum = 0;
        for (std::size_t k = 0; k < total; ++k) {
            long double phase = 0;
            for (std::size_t d = 0; d < lengths.size(); ++d) {
                phase +=
                    static_cast<long double>(index_along(u, d) * index_along(k, d) % lengths[d]) /
                    lengths[d];
            }
            const long double angle = sign * 2 * 3.141592653589793238462643383279L * phase;
            sum += std::complex<long double>(a[k].real(), a[k].imag()) *
                   std::complex<long double>(std::cos(angle), std::sin(angle));
        }
        out[u] = {static_cast<double>(sum.real()), static_cast<double>(sum.imag())};
    }
    return out;
}
