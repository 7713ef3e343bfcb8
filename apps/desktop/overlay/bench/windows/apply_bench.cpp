// What one repaint tick of a fading toast costs on the real path, against the bare hand-over of a bitmap of
// the same size to the same layered window, measured in the same run.
//
// The frame (Hud with presence, Night with a tag, four alerts, three toasts fading in) is applied N times to
// the overlay's own window with the clock held inside the fade, as a repaint tick applies it (monitors,
// layout with DirectWrite measuring, placement, paint_frame through the Direct2D canvas, EndDraw,
// UpdateLayeredWindow); afterwards the window is updated N times with a plain DIB of the same size. It also
// counts the DirectWrite text formats and text layouts each tick makes.
//
//   apply_bench [--fonts <dir>] [N]      (N defaults to 300)

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "layout/layout.hpp"
#include "model/parse_frame.hpp"
#include "windows/apply.hpp"
#include "windows/graphics.hpp"
#include "windows/overlay_window.hpp"

namespace {

using namespace tolmin;
using namespace tolmin::win;

constexpr double NOW_MS = 1.7e12;
constexpr double FADING_FOR_MS = 40;  // the toasts were born this long ago: inside their 120 ms fade-in

class StderrOutput final : public Output {
public:
    void write(std::string_view bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stderr); }
};

std::string frame_line() {
    const std::string born = std::to_string(static_cast<std::int64_t>(NOW_MS - FADING_FOR_MS));
    const std::string dies = std::to_string(static_cast<std::int64_t>(NOW_MS) + 60000);
    std::string line = R"({"v":1,"anchor":"top-left","offset":24,"scale":1,)";
    line += R"("hud":{"dot":"#00FF66","state":"LIVE","elapsed":"01:12:45","presence":"3 watching"},)";
    line += R"("night":{"tag":"MATCHDAY 12","title":"Evening session at the north stand"},"alerts":[)";
    line +=
        R"({"id":"a1","bar":"#3399FF","title":"Stream bitrate dropped below the target","detail":"2.1 Mbit/s"},)";
    line += R"({"id":"a2","title":"Audio muted","detail":"for 12 seconds","detail_color":"#C9C9D2"},)";
    line += R"({"id":"a3","title":"Camera 2 disconnected","title_color":"#F2F2F5"},)";
    line += R"({"id":"a4","title":"Chat is in slow mode","detail":"30 s"}],"toasts":[)";
    line += R"({"id":"t1","kind":"marker","born":)" + born + R"(,"dies":)" + dies +
            R"(,"title":"Goal by number nine after a long run","count":3,"time":"12:04",)"
            R"("detail":"Assisted by the left back"},)";
    line += R"({"id":"t2","kind":"caller","born":)" + born + R"(,"dies":)" + dies +
            R"(,"title":"Incoming call from the studio","time":"00:42","index":"1"},)";
    line += R"({"id":"t3","kind":"same","born":)" + born + R"(,"dies":)" + dies +
            R"(,"title":"Same play as last week","detail":"replay","index":"2"}]})";
    return line;
}

double now_seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

void pump_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// N bare UpdateLayeredWindow calls of a transparent DIB of width x height; seconds per call, or a negative
// value when the bitmap cannot be made or a call fails.
double time_bare_updates(HWND window, int x, int y, int width, int height, int count) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    void* pixels = nullptr;
    HBITMAP bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
    if (bitmap == nullptr) {
        if (dc) DeleteDC(dc);
        return -1;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    // A half-transparent grey, premultiplied, so the window really shows something.
    auto* words = static_cast<std::uint32_t*>(pixels);
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(width) * height; ++i) words[i] = 0x80404040u;

    POINT destination{x, y};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    bool ok = true;
    const double start = now_seconds();
    for (int i = 0; i < count; ++i) {
        ok = UpdateLayeredWindow(window, nullptr, &destination, &size, dc, &source, 0, &blend, ULW_ALPHA) &&
             ok;
    }
    const double elapsed = now_seconds() - start;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ok ? elapsed / count : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::optional<std::filesystem::path> fonts;
    int count = 300;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--fonts") == 0 && i + 1 < argc) {
            fonts = std::filesystem::path(argv[++i]);
        } else {
            const long n = std::wcstol(argv[i], nullptr, 10);
            if (n > 0 && n <= 1000000) count = static_cast<int>(n);
        }
    }

    StderrOutput err;
    make_process_dpi_aware();
    Result<OverlayWindow> window = create_window(err);
    if (!window) {
        std::fprintf(stderr, "apply_bench: cannot make the window: %s\n", window.error().text.c_str());
        return 1;
    }
    Result<std::unique_ptr<Graphics>> made = create_graphics(fonts, err);
    if (!made) {
        std::fprintf(stderr, "apply_bench: cannot make the graphics: %s\n", made.error().text.c_str());
        return 1;
    }
    LineOutcome outcome = parse_frame_line(frame_line());
    auto* parsed = std::get_if<Parsed>(&outcome);
    if (parsed == nullptr) {
        const auto* rejected = std::get_if<Rejected>(&outcome);
        std::fprintf(stderr, "apply_bench: frame rejected: %s\n",
                     rejected ? rejected->text.c_str() : "blank");
        return 1;
    }
    Overlay overlay;
    overlay.window = std::move(window).value();
    overlay.graphics = std::move(made).value();
    overlay.current = std::make_unique<Frame>(std::move(parsed->frame));

    RepeatFolder reports(err);
    // Ten ticks first: the bitmap is made and the fonts are read here.
    for (int i = 0; i < 10; ++i) apply_at(overlay, NOW_MS, reports);
    pump_messages();
    if (!overlay.window.placement) {
        std::fprintf(stderr, "apply_bench: the frame laid out to nothing\n");
        return 1;
    }
    const Placement shown = *overlay.window.placement;

    const TextObjectCounts before = overlay.graphics->text().counts();
    const double start = now_seconds();
    for (int i = 0; i < count; ++i) apply_at(overlay, NOW_MS + (i % 5), reports);
    const double tick_per_call = (now_seconds() - start) / count;
    const TextObjectCounts after = overlay.graphics->text().counts();
    pump_messages();

    const double bare_per_call =
        time_bare_updates(overlay.window.handle, shown.x, shown.y, shown.width, shown.height, count);
    pump_messages();

    std::printf("apply_bench: %d calls, %d x %d px, fonts %s\n", count, shown.width, shown.height,
                overlay.graphics->fonts() != nullptr ? "loaded" : "not loaded (fallbacks)");
    std::printf("  toast-fade repaint tick (apply):      %9.1f us per call\n", tick_per_call * 1e6);
    if (bare_per_call < 0) {
        std::printf("  bare UpdateLayeredWindow: failed\n");
        return 1;
    }
    std::printf("  bare UpdateLayeredWindow, same size:  %9.1f us per call\n", bare_per_call * 1e6);
    std::printf("  DirectWrite objects made per tick:    %9.2f text formats, %.2f text layouts\n",
                static_cast<double>(after.formats - before.formats) / count,
                static_cast<double>(after.layouts - before.layouts) / count);
    std::printf("  ratio repaint tick / bare update:     %9.2f\n", tick_per_call / bare_per_call);
    return 0;
}
