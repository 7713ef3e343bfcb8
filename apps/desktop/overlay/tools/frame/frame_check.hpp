#pragma once
// The frame checker: reads a byte stream with exactly the overlay's line rules and parser and writes, for
// every line that is not blank, one line of compact JSON (see line_reports.hpp).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "display/monitor.hpp"
#include "input/byte_source.hpp"
#include "io/output.hpp"

namespace tolmin {

enum class CheckCommand { Check, Layout, Paint };

struct CheckOptions {
    CheckCommand command = CheckCommand::Check;
    std::vector<Monitor> monitors;  // as the system would enumerate them; may be empty
    std::optional<double> now_ms;   // none: the wall clock, read afresh for each frame
    double advance = 0.5;           // the advance of the deterministic text service
};

// The monitor assumed when none is given: "\\.\DISPLAY1", 1920 x 1080 at (0, 0), 96 DPI, primary.
Monitor default_monitor();

struct CheckSummary {
    std::size_t lines = 0;                  // lines read, blank and over-long ones included
    std::size_t rejected = 0;               // lines rejected or discarded as over-long
    std::optional<std::string> read_error;  // the system's text when reading failed; the input ended there
};

CheckSummary run_check(ByteSource& input, const CheckOptions& options, Output& out);

}  // namespace tolmin
