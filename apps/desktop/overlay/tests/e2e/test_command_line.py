"""The version line and the usage errors, byte for byte, as a host sees them through the pipes."""

import pytest

USAGE = b"usage: tolmin-overlay [--fonts <dir>] [--probe] | --version\n"
VERSION = b"tolmin-overlay 0.1.0\n"


@pytest.mark.parametrize("args", [["--version"], ["-V"], ["--version", "--bogus"], ["--probe", "-V"]],
                         ids=["long", "short", "later-arguments-ignored", "after-probe"])
def test_version_line(helper, args):
    done = helper.run(*args)
    assert (done.status, done.stdout, done.stderr) == (0, VERSION, b"")


@pytest.mark.parametrize("args, first_line", [
    (["--help"], b'tolmin-overlay: unknown argument "--help"\n'),
    (["-v"], b'tolmin-overlay: unknown argument "-v"\n'),
    (["--fonts"], b"tolmin-overlay: --fonts needs a directory\n"),
    (["--probe", "--fonts"], b"tolmin-overlay: --fonts needs a directory\n"),
    (["--fonts="], b'tolmin-overlay: unknown argument "--fonts="\n'),
    (['say"hi\tthere'], b'tolmin-overlay: unknown argument "say\\"hi\\tthere"\n'),
    (["--VERSION", "--version"], b'tolmin-overlay: unknown argument "--VERSION"\n'),
], ids=["help", "lowercase-v", "fonts-without-value", "fonts-last-after-probe", "empty-joined-fonts",
        "quote-and-tab", "error-before-version"])
def test_usage_errors(helper, args, first_line):
    done = helper.run(*args)
    assert done.stdout == b""
    assert done.stderr == first_line + USAGE
    assert done.status == 2
