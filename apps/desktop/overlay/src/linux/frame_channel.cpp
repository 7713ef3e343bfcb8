#include "linux/frame_channel.hpp"

#include <unistd.h>

#include <exception>
#include <string>
#include <system_error>
#include <thread>

#include "input/frame_reader.hpp"
#include "linux/fd_source.hpp"

namespace tolmin::desktop {

Result<void> start_reader(const std::shared_ptr<FrameChannel>& channel, const std::shared_ptr<Output>& err) {
    try {
        std::thread([channel, err] {
            FdSource input(STDIN_FILENO);
            try {
                FrameReader(input, *err, channel->slot(), *channel).run();
            } catch (const std::exception& e) {
                // A reader that cannot go on is a failed input: the overlay ends as at the end of input.
                write_diagnostic(*err, std::string(READ_FAILED_TEXT) + e.what());
                channel->input_ended();
            }
        }).detach();
    } catch (const std::system_error& e) {
        return Error{e.what()};
    }
    return {};
}

}  // namespace tolmin::desktop
