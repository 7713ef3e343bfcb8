#include "frame/render/picture_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/platform_error_text.hpp"

namespace tolmin::frame_tool {
namespace {

Error system_error(int code) {
    return Error{os_error_text(std::strerror(code), static_cast<std::uint32_t>(code))};
}

// A new, empty file with a unique name beginning `stem` in `directory`; its descriptor and name.
Result<std::pair<int, std::string>> make_temporary(const std::filesystem::path& directory,
                                                   std::string_view stem) {
    std::string name = (directory / std::string(stem)).native() + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) return system_error(errno);
    return std::pair<int, std::string>{fd, std::move(name)};
}

}  // namespace

Result<void> check_writable(const std::filesystem::path& directory) {
    auto made = make_temporary(directory, ".tolmin-frame");
    if (!made) return made.error();
    close(made->first);
    unlink(made->second.c_str());
    return {};
}

Result<void> write_whole_file(const std::filesystem::path& path, std::string_view bytes) {
    auto made =
        make_temporary(path.parent_path().empty() ? "." : path.parent_path(), "." + path.filename().native());
    if (!made) return made.error();
    const auto [fd, temporary] = std::move(made.value());
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno != EINTR) error = errno;
        if (wrote > 0) done += static_cast<std::size_t>(wrote);
    }
    // mkstemp makes the file for its owner only; a picture gets the permissions of any new file.
    const mode_t mask = umask(0);
    umask(mask);
    if (error == 0 && fchmod(fd, 0666 & ~mask) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return system_error(error);
    }
    return {};
}

}  // namespace tolmin::frame_tool
