"""The version line and a usage error, byte for byte, through the pipes of the real Windows program."""


def test_version_line_and_a_usage_error(helper):
    version = helper.run("--probe", "-V")
    assert (version.status, version.stdout, version.stderr) == (0, b"tolmin-overlay 0.1.0\n", b"")
    error = helper.run('say"hi\tthere', "--version")
    assert (error.status, error.stdout) == (2, b"")
    assert error.stderr == (b'tolmin-overlay: unknown argument "say\\"hi\\tthere"\n'
                            b"usage: tolmin-overlay [--fonts <dir>] [--probe] | --version\n")
