#include "base/output.hpp"

#include <string>

namespace tolmin {

void write_diagnostic(Output& out, std::string_view text, std::string_view prefix) {
    std::string line;
    line.reserve(prefix.size() + text.size() + 1);
    line.append(prefix);
    line.append(text);
    line.push_back('\n');
    out.write(line);
}

}  // namespace tolmin
