"""The release archives from scripts/package: TOLMIN_RELEASE_DIR holds them (default: dist/), TOLMIN_RELEASE_BUILD
is the build tree they came from, for the linker maps (default: build/, with windows-release and linux-release)."""

import os
import sys
import tarfile
import zipfile
from pathlib import Path

import pytest

APP = Path(__file__).resolve().parents[2]
sys.path[:0] = [str(APP / "tests/e2e"), str(APP / "tools/desktop")]

from wine_session import WinePrefix, XServer  # noqa: E402
from x_desktop import Desktop  # noqa: E402

RELEASE = Path(os.environ.get("TOLMIN_RELEASE_DIR", APP.parents[2] / "dist"))
BUILD = Path(os.environ.get("TOLMIN_RELEASE_BUILD", APP / "build"))
# Per target: its build preset, its programs and the prefix of its binutils.
TARGETS = {"windows-x64": ("windows-release", ("tolmin-overlay.exe", "tolmin-frame.exe"), "x86_64-w64-mingw32-"),
           "linux-x64": ("linux-release", ("tolmin-overlay", "tolmin-frame"), "")}
PROGRAMS = [(target, program) for target, (_, programs, _) in TARGETS.items() for program in programs]
# The Windows archive's files; the Linux one holds the same without ".exe".
LISTING = ["CHANGELOG.md", "LICENSE", "README.txt", "THIRD-PARTY-NOTICES", "fonts/BarlowCondensed-Bold.ttf",
           "fonts/BarlowCondensed-OFL.txt", "fonts/JetBrainsMono-Bold.ttf", "fonts/JetBrainsMono-Medium.ttf",
           "fonts/JetBrainsMono-OFL.txt", "fonts/JetBrainsMono-Regular.ttf", "frame.schema.json", "tolmin-frame.exe",
           "tolmin-overlay.exe"]


def archive(target: str, suffix: str = "") -> Path:
    found = sorted(RELEASE.glob(f"tolmin-overlay-*-{target}{suffix}.{'zip' if 'windows' in target else 'tar.gz'}"))
    if len(found) != 1:
        pytest.fail(f"expected one tolmin-overlay-*-{target}{suffix} archive in {RELEASE} (run scripts/package)")
    return found[0]


def unpack(target: str, where: Path) -> Path:
    """Both archives of the target unpacked into `where`: the folder that holds the programs and .debug files."""
    shipped = archive(target)
    for path in (shipped, archive(target, "-debug")):
        with zipfile.ZipFile(path) if path.suffix == ".zip" else tarfile.open(path) as opened:
            opened.extractall(where)
    return where if shipped.suffix == ".zip" else where / shipped.name.removesuffix(".tar.gz")


@pytest.fixture(scope="session")
def unpacked(tmp_path_factory) -> Path:
    return unpack("windows-x64", tmp_path_factory.mktemp("windows"))


@pytest.fixture(scope="session")
def linux(tmp_path_factory) -> Path:
    return unpack("linux-x64", tmp_path_factory.mktemp("linux"))


@pytest.fixture(scope="session")
def wine(tmp_path_factory):
    """A Wine prefix (the end-to-end suite's) on a private Xvfb: (prefix, X server)."""
    server = XServer(log_dir=tmp_path_factory.mktemp("xvfb")).start()
    prefix = WinePrefix(Path(os.environ.get("TOLMIN_E2E_PREFIX", APP / "build/wine-e2e")), server.display)
    try:
        yield prefix.prepare(), server
    finally:
        prefix.shutdown()
        server.stop()


@pytest.fixture(scope="session")
def desktop(tmp_path_factory):
    """An X desktop with picom (displays :80..:89), for the Linux programs."""
    session = Desktop(tmp_path_factory.mktemp("x11"), numbers=range(80, 90)).start()
    yield session
    session.stop()
