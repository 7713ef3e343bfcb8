#pragma once
// Diagnostics that could come many times a second (a frame that cannot be drawn, at every tick of a fade)
// are folded: one text is written at most once a second, and a line written after repeats says how many
// times the text came up since the last line for it, as "<text> (N times)".

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/output.hpp"

namespace tolmin {

class RepeatFolder {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds PERIOD{1000};

    // Writes to `out` through write_diagnostic; `clock` tells the time (the steady clock by default).
    explicit RepeatFolder(Output& out, Clock clock = nullptr);

    // Writes `text` as a diagnostic, unless a line for the same text was written less than PERIOD ago: then
    // it is counted for the next line.
    void report(std::string_view text);
    // Writes the counted repeats whose PERIOD is over, so that the count of a failure that stopped is not
    // held back until the next one.
    void write_due();
    // Writes every counted repeat, due or not: the last word when the program ends.
    void flush();

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Seen {
        std::string text;
        TimePoint written;        // when the last line for the text was written
        std::size_t counted = 0;  // reports since then that no line has told yet
    };

    void write(Seen& seen, TimePoint now);
    // Forgets texts with nothing counted whose PERIOD is over: they fare as texts never seen.
    void forget_quiet(TimePoint now);

    Output& out_;
    Clock clock_;
    std::vector<Seen> seen_;
};

}  // namespace tolmin
