"""Process-level checks of tolmin-frame: exit statuses, exact standard output and error.

The binary comes from $TOLMIN_FRAME (default: apps/desktop/overlay/build/native/tolmin-frame). It may name a
launcher and the program, e.g. "/usr/lib/wine/wine64 build/windows/tolmin-frame.exe", to run the same
checks against the Windows build.
"""

import json
import os
import select
import shlex
import subprocess
from pathlib import Path

import pytest

APP = Path(__file__).resolve().parents[2]
MAX_LINE_BYTES = 1_048_576
USAGE = b"usage: tolmin-frame check|layout|paint [OPTIONS] [FILE]  (tolmin-frame --help explains)\n"

DEFAULT_FRAME = (
    b'{"v":1,"anchor":"bottom-right","offset":24,"scale":1,"monitor":null,"hud":null,"night":null,'
    b'"alerts":[],"toasts":[]}'
)


def command():
    configured = os.environ.get("TOLMIN_FRAME")
    words = shlex.split(configured) if configured else [str(APP / "build" / "native" / "tolmin-frame")]
    program = Path(words[-1])
    if not program.is_file():
        pytest.fail(f"tolmin-frame not built: {program} (set TOLMIN_FRAME)")
    return words


def under_launcher():
    return len(command()) > 1


def run(*args, stdin=b"", **kwargs):
    return subprocess.run(command() + list(args), input=stdin, capture_output=True, timeout=60, **kwargs)


def test_mixed_input_reports_every_line_that_is_not_blank():
    lines = [
        b'{"v":1}\n',  # 1
        b"\n",  # 2 blank
        b"   \t\r\n",  # 3 blank
        b'{"v":2}\n',  # 4 another version
        b"x" * MAX_LINE_BYTES + b"\n",  # 5 over 1 MiB
        b'{"v":1} {"v":1}\r\n',  # 6 rejected
        b'{"hud":{"state":"a\xffb"}}',  # 7 good, invalid UTF-8, no line feed
    ]
    result = run("check", stdin=b"".join(lines))
    assert result.returncode == 1
    assert result.stderr == b""
    assert result.stdout == (
        b'{"line":1,"frame":' + DEFAULT_FRAME + b"}\n"
        b'{"line":4,"error":"render model v2 (this helper draws v1)"}\n'
        b'{"line":5,"error":"a line over 1 MiB is not a frame; discarded"}\n'
        b'{"line":6,"error":"trailing characters at line 1 column 9"}\n'
        b'{"line":7,"frame":{"v":1,"anchor":"bottom-right","offset":24,"scale":1,"monitor":null,'
        b'"hud":{"dot":null,"state":"a\xef\xbf\xbdb","state_color":null,"elapsed":"","presence":null},'
        b'"night":null,"alerts":[],"toasts":[]}}\n'
    )


def test_good_input_exits_0_and_a_file_reads_like_standard_input(tmp_path):
    data = b'{"toasts":[{"id":"t","count":2.5,"detail":" "}]}\n\n{}\n'
    from_stdin = run("check", stdin=data)
    path = tmp_path / "frames.jsonl"
    path.write_bytes(data)
    from_file = run("check", str(path))
    dash = run("check", "-", stdin=data)
    assert from_stdin.returncode == from_file.returncode == dash.returncode == 0
    assert from_stdin.stdout == from_file.stdout == dash.stdout
    first, second = [json.loads(line) for line in from_stdin.stdout.splitlines()]
    assert first["line"] == 1 and second["line"] == 3
    toast = first["frame"]["toasts"][0]
    assert toast["count"] == 2.5 and toast["count_label"] == "\u00d73" and toast["has_detail"] is False
    assert from_stdin.stderr == b""


def test_empty_input_prints_nothing_and_succeeds():
    for cmd in ("check", "layout", "paint"):
        result = run(cmd, stdin=b"")
        assert (result.returncode, result.stdout, result.stderr) == (0, b"", b"")


def test_layout_and_paint_of_a_hud_on_the_default_monitor():
    frame = b'{"hud":{"state":"ABCDEFGHIJKL"}}\n'
    layout = run("layout", "--now", "0", stdin=frame)
    assert layout.returncode == 0
    assert layout.stdout == (
        b'{"line":1,"monitor":0,"scale":1,"layout":{"blocks":[{"kind":"hud","index":null,"alpha":1,'
        b'"slide":0,"x":0,"y":0,"w":240,"h":52}],"scale":1,"stroke":1,"width":248,"height":52,'
        b'"margin_x":16,"margin_y":24,"anchor":"bottom-right"},"window":{"x":1656,"y":1004},'
        b'"next_repaint":null}\n'
    )
    paint = run("paint", "--now=0", stdin=frame)
    assert paint.returncode == 0
    ops = json.loads(paint.stdout)["ops"]
    assert ops[0] == {"op": "begin", "width": 248, "height": 52}
    assert ops[-1] == {"op": "present", "x": 1656, "y": 1004, "width": 248, "height": 52}


