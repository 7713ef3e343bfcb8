#include "frame/streams.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "input/stdio_source.hpp"

#ifdef _WIN32
#include "windows/std_streams.hpp"
#else
#include "base/stdio_output.hpp"
#endif

namespace tolmin::frame_tool {
namespace {

// A file the checker reads; closed with the source.
class FileSource final : public ByteSource {
public:
    explicit FileSource(std::FILE* file) : file_(file), source_(file) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    ReadResult read(char* buffer, std::size_t capacity) override { return source_.read(buffer, capacity); }

private:
    std::FILE* file_;
    StdioSource source_;
};

}  // namespace

#ifdef _WIN32
struct StandardStreams::Streams {
    win::HandleOutput out{win::HandleOutput::Stream::Out};
    win::HandleOutput err{win::HandleOutput::Stream::Err};
    win::StdinSource in;
};
#else
struct StandardStreams::Streams {
    StdioOutput out{stdout};
    StdioOutput err{stderr};
    StdioSource in{stdin};
};
#endif

StandardStreams::StandardStreams() : streams_(std::make_unique<Streams>()) {}
StandardStreams::~StandardStreams() = default;

Output& StandardStreams::out() {
    return streams_->out;
}
Output& StandardStreams::err() {
    return streams_->err;
}
ByteSource& StandardStreams::in() {
    return streams_->in;
}

Result<std::unique_ptr<ByteSource>> open_input_file(const std::filesystem::path& path) {
    errno = 0;
#ifdef _WIN32
    std::FILE* file = _wfopen(path.c_str(), L"rb");
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
    if (file == nullptr) {
        const int code = errno;
        std::string text = std::strerror(code);
        text += " (os error ";
        text += std::to_string(code);
        text += ')';
        return Error{std::move(text)};
    }
    return std::unique_ptr<ByteSource>(std::make_unique<FileSource>(file));
}

}  // namespace tolmin::frame_tool
