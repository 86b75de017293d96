#include "plain_fourier.h"

#include <cmath>
#include <utility>

namespace {

// The transform's 2 pi, written out here again so that the reference does not take it from
// the code it checks; the last digits differ from the double nearest 2 pi, and keeping them
// keeps every result bit for bit.
constexpr double two_pi = 6.28318530717959;

// The geometry of one dimension, in doubles counted from 1.
struct Axis
{
    std::uint64_t step; // distance between neighbouring elements along the axis
    std::uint64_t line; // step x length: one whole run along the axis
    std::uint64_t end;  // 2 x total: the last position of the array
};

void swap_pairs(one_based<double> x, std::uint64_t p, std::uint64_t q)
{
    std::swap(x[p], x[q]);
    std::swap(x[p + 1], x[q + 1]);
}

// Exchange the element group at i with the one at rev, in every line of the array.
void exchange_groups(one_based<double> x, const Axis& axis, std::uint64_t i, std::uint64_t rev)
{
    for (std::uint64_t j = i; j <= i + axis.step - 2; j += 2) {
        for (std::uint64_t k = j; k <= axis.end; k += axis.line) {
            swap_pairs(x, k, rev + k - i);
        }
    }
}

// Put the elements of every line in bit-reversed order of their index along the axis.
void reverse_bits(one_based<double> x, const Axis& axis)
{
    std::uint64_t rev = 1;
    for (std::uint64_t i = 1; i <= axis.line; i += axis.step) {
        if (i < rev) {
            exchange_groups(x, axis, i, rev);
        }
        std::uint64_t bit = axis.line / 2;
        while (bit >= axis.step && rev > bit) {
            rev -= bit;
            bit /= 2;
        }
        rev += bit;
    }
}

// A rotation factor w = (cr, ci) and its increment, derived from the pass's angle.
struct Rotation
{
    double cr = 1.0;
    double ci = 0.0;
    double dr;
    double di;

    explicit Rotation(double angle)
    {
        const double s = std::sin(0.5 * angle);
        dr = -2.0 * s * s;
        di = std::sin(angle);
    }

    // w <- w + w * (dr + i di): the trigonometric recurrence, from the old values.
    void advance()
    {
        const double old_cr = cr;
        cr = cr * dr - ci * di + cr;
        ci = ci * dr + old_cr * di + ci;
    }
};

// x[a] <- x[a] + w x[b], x[b] <- x[a] - w x[b], for the pairs at a and b.
void butterfly(one_based<double> x, std::uint64_t a, std::uint64_t b, const Rotation& w)
{
    const double tr = w.cr * x[b] - w.ci * x[b + 1];
    const double ti = w.cr * x[b + 1] + w.ci * x[b];
    x[b] = x[a] - tr;
    x[b + 1] = x[a + 1] - ti;
    x[a] = x[a] + tr;
    x[a + 1] = x[a + 1] + ti;
}

// One pass: combine transforms of length span/step into ones of twice that length.
void butterfly_pass(one_based<double> x, const Axis& axis, std::uint64_t span, int direction)
{
    const std::uint64_t full = 2 * span;
    const double angle = direction * two_pi / static_cast<double>(full / axis.step);
    Rotation w(angle);
    for (std::uint64_t m = 1; m <= span; m += axis.step) {
        for (std::uint64_t j = m; j <= m + axis.step - 2; j += 2) {
            for (std::uint64_t a = j; a <= axis.end; a += full) {
                butterfly(x, a, a + span, w);
            }
        }
        w.advance();
    }
}

void transform_axis(one_based<double> x, const Axis& axis, int direction)
{
    reverse_bits(x, axis);
    for (std::uint64_t span = axis.step; span < axis.line; span *= 2) {
        butterfly_pass(x, axis, span, direction);
    }
}

} // namespace

void plain_fourier_nd(one_based<double> data, one_based<const std::uint32_t> lengths,
                      int dimensions, int direction)
{
    std::uint64_t total = 1;
    for (int d = 1; d <= dimensions; ++d) {
        total *= lengths[d];
    }
    std::uint64_t done = 1;
    for (int d = dimensions; d >= 1; --d) {
        const std::uint64_t length = lengths[d];
        const std::uint64_t rest = total / (length * done);
        const std::uint64_t step = 2 * done;
        const std::uint64_t line = step * length;
        transform_axis(data, Axis{step, line, line * rest}, direction);
        done *= length;
    }
}
