#pragma once
// One line of standard input to an outcome: Blank, Parsed (a Frame of the supported version) or Rejected
// (the text that says why, without the program prefix).

#include <string>
#include <string_view>
#include <variant>

#include "model/frame.hpp"

namespace tolmin {

struct Blank {};
struct Parsed {
    Frame frame;
};
struct Rejected {
    std::string text;
};
using LineOutcome = std::variant<Blank, Parsed, Rejected>;

// `line` is valid UTF-8 (the frame reader repairs it before calling).
LineOutcome parse_frame_line(std::string_view line);

// The label shown for a toast's count: "×" and the rounded number, or the text unchanged.
std::string count_label(const Count& count);

// True when the toast's detail is present and not blank after trimming White_Space at both ends.
bool has_detail(const Toast& toast);

}  // namespace tolmin
