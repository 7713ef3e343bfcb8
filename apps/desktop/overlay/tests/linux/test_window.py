"""The overlay window's X facts, and clicks that pass through it to the window below."""

from Xlib import X
from Xlib.ext import shape

from conftest import mapped, overlay_window
from expect import expected_layout, wall_ms
from screen import geometry_frame
from x_desktop import checker_monitors


def atoms(desktop, window, name: str) -> list[str]:
    prop = window.get_full_property(desktop.x.intern_atom(name), X.AnyPropertyType)
    return [desktop.x.get_atom_name(a) for a in prop.value] if prop else []


def test_the_window_is_a_32_bit_override_redirect_notification_without_input(overlay, desktop):
    program = overlay.start()
    now = wall_ms()
    program.send_json(geometry_frame("top-left", now))
    window = overlay_window(desktop)
    assert overlay.wait_for(lambda _: mapped(window), 10) is not None
    geometry, attributes = window.get_geometry(), window.get_attributes()
    assert (geometry.depth, attributes.override_redirect) == (32, 1)
    assert window.get_wm_class() == ("tolmin-overlay", "tolmin-overlay")
    hints = window.get_wm_hints()
    assert hints.flags & 1 and hints.input == 0, "WM_HINTS must say the window takes no input"
    assert atoms(desktop, window, "_NET_WM_WINDOW_TYPE") == ["_NET_WM_WINDOW_TYPE_NOTIFICATION"]
    assert atoms(desktop, window, "_NET_WM_STATE") == [
        "_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY"]
    assert window.shape_get_rectangles(shape.SK.Input).rectangles == [], "the window must take no clicks"
    layout = expected_layout(geometry_frame("top-left", now), now, checker_monitors())
    position = window.translate_coords(desktop.x.screen().root, 0, 0)
    assert (-position.x, -position.y, geometry.width, geometry.height) == (
        layout.window.x, layout.window.y, layout.window.w, layout.window.h)
    assert desktop.x.get_input_focus().focus != window
    assert overlay.finish(program).returncode == 0


def test_a_click_on_a_panel_reaches_the_window_below(overlay, desktop):
    program = overlay.start()
    now = wall_ms()
    frame = geometry_frame("bottom-right", now)
    alert = expected_layout(frame, now, checker_monitors()).block("alert", 0)
    program.send_json(frame)
    window = overlay_window(desktop)
    assert overlay.wait_for(lambda _: mapped(window), 10) is not None
    x, y = alert.x + alert.w // 2, alert.y + alert.h // 2
    desktop.run("xdotool", "mousemove", str(x), str(y), "click", "1")
    line = f"press {x} {y}\n".encode()
    assert overlay.wait_for(lambda _: line in desktop.backdrop.stdout, 5) is not None, desktop.backdrop.stdout
    assert overlay.finish(program).returncode == 0


def test_a_window_mapped_over_the_overlay_goes_below_it(overlay, desktop):
    program = overlay.start()
    program.send_json({"hud": {}})
    window = overlay_window(desktop)
    assert overlay.wait_for(lambda _: mapped(window), 10) is not None
    root = desktop.x.screen().root
    other = root.create_window(0, 0, 1280, 720, 0, X.CopyFromParent, override_redirect=True)
    other.map()
    desktop.x.sync()
    try:
        top = lambda: root.query_tree().children[-1] == window  # noqa: E731 - the last child is the topmost
        assert overlay.wait_for(lambda _: top(), 5) is not None, "the overlay stayed below the new window"
    finally:
        other.destroy()
        desktop.x.sync()
    assert overlay.finish(program).returncode == 0
