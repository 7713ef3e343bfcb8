#include "model/number_text.hpp"

#include <cfloat>
#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace tolmin {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_integer_literal(std::string_view literal) {
    for (const char c : literal) {
        if (c == '.' || c == 'e' || c == 'E') return false;
    }
    return true;
}

// The power of ten of the literal's leading significant digit, saturated: positive for magnitudes of ten and
// more. Only used to tell an overflow from an underflow, which lie hundreds of powers apart.
long long decimal_magnitude(std::string_view literal) {
    std::size_t i = 0;
    if (i < literal.size() && literal[i] == '-') ++i;
    long long integer_digits = 0;
    long long first_significant =
        std::numeric_limits<long long>::min();  // position of the leading non-zero digit
    long long position = 0;
    for (; i < literal.size() && is_digit(literal[i]); ++i) {
        if (literal[i] != '0' && first_significant == std::numeric_limits<long long>::min()) {
            first_significant = position;
        }
        ++position;
        ++integer_digits;
    }
    if (i < literal.size() && literal[i] == '.') {
        ++i;
        for (; i < literal.size() && is_digit(literal[i]); ++i) {
            if (literal[i] != '0' && first_significant == std::numeric_limits<long long>::min()) {
                first_significant = position;
            }
            ++position;
        }
    }
    if (first_significant == std::numeric_limits<long long>::min())
        return std::numeric_limits<long long>::min();
    long long exponent = 0;
    if (i < literal.size() && (literal[i] == 'e' || literal[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < literal.size() && (literal[i] == '+' || literal[i] == '-')) {
            negative = literal[i] == '-';
            ++i;
        }
        constexpr long long cap = 1'000'000'000'000LL;
        for (; i < literal.size() && is_digit(literal[i]); ++i) {
            if (exponent < cap) exponent = exponent * 10 + (literal[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return integer_digits - first_significant + exponent;
}

// Clinger's fast path: a decimal significand of at most 2^53 scaled by a power of ten of at most 10^22 is
// one correctly rounded multiplication or division of two exact doubles. It needs double arithmetic without
// excess precision; elsewhere every literal takes the general conversion.
bool fast_path(std::string_view literal, double& value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
    static constexpr double POWERS[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::ptrdiff_t MAX_POWER = 22;
    constexpr std::ptrdiff_t MAX_DIGITS = 19;  // any 19 digits fit 64 bits (more may wrap; they are not used)
    const char* p = literal.data();
    const char* const end = p + literal.size();
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    std::uint64_t significand = 0;
    const char* const integer = p;
    while (p != end && is_digit(*p)) significand = significand * 10 + static_cast<std::uint64_t>(*p++ - '0');
    std::ptrdiff_t digits = p - integer;
    if (digits == 0) return false;
    std::ptrdiff_t exponent = 0;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        while (p != end && is_digit(*p))
            significand = significand * 10 + static_cast<std::uint64_t>(*p++ - '0');
        if (p == fraction) return false;
        digits += p - fraction;
        exponent = fraction - p;
    }
    if (digits > MAX_DIGITS) return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool exponent_negative = p != end && *p == '-';
        if (p != end && (*p == '-' || *p == '+')) ++p;
        const char* const written = p;
        std::ptrdiff_t power = 0;
        while (p != end && is_digit(*p) && power <= 1000) power = power * 10 + (*p++ - '0');
        if (p == written) return false;
        exponent += exponent_negative ? -power : power;
    }
    if (p != end) return false;
    if (significand == 0) {
        value = negative ? -0.0 : 0.0;
        return true;
    }
    if (significand > (std::uint64_t{1} << 53) || exponent < -MAX_POWER || exponent > MAX_POWER) return false;
    value = static_cast<double>(significand);
    value = exponent < 0 ? value / POWERS[-exponent] : value * POWERS[exponent];
    if (negative) value = -value;
    return true;
#else
    (void)literal;
    (void)value;
    return false;
#endif
}

enum class Conversion { Ok, OutOfRange, Malformed };

Conversion convert(std::string_view literal, double& value) {
    const char* const end = literal.data() + literal.size();
    const auto [ptr, ec] = std::from_chars(literal.data(), end, value);
    if (literal.empty() || ptr != end) return Conversion::Malformed;
    if (ec == std::errc()) return Conversion::Ok;
    if (ec != std::errc::result_out_of_range) return Conversion::Malformed;
    // Out of range is reported for underflow too; a literal below the smallest subnormal rounds to zero.
    if (decimal_magnitude(literal) > 0) return Conversion::OutOfRange;
    value = literal.front() == '-' ? -0.0 : 0.0;
    return Conversion::Ok;
}

}  // namespace

std::optional<double> number_as_double(std::string_view literal) {
    double value = 0.0;
    if (fast_path(literal, value)) return value;
    if (convert(literal, value) != Conversion::Ok) return std::nullopt;
    return value;
}

NumberRead read_number(std::string_view literal) {
    NumberRead read;
    if (!literal.empty() && is_integer_literal(literal)) {
        const char* const end = literal.data() + literal.size();
        if (literal.front() != '-') {
            const auto [ptr, ec] = std::from_chars(literal.data(), end, read.unsigned_value);
            if (ptr == end && ec == std::errc()) {
                read.kind = NumberRead::Kind::Unsigned;
                return read;
            }
        } else {
            const auto [ptr, ec] = std::from_chars(literal.data(), end, read.negative_value);
            if (ptr == end && ec == std::errc() && read.negative_value != 0) {
                read.kind = NumberRead::Kind::Negative;
                return read;
            }
        }
    }
    switch (convert(literal, read.floating_value)) {
        case Conversion::Ok:
            read.kind = NumberRead::Kind::Floating;
            break;
        case Conversion::OutOfRange:
            read.kind = NumberRead::Kind::OutOfRange;
            break;
        case Conversion::Malformed:
            read.kind = NumberRead::Kind::Malformed;
            break;
    }
    return read;
}

}  // namespace tolmin
