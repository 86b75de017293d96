#pragma once

#include <cmath>

// A running sum that keeps the rounding error of each addition beside it (Neumaier's
// form of Kahan's summation), so that the total of many doubles is as good as if it had
// been added up in twice the precision. Example: adding 1e17, 1 and -1e17 in doubles gives
// 0, as 1e17 + 1 rounds back to 1e17; here that lost 1 is kept in `carry`, and the total
// is 1. A term that is infinite or NaN makes the total NaN.
struct compensated_sum
{
    double sum = 0.0;
    double carry = 0.0;

    void add(double value)
    {
        const double next = sum + value;
        // What the addition lost: of the smaller term, the part the larger one swallowed.
        if (std::fabs(sum) >= std::fabs(value)) {
            carry += (sum - next) + value;
        } else {
            carry += (value - next) + sum;
        }
        sum = next;
    }

    void add(const compensated_sum& other)
    {
        add(other.sum);
        add(other.carry);
    }

    double total() const { return sum + carry; }
};
