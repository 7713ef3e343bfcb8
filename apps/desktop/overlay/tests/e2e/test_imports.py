"""The executable is self-contained: it imports system DLLs only (no libstdc++, libgcc or winpthread)."""

import re
import subprocess

SYSTEM = {"kernel32.dll", "user32.dll", "gdi32.dll", "d2d1.dll", "dwrite.dll", "shcore.dll", "msvcrt.dll"}


def test_only_system_dlls_are_imported(exe):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(exe)], capture_output=True, check=True)
    dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump.stdout.decode())}
    assert {d for d in dlls if d not in SYSTEM and not d.startswith("api-ms-win-crt-")} == set()
    assert {"kernel32.dll", "user32.dll", "d2d1.dll", "dwrite.dll"} <= dlls, sorted(dlls)
