#pragma once
// The window thread's own messages, posted to the overlay window and handled in the message loop: WM_FRAME
// from the reader thread, WM_DISPLAY_CHANGED from the window procedure when the displays changed.

#include <windows.h>

namespace tolmin::win {

inline constexpr UINT WM_FRAME = WM_APP + 1;
inline constexpr WPARAM FRAME_PENDING = 0;  // a Frame waits in the slot
inline constexpr WPARAM INPUT_ENDED = 1;    // standard input ended or failed
inline constexpr UINT WM_DISPLAY_CHANGED = WM_APP + 2;

}  // namespace tolmin::win
