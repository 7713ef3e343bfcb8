"""tolmin-frame, as a process, reproduces the golden layout and paint reports of tests/data/golden/ from the
options file there; scripts/golden rewrites them."""

import os
import shlex
import subprocess
from pathlib import Path

import pytest

APP = Path(__file__).resolve().parents[2]
GOLDEN = APP / "tests" / "data" / "golden"
INPUTS = sorted(GOLDEN.glob("*.jsonl"))


@pytest.mark.parametrize("input_path", INPUTS, ids=[p.stem for p in INPUTS])
@pytest.mark.parametrize("mode", ["layout", "paint"])
def test_reports_match_the_golden_files(input_path, mode):
    options = (GOLDEN / "options").read_text().split()
    program = shlex.split(os.environ.get("TOLMIN_FRAME") or str(APP / "build" / "native" / "tolmin-frame"))
    result = subprocess.run(program + [mode, *options], input=input_path.read_bytes(), capture_output=True, timeout=60)
    assert (result.returncode, result.stderr) == (0, b"")
    assert result.stdout == input_path.with_suffix("." + mode).read_bytes()
