"""The shipped programs as their systems see them: on Windows version information, manifest and imports, on
Linux the system libraries they load; for all four the link to their debug information, and the notices that
must cover every library they were linked with."""

import re
import subprocess
import zlib
from xml.etree import ElementTree

import pefile
import pytest

from conftest import APP, BUILD, PROGRAMS, TARGETS

# Every function the programs may import, by DLL, each present in Windows 10 1507; all are in Windows 7 or
# earlier but those marked. SetProcessDpiAwarenessContext (Windows 10 1703) is never one: it is looked up.
ALLOWED = {
    "kernel32.dll": """AddVectoredExceptionHandler CloseHandle CreateEventA CreateSemaphoreA CreateThread
        DeleteCriticalSection DuplicateHandle EnterCriticalSection FileTimeToSystemTime FindClose FindFirstFileW
        FindNextFileW FormatMessageA FormatMessageW GetCurrentProcess GetCurrentProcessId GetCurrentThread
        GetCurrentThreadId GetFileAttributesW GetHandleInformation GetLastError GetModuleHandleA GetModuleHandleW
        GetProcAddress GetProcessAffinityMask GetProcessTimes GetStartupInfoW GetStdHandle GetSystemTimeAdjustment
        GetSystemTimeAsFileTime GetThreadContext GetThreadPriority GetThreadTimes GetTickCount64
        InitializeCriticalSection IsDBCSLeadByteEx IsDebuggerPresent LeaveCriticalSection LoadLibraryW LocalFree
        MultiByteToWideChar OpenProcess OutputDebugStringA QueryPerformanceCounter QueryPerformanceFrequency
        RaiseException ReadFile ReleaseSemaphore RemoveVectoredExceptionHandler ResetEvent ResumeThread
        RtlCaptureContext RtlLookupFunctionEntry RtlUnwindEx RtlVirtualUnwind SetEvent SetLastError
        SetProcessAffinityMask SetSystemTime SetThreadContext SetThreadPriority SetUnhandledExceptionFilter Sleep
        SuspendThread TlsAlloc TlsGetValue TlsSetValue TryEnterCriticalSection VirtualProtect VirtualQuery
        WaitForMultipleObjects WaitForSingleObject WideCharToMultiByte WriteFile __C_specific_handler""",
    "msvcrt.dll": """___lc_codepage_func ___mb_cur_max_func __iob_func __set_app_type __setusermatherr __wgetmainargs
        __winitenv _amsg_exit _assert _beginthreadex _cexit _close _commode _endthreadex _errno _fmode _initterm
        _onexit _read _setjmp _strdup _ultoa _wcmdln _wfopen abort calloc clearerr exit fclose ferror fprintf fputc
        fputs fread free ftell fwrite getc iswctype localeconv longjmp malloc memchr memcmp memcpy memmove memset
        printf realloc setlocale signal strcmp strcoll strerror strftime strlen strncmp strxfrm towlower towupper
        vfprintf wcscoll wcsftime wcslen wcsxfrm""",
    "user32.dll": """CreateWindowExW DefWindowProcW DestroyWindow DispatchMessageW EnumDisplayMonitors GetDC
        GetMessageW GetMonitorInfoW KillTimer PostMessageW PostQuitMessage RegisterClassExW RegisterWindowMessageW
        ReleaseDC SetTimer SetWindowDisplayAffinity SetWindowPos ShowWindow TranslateMessage UnregisterClassW
        UpdateLayeredWindow UpdateLayeredWindowIndirect""",
    "gdi32.dll": "CreateCompatibleDC CreateDIBSection DeleteDC DeleteObject SelectObject",
    "d2d1.dll": "D2D1CreateFactory",
    "dwrite.dll": "DWriteCreateFactory",
    "shcore.dll": "GetDpiForMonitor",  # Windows 8.1: the effective DPI of a monitor, which Windows 7 cannot tell
}

# Per target, the toolchain's libraries and objects that the linker may take code from (the import libraries of
# the DLLs above aside), each with the heading of its notice in THIRD-PARTY-NOTICES.
GCC = dict.fromkeys(["libstdc++.a", "libgcc.a", "libgcc_eh.a"], "2. GCC runtime")
NOTICES = {"windows-x64": {**GCC, **dict.fromkeys(["crtbegin.o", "crtend.o"], "2. GCC runtime"),
                           **dict.fromkeys(["crt2u.o", "libmingw32.a", "libmingwex.a", "libmsvcrt.a"],
                                           "3. mingw-w64 runtime"), "libpthread.a": "4. winpthreads"},
           "linux-x64": {**GCC, **dict.fromkeys(["crtbeginS.o", "crtendS.o"], "2. GCC runtime"),
                         **dict.fromkeys(["Scrt1.o", "crti.o", "crtn.o", "libc_nonshared.a"], "10. GNU C Library")}}
GLIBC_FLOOR = (2, 35)  # Ubuntu 22.04's, the oldest system the Linux archive is for

NS = {"v3": "urn:schemas-microsoft-com:asm.v3", "os": "urn:schemas-microsoft-com:compatibility.v1",
      **{f"s{year % 100}": f"http://schemas.microsoft.com/SMI/{year}/WindowsSettings" for year in (2005, 2016)}}
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


@pytest.fixture(params=TARGETS["windows-x64"][1])
def program(request, unpacked):
    return request.param, pefile.PE(unpacked / request.param)


@pytest.fixture(params=PROGRAMS, ids=[program for _, program in PROGRAMS])
def shipped(request):  # any of the four: (target, its unpacked folder, the program's name)
    target = request.param[0]
    return target, request.getfixturevalue("unpacked" if target == "windows-x64" else "linux"), request.param[1]


