#include "windows/message_loop.hpp"

#include <memory>
#include <utility>

#include "windows/overlay_messages.hpp"

namespace tolmin::win {

void handle_message(Overlay& overlay, const MSG& message, RepeatFolder& reports) {
    switch (message.message) {
        case WM_TIMER:
            apply(overlay, reports);
            return;
        case WM_FRAME:
            if (message.wParam == INPUT_ENDED) {
                PostQuitMessage(0);
            } else if (std::unique_ptr<Frame> frame = overlay.frames->take()) {
                // A message whose Frame an earlier message already took finds the slot empty.
                overlay.current = std::move(frame);
                apply(overlay, reports);
            }
            return;
        case WM_DISPLAY_CHANGED:
            // The system may have moved the window itself (off a monitor that is gone), so the placement
            // last given is no longer where it stands: the next placement moves it again.
            overlay.window.placement.reset();
            apply(overlay, reports);
            return;
        default:
            (void)TranslateMessage(&message);
            (void)DispatchMessageW(&message);
    }
}

void run_message_loop(Overlay& overlay, RepeatFolder& reports) {
    MSG message{};
    // 0 is the quit message, -1 a failed queue: both end the loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) handle_message(overlay, message, reports);
}

}  // namespace tolmin::win
