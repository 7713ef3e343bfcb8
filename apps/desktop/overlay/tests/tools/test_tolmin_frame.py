"""tolmin-frame as a process: exit statuses, exact standard output and error. $TOLMIN_FRAME names the binary,
optionally after a launcher ("/usr/lib/wine/wine64 build/windows/tolmin-frame.exe")."""

import os
import select
import shlex
import subprocess
from pathlib import Path

import pytest

APP = Path(__file__).resolve().parents[2]
USAGE = b"usage: tolmin-frame check|layout|paint|render [OPTIONS] [FILE]  (tolmin-frame --help explains)\n"

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


def run(*args, stdin=b"", **kwargs):
    return subprocess.run(command() + list(args), input=stdin, capture_output=True, timeout=60, **kwargs)


def test_exit_status_says_whether_a_line_was_rejected_and_a_file_reads_like_stdin(tmp_path):
    good = b'{"v":1}\n\n{}'
    path = tmp_path / "frames.jsonl"
    path.write_bytes(good)
    results = [run("check", stdin=good), run("check", str(path)), run("check", "-", stdin=good)]
    expected = b'{"line":1,"frame":' + DEFAULT_FRAME + b'}\n{"line":3,"frame":' + DEFAULT_FRAME + b"}\n"
    assert {(r.returncode, r.stdout, r.stderr) for r in results} == {(0, expected, b"")}
    bad = run("layout", stdin=b'{"v":2}\r\n{}')
    assert (bad.returncode, bad.stderr) == (1, b"")
    assert bad.stdout.startswith(b'{"line":1,"error":"render model v2 (this helper draws v1)"}\n{"line":2,')
    for cmd in ("check", "layout", "paint"):
        assert (run(cmd).returncode, run(cmd).stdout) == (0, b"")


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
    assert (result.returncode, result.stdout) == (2, b"")
    assert result.stderr == b'tolmin-frame: cannot open "' + str(missing).encode() + b'": No such file or directory (os error 2)\n'


def test_help_explains_on_standard_output():
    for args in (["--help"], ["-h"], ["layout", "--help"]):
        result = run(*args)
        assert (result.returncode, result.stderr) == (0, b"")
        assert result.stdout.startswith(b"tolmin-frame checks render-model lines")
        assert all(word in result.stdout for word in (b"--monitor", b"--now", b"exit status", b"next_repaint"))


@pytest.mark.skipif(os.name != "posix", reason="a directory as standard input is a POSIX setup")
def test_a_read_failure_is_reported_after_the_lines_before_it(tmp_path):
    if len(command()) > 1:  # a launcher: the Windows build
        pytest.skip("the Windows build reads standard input through its own handle")
    fd = os.open("/", os.O_RDONLY)
    try:
        result = subprocess.run(command() + ["check"], stdin=fd, capture_output=True, timeout=60)
    finally:
        os.close(fd)
    assert (result.returncode, result.stdout) == (1, b"")
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
