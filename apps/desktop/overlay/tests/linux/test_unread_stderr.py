"""A host that never reads the overlay's standard error (a pipe it holds, as with stderr=PIPE and no reader) is
never held up: its writes complete, its frames are drawn and the overlay ends with its input. The host is
bench/wine/unread_stderr.py's, the one the Windows program faces in the end-to-end suite: 20,000 rejected lines
(2.6 MB of diagnostics) fill the 64 KiB pipe many times over."""

import sys

import pytest

from conftest import CAPTURE_WARNING, FONTS, OVERLAY
from expect import APP

sys.path.insert(0, str(APP / "bench/wine"))
from unread_stderr import READINGS, check, run_host  # noqa: E402

COUNT = 20_000


@pytest.mark.parametrize("reading", READINGS)
def test_a_host_that_does_not_read_standard_error_is_never_held_up(overlay, reading):
    run = run_host([str(OVERLAY), "--fonts", str(FONTS)], overlay.desktop.env(), overlay.screenshot, COUNT, reading)
    check(run, COUNT, CAPTURE_WARNING)
