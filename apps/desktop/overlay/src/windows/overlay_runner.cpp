// Overlay mode: the window, the drawing resources, the detached reader thread and the message loop that
// applies each Frame and each repaint tick until standard input ends.

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "base/repeat_folder.hpp"
#include "input/frame_reader.hpp"
#include "windows/apply.hpp"
#include "windows/graphics.hpp"
#include "windows/message_loop.hpp"
#include "windows/modes.hpp"
#include "windows/overlay_window.hpp"
#include "windows/platform_error.hpp"
#include "windows/std_streams.hpp"
#include "windows/window_frame_poster.hpp"

namespace tolmin::win {

namespace {

// Everything the reader thread uses, owned by the thread itself: it is detached and may outlive the loop,
// so it shares the frame slot and standard error (one write per line) with the window thread.
struct ReaderContext {
    ReaderContext(HWND window, std::shared_ptr<FrameSlot> frames, std::shared_ptr<Output> err)
        : diagnostics(std::move(err)), slot(std::move(frames)), poster(window) {}

    StdinSource input;
    std::shared_ptr<Output> diagnostics;
    std::shared_ptr<FrameSlot> slot;
    WindowFramePoster poster;
};

DWORD WINAPI reader_thread(LPVOID parameter) {
    std::unique_ptr<ReaderContext> context(static_cast<ReaderContext*>(parameter));
    try {
        FrameReader(context->input, *context->diagnostics, *context->slot, context->poster).run();
    } catch (const std::exception& e) {
        // Nothing may unwind out of a thread; a reader that cannot go on is a failed input, and the overlay
        // ends as it does at the end of input.
        write_diagnostic(*context->diagnostics, std::string("cannot read stdin: ") + e.what());
        context->poster.input_ended();
    }
    return 0;
}

Result<void> start_reader(HWND window, std::shared_ptr<FrameSlot> frames, std::shared_ptr<Output> err) {
    auto context = std::make_unique<ReaderContext>(window, std::move(frames), std::move(err));
    HANDLE thread = CreateThread(nullptr, 0, reader_thread, context.get(), 0, nullptr);
    if (thread == nullptr) return last_error();
    context.release();  // the thread owns it now
    (void)CloseHandle(thread);
    return {};
}

}  // namespace

std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts,
                          std::shared_ptr<Output> shared_err) {
    Output& err = *shared_err;
    make_process_dpi_aware();

    Result<OverlayWindow> window = create_window(err);
    if (!window) {
        write_diagnostic(err, "cannot make a window: " + window.error().text);
        return 1;
    }
    Result<std::unique_ptr<Graphics>> graphics = create_graphics(fonts, err);
    if (!graphics) {
        write_diagnostic(err, "cannot make a drawing surface: " + graphics.error().text);
        return 1;
    }

    Overlay overlay;
    overlay.window = std::move(window).value();
    overlay.graphics = std::move(graphics).value();

    if (Result<void> started = start_reader(overlay.window.handle, overlay.frames, shared_err); !started) {
        write_diagnostic(err, "failed to spawn thread: " + started.error().text);
        return 1;
    }

    RepeatFolder reports(err);
    run_message_loop(overlay, reports);
    reports.flush();
    return 0;
}

}  // namespace tolmin::win
