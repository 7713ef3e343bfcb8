#pragma once
// Where the program's bytes go. Every write is passed through unchanged: a line feed is the one byte 0x0A on
// every platform (no text-mode translation), and text is UTF-8.

#include <string_view>

namespace tolmin {

inline constexpr std::string_view DIAGNOSTIC_PREFIX = "tolmin-overlay: ";

class Output {
public:
    virtual ~Output() = default;
    // Writes all of `bytes` in one go; a failure to write is not reported anywhere.
    virtual void write(std::string_view bytes) = 0;
};

// Writes prefix + text + "\n" as one write, so lines from two threads never interleave. The prefix is the
// program's name ("tolmin-overlay: ", or the checker's own).
void write_diagnostic(Output& out, std::string_view text, std::string_view prefix = DIAGNOSTIC_PREFIX);

}  // namespace tolmin