def test_monitor_options_choose_and_place():
    frame = b'{"monitor":"LEFT","anchor":"top-left","hud":{}}\n'
    result = run(
        "layout", "--now", "0", "--monitor", "1920x1080,primary", "--monitor=LEFT=3840x2160@144+-3840+0",
        stdin=frame,
    )
    assert result.returncode == 0, result.stderr
    report = json.loads(result.stdout)
    assert (report["monitor"], report["scale"], report["window"]) == (1, 1.875, {"x": -3810, "y": 45})

    hidden = run("layout", "--no-monitors", stdin=frame)
    assert hidden.stdout == (
        b'{"line":1,"monitor":null,"scale":null,"layout":null,"window":null,"next_repaint":null}\n'
    )
    assert run("paint", "--no-monitors", stdin=frame).stdout == b'{"line":1,"ops":[]}\n'


@pytest.mark.parametrize(
    "args, message",
    [
        ([], b"missing command"),
        (["verify"], b'unknown command "verify"'),
        (["check", "--now", "5"], b'unknown option "--now"'),
        (["layout", "--bogus"], b'unknown option "--bogus"'),
        (["layout", "--no-monitors=1"], b'unknown option "--no-monitors=1"'),
        (["layout", "--now"], b"--now needs a value"),
        (["paint", "--now", "soon"], b'invalid value "soon" for --now (expected a number of milliseconds)'),
        (["paint", "--now", "inf"], b'invalid value "inf" for --now (expected a number of milliseconds)'),
        (["layout", "--advance=-1"], b'invalid value "-1" for --advance (expected a number >= 0)'),
        (
            ["layout", "--monitor", "1920x1080+5"],
            b'invalid value "1920x1080+5" for --monitor (expected [NAME=]WxH[@DPI][+X+Y][,primary])',
        ),
        (["layout", "--no-monitors", "--monitor", "1x1"], b"--no-monitors and --monitor exclude each other"),
        (["check", "a", "b"], b'unexpected argument "b"'),
        (["check", "x\ty"], None),  # one FILE that cannot be opened; checked below
    ],
)
def test_usage_errors_exit_2_with_a_message(args, message):
    result = run(*args, stdin=b"{}\n")
    assert result.returncode == 2
    assert result.stdout == b""
    if message is not None:
        assert result.stderr == b"tolmin-frame: " + message + b"\n" + USAGE
    else:
        assert result.stderr.startswith(b'tolmin-frame: cannot open "x\\ty": ')


def test_a_file_that_cannot_be_opened(tmp_path):
    missing = tmp_path / "missing.jsonl"
    result = run("check", str(missing))
    assert result.returncode == 2
    assert result.stdout == b""
    expected = b'tolmin-frame: cannot open "' + str(missing).encode() + b'": No such file or directory (os error 2)\n'
    assert result.stderr == expected


def test_help_explains_on_standard_output():
    for flag in ("--help", "-h"):
        result = run(flag)
        assert result.returncode == 0 and result.stderr == b""
        assert result.stdout.startswith(b"tolmin-frame checks render-model lines")
        for word in (b"--monitor", b"--now", b"--advance", b"--no-monitors", b"exit status", b"next_repaint"):
            assert word in result.stdout
    assert run("layout", "--help").stdout == run("--help").stdout


@pytest.mark.skipif(os.name != "posix", reason="a directory as standard input is a POSIX setup")
def test_a_read_failure_is_reported_after_the_lines_before_it(tmp_path):
    if under_launcher():
        pytest.skip("the Windows build reads standard input through its own handle")
    fd = os.open("/", os.O_RDONLY)
    try:
        result = subprocess.run(command() + ["check"], stdin=fd, capture_output=True, timeout=60)
    finally:
        os.close(fd)
    assert result.returncode == 1
    assert result.stdout == b""
    assert result.stderr == b"tolmin-frame: cannot read stdin: Is a directory (os error 21)\n"

    result = run("check", str(tmp_path))
    assert result.returncode == 1
    assert result.stderr == b'tolmin-frame: cannot read "' + str(tmp_path).encode() + b'": Is a directory (os error 21)\n'


def test_each_line_is_reported_as_soon_as_it_arrives():
    process = subprocess.Popen(command() + ["check"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        process.stdin.write(b"{}\n")
        process.stdin.flush()
        # The input stays open: the report must come without waiting for more input or its end.
        ready, _, _ = select.select([process.stdout], [], [], 30)
        assert ready, "no report while the input is still open"
        assert process.stdout.readline() == b'{"line":1,"frame":' + DEFAULT_FRAME + b"}\n"
        process.stdin.close()
        assert process.wait(timeout=30) == 0
    finally:
        if process.poll() is None:
            process.kill()
