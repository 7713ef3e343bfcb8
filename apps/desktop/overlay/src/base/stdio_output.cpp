#include "base/stdio_output.hpp"

namespace tolmin {

void StdioOutput::write(std::string_view bytes) {
    if (stream_ == nullptr || bytes.empty()) {
        return;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    std::fflush(stream_);
}

}  // namespace tolmin
