#pragma once
// The window thread's message loop: each Frame the reader hands over, each repaint tick and each display
// change applies the current Frame; the end of input ends the loop.

#include <windows.h>

#include "base/repeat_folder.hpp"
#include "windows/apply.hpp"

namespace tolmin::win {

// What the loop does with one retrieved message; messages that are not the overlay's own are dispatched.
void handle_message(Overlay& overlay, const MSG& message, RepeatFolder& reports);

// Runs until the quit message (after INPUT_ENDED) or a failed queue.
void run_message_loop(Overlay& overlay, RepeatFolder& reports);

}  // namespace tolmin::win
