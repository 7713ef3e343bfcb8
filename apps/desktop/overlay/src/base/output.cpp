#include "base/output.hpp"

#include <string>

namespace tolmin {

void write_diagnostic(Output& out, std::string_view text) {
    std::string line;
    line.reserve(DIAGNOSTIC_PREFIX.size() + text.size() + 1);
    line.append(DIAGNOSTIC_PREFIX);
    line.append(text);
    line.push_back('\n');
    out.write(line);
}

}  // namespace tolmin
