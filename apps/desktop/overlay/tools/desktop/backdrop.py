"""A window of one colour over the whole screen, below everything else, that prints "ready" once it is shown
and "press X Y" for every mouse button pressed on it. Usage: backdrop.py RRGGBB (with DISPLAY set)."""

import sys

from Xlib import X, display

d = display.Display()
screen = d.screen()
colour = int(sys.argv[1], 16)
pixel = screen.default_colormap.alloc_color(*((colour >> s & 0xFF) * 257 for s in (16, 8, 0))).pixel
window = screen.root.create_window(0, 0, screen.width_in_pixels, screen.height_in_pixels, 0, screen.root_depth,
                                   X.InputOutput, X.CopyFromParent, background_pixel=pixel,
                                   override_redirect=True, event_mask=X.ButtonPressMask | X.ExposureMask)
window.set_wm_class("backdrop", "Backdrop")
window.map()
window.configure(stack_mode=X.Below)  # a map lands on top; this one stays at the bottom
d.sync()
while True:
    event = d.next_event()
    if event.type == X.Expose and event.count == 0:
        print("ready", flush=True)
    elif event.type == X.ButtonPress:
        print(f"press {event.root_x} {event.root_y}", flush=True)
