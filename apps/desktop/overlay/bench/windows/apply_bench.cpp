// What one repaint of a full frame costs on the real drawing path, against the bare hand-over of a bitmap of
// the same size to the same layered window, measured in the same run.
//
// The frame (Hud with presence, Night with a tag, four alerts, three toasts, all fully shown) is parsed and
// laid out once; then it is painted N times through paint_frame with the Direct2D canvas (bind, clear, nine
// blocks of panels and texts, EndDraw, UpdateLayeredWindow), and afterwards the window is updated N times
// with a plain DIB of the same size. The layout pass (five text measurements) is timed on its own too.
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
#include "paint/painter.hpp"
#include "windows/graphics.hpp"

namespace {

using namespace tolmin;
using namespace tolmin::win;

constexpr DWORD OVERLAY_EX_STYLE = 0x080800A8;  // no-activate, layered, tool window, transparent, topmost
constexpr double NOW_MS = 1.7e12;
constexpr double SCALE = 1.0;
constexpr int WINDOW_X = 64;
constexpr int WINDOW_Y = 64;

class StderrOutput final : public Output {
public:
    void write(std::string_view bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stderr); }
};

std::string frame_line() {
    const std::string born = std::to_string(static_cast<std::int64_t>(NOW_MS) - 5000);
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

HWND make_window() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"tolmin-apply-bench";
    if (RegisterClassExW(&window_class) == 0) return nullptr;
    return CreateWindowExW(OVERLAY_EX_STYLE, window_class.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, window_class.hInstance, nullptr);
}

// N bare UpdateLayeredWindow calls of a transparent DIB of width x height; seconds per call, or a negative
// value when the bitmap cannot be made or a call fails.
double time_bare_updates(HWND window, int width, int height, int count) {
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

    POINT destination{WINDOW_X, WINDOW_Y};
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
    HWND window = make_window();
    if (window == nullptr) {
        std::fprintf(stderr, "apply_bench: cannot make the window\n");
        return 1;
    }
    Result<std::unique_ptr<Graphics>> made = create_graphics(fonts, err);
    if (!made) {
        std::fprintf(stderr, "apply_bench: cannot make the graphics: %s\n", made.error().text.c_str());
        return 1;
    }
    Graphics& graphics = *made.value();

    LineOutcome outcome = parse_frame_line(frame_line());
    auto* parsed = std::get_if<Parsed>(&outcome);
    if (parsed == nullptr) {
        const auto* rejected = std::get_if<Rejected>(&outcome);
        std::fprintf(stderr, "apply_bench: frame rejected: %s\n",
                     rejected ? rejected->text.c_str() : "blank");
        return 1;
    }
    const Frame& frame = parsed->frame;

    Layout layout;
    {
        DWriteTextService measurer(graphics);
        layout = layout_frame(frame, SCALE, NOW_MS, measurer);
    }
    if (layout.blocks.empty() || layout.width <= 0 || layout.height <= 0) {
        std::fprintf(stderr, "apply_bench: the frame laid out to nothing\n");
        return 1;
    }
    SetWindowPos(window, HWND_TOPMOST, WINDOW_X, WINDOW_Y, layout.width, layout.height,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    ShowWindow(window, SW_SHOWNA);

    auto paint_once = [&] {
        D2DCanvas canvas(graphics, window);
        DWriteTextService text(graphics);
        return paint_frame(canvas, text, WINDOW_X, WINDOW_Y, frame, layout).ok();
    };
    for (int i = 0; i < 10; ++i) paint_once();  // the bitmap is made and the fonts are read here
    pump_messages();

    int failures = 0;
    double start = now_seconds();
    for (int i = 0; i < count; ++i) failures += paint_once() ? 0 : 1;
    const double paint_per_call = (now_seconds() - start) / count;
    pump_messages();

    start = now_seconds();
    std::size_t blocks = 0;
    for (int i = 0; i < count; ++i) {
        DWriteTextService measurer(graphics);
        blocks += layout_frame(frame, SCALE, NOW_MS, measurer).blocks.size();
    }
    const double layout_per_call = (now_seconds() - start) / count;

    const double bare_per_call = time_bare_updates(window, layout.width, layout.height, count);
    pump_messages();

    std::printf("apply_bench: %d calls, frame of %zu blocks laid out to %d x %d px, fonts %s\n", count,
                layout.blocks.size(), layout.width, layout.height,
                graphics.fonts ? "loaded" : "not loaded (fallbacks)");
    std::printf("  paint_frame through the Direct2D canvas: %9.1f us per call (%d failed)\n",
                paint_per_call * 1e6, failures);
    std::printf("  layout_frame with DirectWrite measuring: %9.1f us per call (%zu blocks)\n",
                layout_per_call * 1e6, blocks / static_cast<std::size_t>(count));
    if (bare_per_call < 0) {
        std::printf("  bare UpdateLayeredWindow: failed\n");
        return 1;
    }
    std::printf("  bare UpdateLayeredWindow, same size:    %9.1f us per call\n", bare_per_call * 1e6);
    std::printf("  ratio paint_frame / bare update:         %9.2f\n", paint_per_call / bare_per_call);
    std::printf("  ratio layout_frame / bare update:        %9.2f\n", layout_per_call / bare_per_call);
    return failures == 0 ? 0 : 1;
}
