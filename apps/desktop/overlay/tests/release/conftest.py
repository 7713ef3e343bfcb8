"""The release archive from scripts/package: TOLMIN_RELEASE_DIR holds it (default: dist/), TOLMIN_RELEASE_BUILD is
the build it came from, for the linker maps (default: build/windows-release)."""

import os
import sys
import zipfile
from pathlib import Path

import pytest

APP = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(APP / "tests/e2e"))

from wine_session import WinePrefix, XServer  # noqa: E402

RELEASE = Path(os.environ.get("TOLMIN_RELEASE_DIR", APP.parents[2] / "dist"))
BUILD = Path(os.environ.get("TOLMIN_RELEASE_BUILD", APP / "build/windows-release"))
PROGRAMS = ("tolmin-overlay.exe", "tolmin-frame.exe")


def archive(suffix: str = "") -> zipfile.ZipFile:
    found = sorted(RELEASE.glob(f"tolmin-overlay-*-windows-x64{suffix}.zip"))
    if len(found) != 1:
        pytest.fail(f"expected one tolmin-overlay-*-windows-x64{suffix}.zip in {RELEASE} (run scripts/package)")
    return zipfile.ZipFile(found[0])


@pytest.fixture(scope="session")
def unpacked(tmp_path_factory) -> Path:  # the zip unpacked into an empty directory
    where = tmp_path_factory.mktemp("unpacked")
    archive().extractall(where)
    return where


@pytest.fixture(scope="session")
def debug_files() -> dict[str, bytes]:
    return {name: archive("-debug").read(name) for name in archive("-debug").namelist()}


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
