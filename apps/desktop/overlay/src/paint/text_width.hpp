#pragma once
// The width of a laid-out text from its metrics.

namespace tolmin {

// The larger of the ink-line width and the width including trailing white space (a text ending in blanks is
// as wide as its blanks); when one is NaN, the other; when both are, 0.
double text_width(double width, double width_including_trailing_whitespace);

}  // namespace tolmin
