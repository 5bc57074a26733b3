"""The Wine bed itself: what a program started in it sees, and that each
test starts from the same clean state."""
import os
import subprocess
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]

PROBE_SOURCE = r"""
#include <windows.h>
#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// probe [CODE [NAME]]  prints what it sees, makes NAME on the desktop,
//                      exits with CODE
// probe box TITLE      shows a yes/no box, exits with the button's id
// probe close TITLE    presses "No" in the window called TITLE
// probe crash          writes through a null pointer
int main(int argc, char** argv) {
  if (argc > 2 && !strcmp(argv[1], "box"))
    return MessageBoxA(NULL, "probe", argv[2], MB_YESNO);
  if (argc > 2 && !strcmp(argv[1], "close")) {
    for (int i = 0; i < 200; ++i, Sleep(50))
      if (HWND w = FindWindowA(NULL, argv[2]))
        return !PostMessageA(w, WM_COMMAND, IDNO, 0);
    return 100;
  }
  if (argc > 1 && !strcmp(argv[1], "crash"))
    *(volatile int*)0 = 1;

  char buf[MAX_PATH];
  printf("acp=%u\n", GetACP());
  GetModuleFileNameA(NULL, buf, MAX_PATH);
  printf("module=%s\n", buf);
  GetCurrentDirectoryA(MAX_PATH, buf);
  printf("cwd=%s\n", buf);
  printf("drives=");
  for (char c = 'A'; c <= 'Z'; ++c) {
    char root[] = {c, ':', '\\', 0};
    UINT type = GetDriveTypeA(root);
    if (type != DRIVE_NO_ROOT_DIR) printf("%c%u ", c, type);
  }
  OSVERSIONINFOA v = {sizeof v};
  GetVersionExA(&v);
  printf("\nversion=%lu.%lu\n", v.dwMajorVersion, v.dwMinorVersion);
  SHGetSpecialFolderPathA(NULL, buf, CSIDL_DESKTOPDIRECTORY, FALSE);
  printf("desktop=%s\n", buf);
  printf("var=%s\n", getenv("BED_VAR") ? getenv("BED_VAR") : "(unset)");
  if (argc > 2) {
    strcat(strcat(buf, "\\"), argv[2]);
    HANDLE h = CreateFileA(buf, GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    printf("created=%d\n", h != INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  return argc > 1 ? atoi(argv[1]) : 0;
}
"""

DRIVE_FIXED = 3


@pytest.fixture(scope="session")
def probe(tmp_path_factory):
    folder = tmp_path_factory.mktemp("probe")
    (folder / "probe.cpp").write_text(PROBE_SOURCE)
    subprocess.run(["i686-w64-mingw32-g++-posix", "-static", "-O1",
                    "-o", "probe.exe", "probe.cpp", "-lshell32"],
                   cwd=folder, check=True)
    return folder / "probe.exe"


def seen(result):
    """The probe's key=value lines (ANSI code page 936)."""
    lines = result.stdout.decode("gbk").splitlines()
    return dict(line.split("=", 1) for line in lines if "=" in line)


def test_program_sees_only_the_bed(bed, probe):
    bed.drive("D")
    exe = bed.put(probe, "D:\\bin")
    r = bed.run(exe, ["-1", "桌面.txt"], extra_env={"BED_VAR": "值"})
    info = seen(r)
    assert r.returncode == 255, r
    assert info["acp"] == "936"
    assert info["module"] == r"D:\bin\probe.exe"
    assert info["cwd"] == r"D:\bin"
    assert info["drives"].split() == [f"C{DRIVE_FIXED}", f"D{DRIVE_FIXED}"]
    assert info["desktop"] == bed.win_path(bed.desktop_dir())
    assert info["var"] == "值"
    # The ANSI name reaches the disk as UTF-8, in the prefix, not in $HOME.
    assert info["created"] == "1"
    made = bed.desktop_dir() / "桌面.txt"
    assert made.is_file()
    assert bed.prefix.path in made.resolve().parents


@pytest.mark.parametrize("cwd_win, expected", [
    ("C:\\", "C:\\"),
    (r"d:\WORK\sub", r"D:\work\Sub"),
    ("E:\\", "E:\\"),
])
def test_current_directory_is_cwd_win(bed, probe, cwd_win, expected):
    (bed.drive("D") / "work" / "Sub").mkdir(parents=True)
    bed.drive("E")
    exe = bed.put(probe, "D:\\")
    assert seen(bed.run(exe, cwd_win=cwd_win))["cwd"] == expected


# Without a manifest naming Windows 10, GetVersionEx stops at 6.2 there.
@pytest.mark.parametrize("name, version", [
    ("win7", "6.1"), ("vista", "6.0"), ("winxp64", "5.2"), ("win10", "6.2"),
])
def test_set_version(bed, probe, name, version):
    bed.drive("D")
    exe = bed.put(probe, "D:\\")
    bed.set_version(name)
    assert seen(bed.run(exe))["version"] == version


def test_reset_undoes_what_a_test_changed(bed, probe):
    bed.drive("D")
    bed.drive("E")
    (bed.desktop_dir() / "left.lnk").write_bytes(b"x")
    (bed.public_desktop_dir() / "shared").mkdir()
    bed.set_version("win7")
    bed.reset()
    assert list(bed.desktop_dir().iterdir()) == []
    assert list(bed.public_desktop_dir().iterdir()) == []
    bed.drive("D")
    exe = bed.put(probe, "D:\\")
    info = seen(bed.run(exe))
    assert info["drives"].split() == [f"C{DRIVE_FIXED}", f"D{DRIVE_FIXED}"]
    assert info["version"] == "6.2"


def test_message_box_closed_by_another_program(bed, probe):
    bed.drive("D")
    exe = bed.put(probe, "D:\\")
    box = bed.start(exe, ["box", "bed box"])
    assert bed.run(exe, ["close", "bed box"], timeout=30).returncode == 0
    assert box.wait(timeout=30).returncode == 7  # IDNO


def test_crash_ends_without_a_debugger(bed, probe):
    bed.drive("D")
    exe = bed.put(probe, "D:\\")
    # Wine's own debugger would wait here for ever, with no display.
    r = bed.run(exe, ["crash"], timeout=30)
    assert r.returncode == 0xC0000005 & 0xFF  # access violation


def test_wine_run_script_from_another_directory(bed, probe, tmp_path):
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    env = dict(os.environ, RESTORE_WINEPREFIX=str(bed.prefix.path),
               BED_VAR="from ctest")
    r = subprocess.run([REPO / "scripts" / "wine-run", probe, "42"],
                       cwd=elsewhere, env=env, capture_output=True, timeout=60)
    info = seen(r)
    assert r.returncode == 42, r
    assert info["module"] == r"T:\probe.exe"
    assert info["cwd"] == "T:\\"
    assert info["var"] == "from ctest"
    assert bed.drive_path("T") == probe.parent
