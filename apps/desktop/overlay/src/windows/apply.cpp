#include "windows/apply.hpp"

#include "layout/repaint.hpp"
#include "windows/d2d_canvas.hpp"
#include "windows/monitors.hpp"

namespace tolmin::win {
namespace {

// The overlay window as the frame application uses it.
class Win32FrameWindow final : public FrameWindow {
public:
    explicit Win32FrameWindow(Overlay& overlay) : overlay_(overlay) {}

    void arm_repaint(std::optional<std::uint32_t> wait_ms) override {
        // Failing to kill a timer that is not there is fine; SetTimer's result is not looked at either.
        if (wait_ms) {
            (void)SetTimer(overlay_.window.handle, REPAINT_TIMER_ID, *wait_ms, nullptr);
        } else {
            (void)KillTimer(overlay_.window.handle, REPAINT_TIMER_ID);
        }
    }
    void hide() override { win::hide(overlay_.window); }
    // A layered window keeps its picture wherever it goes.
    bool place(const FramePlan& plan, const Monitor& monitor) override {
        (void)win::place(overlay_.window, monitor, plan.layout);
        return true;
    }
    Result<void> draw(const std::function<Result<void>(Canvas&)>& paint) override {
        Graphics& graphics = *overlay_.graphics;
        return graphics.paint([&] {
            D2DCanvas canvas(graphics, overlay_.window.handle);
            return paint(canvas);
        });
    }
    void keep_on_top() override { win::keep_on_top(overlay_.window.handle); }

private:
    Overlay& overlay_;
};

}  // namespace

void apply(Overlay& overlay, RepeatFolder& reports) {
    apply_at(overlay, now_ms(), reports);
}

void apply_at(Overlay& overlay, double now, RepeatFolder& reports) {
    // Enumerated afresh every time, so a monitor added, removed or moved is seen at the next Frame or tick.
    if (overlay.current) overlay.monitors = enumerate_monitors();
    Win32FrameWindow window(overlay);
    // One text service for the layout and the paint: a text measured is drawn from the same text layout.
    apply_frame(overlay, now, window, overlay.graphics->text_service(), reports);
}

}  // namespace tolmin::win
