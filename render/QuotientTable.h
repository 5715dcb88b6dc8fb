#pragma once
// Exact integer quotients floor(x / n) without a division per pixel: x times a reciprocal of
// n rounded up by one step, truncated. That reciprocal is never below 1 / n, so when n
// divides x the product cannot fall below the quotient; and it is less than 2^-50 too large
// relative to 1 / n, while a quotient that is not whole lies at least 1 / n below the next
// integer, so the product cannot reach it either while x < 2^50.

#include <cmath>
#include <cstdint>
#include <vector>

class QuotientTable {
public:
    // Divisors 1 .. largestDivisor.
    explicit QuotientTable(std::uint32_t largestDivisor) : reciprocals_(std::size_t(largestDivisor) + 1, 0.0) {
        for (std::uint32_t n = 1; n <= largestDivisor; ++n) reciprocals_[n] = roundedUpReciprocal(n);
    }

    // 1.0 / n is correctly rounded, so one step up is at or above the exact reciprocal.
    static double roundedUpReciprocal(std::uint32_t n) { return std::nextafter(1.0 / n, 2.0); }

    // The same in float, for twice as many quotients to a vector: less than 2^-22 too large
    // relative to 1 / n, so exact while x < 2^22; and the product, rounded to a float, stays
    // below the next integer while that lies 1 / n away and the float steps there (at most
    // 2^-8 below 2^16) are finer. Divisors up to kLongestFloatDivisor, whose sums of 16-bit
    // values stay below 2^22.
    static constexpr std::uint32_t kLongestFloatDivisor = 63;
    static float roundedUpFloatReciprocal(std::uint32_t n) { return std::nextafter(1.0f / n, 2.0f); }

    std::uint32_t largestDivisor() const { return static_cast<std::uint32_t>(reciprocals_.size() - 1); }

    // The reciprocals by divisor, for vector loops that fetch them per lane; entry 0 is 0.
    const double* reciprocals() const { return reciprocals_.data(); }

    // Needs 1 <= n <= largestDivisor() and x < 2^50.
    std::uint32_t quotient(std::uint64_t x, std::uint32_t n) const {
        return static_cast<std::uint32_t>(static_cast<double>(x) * reciprocals_[n]);
    }

private:
    std::vector<double> reciprocals_;
};
