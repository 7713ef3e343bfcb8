#include "linux/wake_fds.hpp"

#include <sys/eventfd.h>
#include <sys/timerfd.h>

#include <cerrno>
#include <cstring>

#include "base/platform_error_text.hpp"

namespace tolmin::desktop {
namespace {

Error system_error(int code) {
    return Error{os_error_text(std::strerror(code), static_cast<std::uint32_t>(code))};
}

void take_counter(int fd) {
    std::uint64_t count = 0;
    // Non-blocking: nothing to take is not an error.
    while (::read(fd, &count, sizeof count) < 0 && errno == EINTR) {
    }
}

}  // namespace

Result<WakeUp> WakeUp::make() {
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) return system_error(errno);
    return WakeUp(UniqueFd(fd));
}

void WakeUp::notify() const {
    const std::uint64_t one = 1;
    while (::write(fd_.get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void WakeUp::drain() const {
    take_counter(fd_.get());
}

Result<RepaintTimer> RepaintTimer::make() {
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fd < 0) return system_error(errno);
    return RepaintTimer(UniqueFd(fd));
}

void RepaintTimer::arm(std::optional<std::uint32_t> wait_ms) const {
    itimerspec spec{};  // all zero: disarmed
    if (wait_ms) {
        spec.it_value.tv_sec = static_cast<time_t>(*wait_ms / 1000);
        spec.it_value.tv_nsec = static_cast<long>(*wait_ms % 1000) * 1'000'000L;
    }
    (void)timerfd_settime(fd_.get(), 0, &spec, nullptr);
}

void RepaintTimer::drain() const {
    take_counter(fd_.get());
}

}  // namespace tolmin::desktop
