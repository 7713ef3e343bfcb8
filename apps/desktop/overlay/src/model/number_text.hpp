#pragma once
// A JSON number literal, as the reader hands it over (already well-formed), read the way the render model
// reads numbers: integers stay exact while they fit 64 bits, everything else becomes the correctly rounded
// double; a literal whose magnitude is beyond the double range is out of range (a tiny one becomes zero).

#include <cstdint>
#include <optional>
#include <string_view>

namespace tolmin {

struct NumberRead {
    enum class Kind : std::uint8_t {
        Unsigned,    // an integer literal from 0 to 18446744073709551615: `unsigned_value`
        Negative,    // a negative integer literal down to -9223372036854775808 (not -0): `negative_value`
        Floating,    // any other literal within the double range: `floating_value`
        OutOfRange,  // magnitude beyond the double range
        Malformed,   // not a JSON number (never handed over by the reader)
    };
    Kind kind = Kind::Malformed;
    std::uint64_t unsigned_value = 0;
    std::int64_t negative_value = 0;
    double floating_value = 0.0;
};

NumberRead read_number(std::string_view literal);

// The literal as a correctly rounded double (integers too); nullopt when it is beyond the double range or
// malformed.
std::optional<double> number_as_double(std::string_view literal);

}  // namespace tolmin
