#include "paint/text_width.hpp"

#include <cmath>

namespace tolmin {

double text_width(double width, double width_including_trailing_whitespace) {
    const bool a = std::isnan(width);
    const bool b = std::isnan(width_including_trailing_whitespace);
    if (a && b) return 0.0;
    if (a) return width_including_trailing_whitespace;
    if (b) return width;
    return width > width_including_trailing_whitespace ? width : width_including_trailing_whitespace;
}

}  // namespace tolmin
