"""The shipped executable itself: a 32-bit GUI program that needs only DLLs
every Windows has, with its version resource."""
import re
import subprocess

from programs import product

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "shlwapi.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll", "comctl32.dll"}


def objdump(*args):
    return subprocess.run(["i686-w64-mingw32-objdump", *args, str(product())],
                          capture_output=True, text=True, check=True).stdout


def test_pe32_gui_with_system_imports_only():
    headers = objdump("-p")
    assert "file format pei-i386" in headers
    assert re.search(r"^Magic\s+010b\s+\(PE32\)", headers, re.M)
    assert re.search(r"^Subsystem\s+00000002\s+\(Windows GUI\)", headers, re.M)
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", headers)}
    assert imports, "no import table found"
    assert imports <= SYSTEM_DLLS, imports - SYSTEM_DLLS


def test_version_resource():
    rc = subprocess.run(["i686-w64-mingw32-windres", "-i", str(product()), "-O", "rc"],
                        capture_output=True, text=True, check=True).stdout
    assert re.search(r"FILEVERSION 1, 0, 0, 4\b", rc)
    assert re.search(r"PRODUCTVERSION 1, 0, 0, 4\b", rc)
    assert "FILEOS 0x4\n" in rc and "FILETYPE 0x1\n" in rc  # Win32, application
    # One string table, Chinese (PRC) in UTF-16.
    assert re.findall(r'BLOCK "([0-9a-f]{8})"', rc) == ["080404b0"]
    assert re.search(r'VALUE "FileVersion", "1,0,0,4"', rc)
    assert re.search(r'VALUE "ProductVersion", "1,0,0,4"', rc)
    assert re.search(r'VALUE "Translation", 0x804, 1200', rc)
