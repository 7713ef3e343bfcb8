#pragma once
// The two descriptors the window thread waits on besides the display: an eventfd through which the reader
// thread wakes it, and a timerfd armed only while the picture is to change without new input.

#include <cstdint>
#include <optional>

#include "base/result.hpp"
#include "linux/unique_fd.hpp"

namespace tolmin::desktop {

class WakeUp {
public:
    static Result<WakeUp> make();
    int fd() const { return fd_.get(); }
    // Makes fd() readable; safe from any thread.
    void notify() const;
    // Makes it unreadable again.
    void drain() const;

private:
    explicit WakeUp(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

class RepaintTimer {
public:
    static Result<RepaintTimer> make();
    int fd() const { return fd_.get(); }
    // Fires once, `wait_ms` from now; none disarms it.
    void arm(std::optional<std::uint32_t> wait_ms) const;
    // Takes the expiry, so that fd() is unreadable until the next one.
    void drain() const;

private:
    explicit RepaintTimer(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

}  // namespace tolmin::desktop
