"""Where the cross-built programs are, and how a test puts one into a scene."""
import contextlib
import shutil
import time
from pathlib import Path, PureWindowsPath

import pytest

from conftest import BUILD_DIR


def built(relative):
    """A program of the Windows build. CI builds before testing, so a missing
    one is a failure, not a skip."""
    path = BUILD_DIR / relative
    if not path.is_file():
        pytest.fail(f"{path} is missing: build the win32 preset first "
                    "(or point RESTORE_BUILD_DIR at a build)", pytrace=False)
    return path


def product():
    return built("Restore.exe")


def helper(name):
    return built(Path("tests") / "helpers" / name)


def place(program, folder, name=None):
    """Copies a program into a folder of a mapped drive; returns the copy."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / (name or Path(program).name)
    shutil.copyfile(program, target)
    return target


def gbk(text):
    return text.encode("gbk")



@contextlib.contextmanager
def file_held(bed, win_file, lock_all=False, timeout=30):
    """Another program holds `win_file` (a Windows path on a mapped drive,
    made if missing) for the length of the block: open with no sharing, or
    with `lock_all` open shared with every byte locked."""
    win_dir = str(PureWindowsPath(win_file).parent)
    folder = bed.unix_path(win_dir)
    holder = place(helper("file_holder.exe"), folder)
    ready, stop = folder / "file_holder.ready", folder / "file_holder.stop"
    job = bed.start(bed.win_path(holder),
                    [win_file, bed.win_path(ready), f"{win_dir}\\{stop.name}",
                     str(timeout * 4 * 1000)] + (["lock-all"] if lock_all else []))
    deadline = time.monotonic() + timeout
    while not ready.exists():
        if job.popen.poll() is not None or time.monotonic() > deadline:
            pytest.fail(f"file_holder could not hold {win_file}", pytrace=False)
        time.sleep(0.05)
    try:
        yield
    finally:
        stop.write_bytes(b"")
        assert job.wait(timeout).returncode == 0
        for path in (holder, ready, stop):
            path.unlink()
