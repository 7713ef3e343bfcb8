#pragma once
// The frame checker: reads a byte stream with exactly the overlay's line rules and parser and writes, for
// every line that is not blank, one line of compact JSON (see line_reports.hpp).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/output.hpp"
#include "base/result.hpp"
#include "input/byte_source.hpp"
#include "layout/monitor.hpp"
#include "model/frame.hpp"

namespace tolmin {

enum class CheckCommand { Check, Layout, Paint, Render };

// Draws one frame for the render command. `failed`: the frame could not be drawn (the report says why).
struct RenderedLine {
    std::string report;
    bool failed = false;
};
class FrameRenderer {
public:
    virtual ~FrameRenderer() = default;
    // An error (a picture that cannot be written) ends the run.
    virtual Result<RenderedLine> render(std::size_t line, const Frame& frame, double now_ms) = 0;
};

struct CheckOptions {
    CheckCommand command = CheckCommand::Check;
    std::vector<Monitor> monitors;  // as the system would enumerate them; may be empty
    std::optional<double> now_ms;   // none: the wall clock, read afresh for each frame
    double advance = 0.5;           // the advance of the deterministic text service

    // Render: draws each frame.
    FrameRenderer* renderer = nullptr;
};

// The monitor assumed when none is given: "\\.\DISPLAY1", 1920 x 1080 at (0, 0), 96 DPI, primary.
Monitor default_monitor();

struct CheckSummary {
    std::size_t lines = 0;                  // lines read, blank and over-long ones included
    std::size_t rejected = 0;               // lines rejected or discarded as over-long
    std::optional<std::string> read_error;  // the system's text when reading failed; the input ended there

    // The renderer's error; the input ended there.
    std::optional<std::string> render_error;
};

CheckSummary run_check(ByteSource& input, const CheckOptions& options, Output& out);

}  // namespace tolmin