def test_every_import_is_there_in_windows_10_1507(program):
    allowed = {f"{dll}!{name}" for dll, names in ALLOWED.items() for name in names.split()}
    imported = {f"{entry.dll.decode().lower()}!{(i.name or b'#%d' % i.ordinal).decode()}"
                for entry in program[1].DIRECTORY_ENTRY_IMPORT for i in entry.imports}
    assert imported - allowed == set()


def test_version_information_names_the_program_and_0_1_0_0(program):
    name, pe = program
    fixed = pe.VS_FIXEDFILEINFO[0]
    assert [fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS] == [1, 0, 1, 0]
    strings = {k.decode(): v.decode() for info in pe.FileInfo[0] if info.Key == b"StringFileInfo"
               for table in info.StringTable for k, v in table.entries.items()}
    assert strings.pop("FileDescription").startswith(name.removesuffix(".exe") + " ")
    assert strings == {"CompanyName": "the tolmin-overlay authors", "FileVersion": "0.1.0.0",
                       "InternalName": name.removesuffix(".exe"), "OriginalFilename": name,
                       "LegalCopyright": "Copyright (c) the tolmin-overlay authors. MIT License.",
                       "ProductName": "tolmin-overlay", "ProductVersion": "0.1.0.0"}


def test_manifest_asks_for_per_monitor_v2_awareness_and_names_windows_10(program):
    pe = program[1]
    manifests = next(t for t in pe.DIRECTORY_ENTRY_RESOURCE.entries if t.id == 24)  # RT_MANIFEST
    first = manifests.directory.entries[0]
    assert first.id == 1  # CREATEPROCESS_MANIFEST_RESOURCE_ID: the one the loader reads for a program
    data = first.directory.entries[0].data.struct
    root = ElementTree.fromstring(pe.get_data(data.OffsetToData, data.Size))
    settings = root.find("v3:application/v3:windowsSettings", NS)
    assert settings.find("s16:dpiAwareness", NS).text.split(",")[0] == "PerMonitorV2"
    assert settings.find("s5:dpiAware", NS).text == "true/pm"
    assert [e.get("Id") for e in root.findall("os:compatibility/os:application/os:supportedOS", NS)] == [WINDOWS_10]


def objdump(target: str, *args) -> str:
    return subprocess.run([f"{TARGETS[target][2]}objdump", *map(str, args)], capture_output=True, text=True,
                          check=True).stdout


def test_shipped_programs_are_stripped_and_link_their_debug_file(shipped):
    target, folder, name = shipped
    assert ".debug_" not in objdump(target, "-h", folder / name)
    rows = re.findall(r"^ [0-9a-f]+ ((?:[0-9a-f]+ ?)+)", objdump(target, "-s", "-j", ".gnu_debuglink", folder / name),
                      re.M)
    link = bytes.fromhex("".join(rows).replace(" ", ""))
    assert link[:link.index(b"\0")].decode() == name + ".debug"
    assert int.from_bytes(link[-4:], "little") == zlib.crc32((folder / (name + ".debug")).read_bytes())


@pytest.mark.parametrize("target", TARGETS)
def test_the_notices_cover_every_library_linked_in_and_no_other(target, request):
    linked = set()  # the toolchain's, by absolute path, in any of the archive's programs; the project's aside
    for name in TARGETS[target][1]:
        linker_map = (BUILD / TARGETS[target][0] / (name.removesuffix(".exe") + ".map")).read_text()
        paths = re.findall(r"^(/[^\s(]+)\(", linker_map, re.M) + re.findall(r"^LOAD (/\S+\.o)$", linker_map, re.M)
        linked |= {path.rsplit("/", 1)[-1] for path in paths}
    assert linked - {f"lib{dll.removesuffix('.dll')}.a" for dll in ALLOWED} - set(NOTICES[target]) == set()
    assert set(NOTICES[target]) - linked == set()
    folder = request.getfixturevalue("unpacked" if target == "windows-x64" else "linux")
    notices = (folder / "THIRD-PARTY-NOTICES").read_text()
    assert [h for h in set(NOTICES[target].values()) if f"\n{h}" not in notices] == []


def package_of(soname: str) -> str:
    found = subprocess.run(["dpkg", "-S", f"*/x86_64-linux-gnu/{soname}"], capture_output=True, text=True, check=True)
    return found.stdout.split(":", 1)[0]


def test_linux_programs_load_the_libraries_the_readmes_and_notices_name_from_glibc_2_35_on(linux):
    dynamic = "".join(objdump("linux-x64", "-p", "-T", linux / name) for name in TARGETS["linux-x64"][1])
    needed = set(re.findall(r"^  NEEDED +(\S+)$", dynamic, re.M))
    apt_lines = [re.search(r"sudo apt install ((?:.*\\\n)*.*)", text)[1].replace("\\", " ").split()
                 for text in ((linux / "README.txt").read_text(), (APP.parents[2] / "README.md").read_text())]
    assert [set(line) for line in apt_lines] == [{package_of(soname) for soname in needed}] * 2
    notices = (linux / "THIRD-PARTY-NOTICES").read_text()
    assert [soname for soname in needed if soname not in notices] == []
    assert "RPATH" not in dynamic and "RUNPATH" not in dynamic
    assert max(tuple(map(int, v)) for v in re.findall(r"\(GLIBC_(\d+)\.(\d+)\)", dynamic)) <= GLIBC_FLOOR
