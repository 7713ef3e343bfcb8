#pragma once
// The overlay's window-thread state on a real window and real Direct2D/DirectWrite objects (run under Wine),
// with a clock of the test's own for the folded reports and render-target calls that can be made to fail.

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "model/parse_frame.hpp"
#include "unit/input/scripted_source.hpp"
#include "windows/apply.hpp"
#include "windows/platform_error.hpp"

namespace tolmin::win::testing {

inline constexpr double NOW_MS = 1.7e12;
inline const std::string HUD_LINE = R"({"hud":{"state":"LIVE","elapsed":"00:42"}})";
// A Hud and a toast born at NOW_MS: it fades in (and changes) at every tick of its first 120 ms.
inline const std::string FADING_LINE =
    R"({"hud":{"state":"LIVE","elapsed":"00:42"},"toasts":[{"kind":"marker","title":"Marker set",)"
    R"("count":3,"time":"12:04","detail":"Round two","born":1700000000000,"dies":1700000060000}]})";

// Direct2D's render-target calls, counted, with failures put in: the next `failing` drawings end with
// `failure`, and the next `refused` render targets cannot be made.
struct FailingTargetCalls final : RenderTargetCalls {
    int failing = 0, refused = 0;
    HRESULT failure = D2DERR_RECREATE_TARGET;
    int end_draws = 0, made = 0;  // drawings ended, render targets made

    Result<ComPtr<ID2D1DCRenderTarget>> make_target() override {
        if (refused > 0 && refused--) return hresult_error(E_OUTOFMEMORY);
        ++made;
        return RenderTargetCalls::make_target();
    }
    HRESULT end_draw(ID2D1RenderTarget& target) override {
        ++end_draws;
        const HRESULT real = RenderTargetCalls::end_draw(target);  // the drawing really ends
        return failing > 0 && failing-- ? failure : real;
    }
};

inline std::unique_ptr<Frame> frame_of(const std::string& line) {
    LineOutcome outcome = parse_frame_line(line);
    return std::make_unique<Frame>(std::move(std::get<Parsed>(outcome).frame));
}

// A warning at creation is not kept.
struct OverlayRun {
    Overlay overlay;
    fakes::RecordingOutput err;
    std::chrono::steady_clock::time_point clock;
    RepeatFolder reports{err, [this] { return clock; }};
    FailingTargetCalls* calls = nullptr;  // owned by the overlay's Graphics

    explicit OverlayRun(const std::string& line = HUD_LINE) {
        fakes::RecordingOutput setup;
        overlay.window = std::move(create_window(setup)).value();
        auto made = std::make_unique<FailingTargetCalls>();
        calls = made.get();
        overlay.graphics = std::move(create_graphics(std::nullopt, setup, std::move(made))).value();
        overlay.current = frame_of(line);
    }
    // Applies the current Frame at NOW_MS + `later` ms, with the folding clock moved on as far; what it
    // reported.
    std::string apply(double later = 0) {
        err.writes.clear();
        clock =
            std::chrono::steady_clock::time_point(std::chrono::milliseconds(static_cast<long long>(later)));
        apply_at(overlay, NOW_MS + later, reports);
        return err.all();
    }
};

}  // namespace tolmin::win::testing
