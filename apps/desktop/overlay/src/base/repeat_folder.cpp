#include "base/repeat_folder.hpp"

#include <algorithm>
#include <utility>

namespace tolmin {

RepeatFolder::RepeatFolder(Output& out, Clock clock) : out_(out), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

void RepeatFolder::report(std::string_view text) {
    const TimePoint now = clock_();
    forget_quiet(now);
    const auto found =
        std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.text == text; });
    if (found == seen_.end()) {
        seen_.push_back(Seen{std::string(text), now, 1});
        write(seen_.back(), now);
        return;
    }
    ++found->counted;
    if (now - found->written >= PERIOD) write(*found, now);
}

void RepeatFolder::write_due() {
    const TimePoint now = clock_();
    for (Seen& seen : seen_) {
        if (seen.counted > 0 && now - seen.written >= PERIOD) write(seen, now);
    }
    forget_quiet(now);
}

void RepeatFolder::flush() {
    const TimePoint now = clock_();
    for (Seen& seen : seen_) {
        if (seen.counted > 0) write(seen, now);
    }
}

void RepeatFolder::write(Seen& seen, TimePoint now) {
    if (seen.counted >= 2) {
        write_diagnostic(out_, seen.text + " (" + std::to_string(seen.counted) + " times)");
    } else {
        write_diagnostic(out_, seen.text);
    }
    seen.written = now;
    seen.counted = 0;
}

void RepeatFolder::forget_quiet(TimePoint now) {
    std::erase_if(seen_, [&](const Seen& s) { return s.counted == 0 && now - s.written >= PERIOD; });
}

}  // namespace tolmin
