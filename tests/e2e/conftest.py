"""Fixtures for the end-to-end tests, which run the Windows build under Wine.

`prefix` is one Wine prefix for the whole session (made on first use, its
server kept up); `bed` resets it before each test and maps drive letters to
folders under the test's tmp_path.
"""
import os
import sys
from pathlib import Path

import pytest

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
import winebed  # noqa: E402

BUILD_DIR = Path(os.environ.get("RESTORE_BUILD_DIR", REPO / "build" / "win32"))
PREFIX_DIR = Path(os.environ.get("RESTORE_WINEPREFIX",
                                 REPO / "build" / "win32" / "wineprefix"))


class Bed:
    """The session's prefix, fresh for one test. Everything Prefix has
    (run, start, desktop_dir, set_version, win_path, ...) is reachable here;
    programs still running at the end of the test are killed."""

    def __init__(self, prefix, tmp_path):
        self.prefix = prefix
        self.tmp_path = tmp_path
        self.jobs = []

    def __getattr__(self, name):
        return getattr(self.prefix, name)

    def drive(self, letter):
        """Maps `letter` to tmp_path/drive_<letter> -> that folder."""
        folder = self.tmp_path / f"drive_{letter.lower()}"
        folder.mkdir(exist_ok=True)
        self.prefix.map_drive(letter, folder)
        return folder

    def put(self, src, win_dir, name=None):
        """Copies a Unix file into a folder on a mapped drive (made if
        missing), renamed when `name` is given -> the copy's Windows path."""
        from programs import place
        return self.prefix.win_path(place(src, self.prefix.unix_path(win_dir), name))

    def start(self, *args, **kwargs):
        job = self.prefix.start(*args, **kwargs)
        self.jobs.append(job)
        return job

    def run(self, win_path, args=(), cwd_win=None, timeout=60, extra_env=None):
        return self.start(win_path, args, cwd_win, extra_env).wait(timeout)

    def close(self):
        for job in self.jobs:
            if job.popen.poll() is None:
                job.popen.kill()
                job.popen.wait()


@pytest.fixture(scope="session")
def prefix():
    p = winebed.Prefix(PREFIX_DIR).ensure()
    p.stop_server()     # one left by scripts/wine-run would time out mid-run
    p.keep_server()
    yield p
    p.stop_server()


@pytest.fixture
def bed(prefix, tmp_path):
    prefix.reset()
    b = Bed(prefix, tmp_path)
    yield b
    b.close()
