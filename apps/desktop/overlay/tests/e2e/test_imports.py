"""The executable is self-contained: it imports system DLLs only (no libstdc++, libgcc or winpthread)."""

import re
import shutil
import subprocess

import pytest

SYSTEM = {"kernel32.dll", "user32.dll", "gdi32.dll", "d2d1.dll", "dwrite.dll", "shcore.dll", "msvcrt.dll"}


def imported_dlls(path) -> set[str]:
    objdump = shutil.which("x86_64-w64-mingw32-objdump")
    if objdump is None:
        pytest.fail("x86_64-w64-mingw32-objdump is missing (binutils-mingw-w64-x86-64)")
    dump = subprocess.run([objdump, "-p", str(path)], stdout=subprocess.PIPE, check=True).stdout.decode()
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}


def test_only_system_dlls_are_imported(exe):
    dlls = imported_dlls(exe)
    unexpected = {d for d in dlls if d not in SYSTEM and not d.startswith("api-ms-win-crt-")}
    assert not unexpected, f"imports beyond the system DLLs: {sorted(unexpected)}"
    assert {"kernel32.dll", "user32.dll", "d2d1.dll", "dwrite.dll"} <= dlls, sorted(dlls)
