// Overlay mode: the window, the drawing resources, the detached reader thread and the message loop that
// applies each Frame and each repaint tick until standard input ends.

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "input/frame_reader.hpp"
#include "windows/apply.hpp"
#include "windows/graphics.hpp"
#include "windows/message_loop.hpp"
#include "windows/modes.hpp"
#include "windows/overlay_handle.hpp"
#include "windows/overlay_window.hpp"
#include "windows/platform_error.hpp"
#include "windows/std_streams.hpp"

namespace tolmin::win {

namespace {

// Everything the reader thread uses, owned by the thread itself: it is detached and may outlive the loop.
// It writes its diagnostics through a standard-error output of its own, one write per line.
struct ReaderContext {
    StdinSource input;
    HandleOutput diagnostics{HandleOutput::Stream::Err};
    WindowFramePoster poster;
};

DWORD WINAPI reader_thread(LPVOID parameter) {
    std::unique_ptr<ReaderContext> context(static_cast<ReaderContext*>(parameter));
    try {
        FrameReader(context->input, context->diagnostics, process_frame_slot(), context->poster).run();
    } catch (const std::exception& e) {
        // Nothing may unwind out of a thread; a reader that cannot go on is a failed input, and the overlay
        // ends as it does at the end of input.
        write_diagnostic(context->diagnostics, std::string("cannot read stdin: ") + e.what());
        context->poster.input_ended();
    }
    return 0;
}

Result<void> start_reader() {
    auto context = std::make_unique<ReaderContext>();
    HANDLE thread = CreateThread(nullptr, 0, reader_thread, context.get(), 0, nullptr);
    if (thread == nullptr) return last_error();
    context.release();  // the thread owns it now
    (void)CloseHandle(thread);
    return {};
}

}  // namespace

std::uint32_t run_overlay(const std::optional<std::filesystem::path>& fonts, Output& err) {
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

    set_overlay_handle(overlay.window.handle);
    if (Result<void> started = start_reader(); !started) {
        write_diagnostic(err, "failed to spawn thread: " + started.error().text);
        return 1;
    }

    run_message_loop(overlay, err);
    return 0;
}

}  // namespace tolmin::win
