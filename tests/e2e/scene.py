"""A scene for Restore.exe: the program on a mapped drive with its
config.ini, a run under Wine with the shell object's calls traced, and what
the run left behind read back (links, log, recorder file).

    scene = Scene(bed, r"D:\\Tools")
    scene.add_files(r"E:\\Apps\\tool.exe")
    scene.config([("one", entry("Tool", (r"E:\\Apps\\tool.exe", r"E:\\Apps\\tool.ico")))])
    run = scene.run()
    run.returncode, run.shortcuts, scene.link("Tool").target
"""
import re
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import PureWindowsPath

import pylnk
import pytest

from programs import gbk, helper, product

# Wine's wshom trace: one line per call into the shell object.
TRACE = "trace+wshom"
# The same with each line led by the calling process's id (hex).
_PID_TRACE = "+pid," + TRACE
_PID_LINE = re.compile(r"^([0-9a-f]{4,8}):[0-9a-f]{4,8}:\w+:wshom:", re.M)
_CREATE = re.compile(r'WshShell3_CreateShortcut \((L".*?"|null)')
_PUT = re.compile(r'WshShortcut_put_(\w+) \(\w+\)->\((L".*?"|null|-?\d+)\)')
_SAVE = re.compile(r'WshShortcut_Save \(')
_DESKTOP_ENTRY_SUFFIX = ".desktop"


# config.ini keys of the three candidates, each with its icon.
CANDIDATE_KEYS = [("路径", "路径图标"), ("路径备用2", "路径备用2图标"),
                  ("路径备用3", "路径备用3图标")]


def entry(name, *candidates, arguments=None):
    """One section's keys: the shortcut's name, then up to three candidates,
    each a path or a (path, icon) pair; None leaves a candidate's keys out."""
    keys = {"名称": name}
    for (path_key, icon_key), candidate in zip(CANDIDATE_KEYS, candidates):
        if candidate is None:
            continue
        path, icon = (candidate, None) if isinstance(candidate, str) else candidate
        keys[path_key] = path
        if icon is not None:
            keys[icon_key] = icon
    if arguments is not None:
        keys["参数"] = arguments
    return keys


def _wine_text(token):
    """A value as Wine's debugstr prints it: L"..." with C escapes, doubled
    backslashes and a backslash with four hex digits for a unit outside
    printable ASCII; a number stays a number."""
    if token == "null":
        return None
    if not token.startswith('L"'):
        return int(token)
    body = token[2:-1]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        nxt = body[i + 1]
        if m := re.match(r"x?([0-9a-fA-F]{4})", body[i + 1:]):
            out.append(chr(int(m.group(1), 16)))
            i += 1 + len(m.group(0))
        else:
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(nxt, nxt))
            i += 2
    return "".join(out)


@dataclass
class ShortcutCalls:
    """What the program handed to one shortcut object, in order."""
    link: str
    puts: list = field(default_factory=list)     # [(property, value)]
    saved: bool = False

    def value(self, name):
        return dict(self.puts).get(name)


def parse_trace(stderr):
    """-> [ShortcutCalls] from a run's stderr with WINEDEBUG=trace+wshom."""
    calls = []
    for line in stderr.decode("utf-8", errors="replace").splitlines():
        if m := _CREATE.search(line):
            calls.append(ShortcutCalls(_wine_text(m.group(1))))
        elif (m := _PUT.search(line)) and calls:
            calls[-1].puts.append((m.group(1), _wine_text(m.group(2))))
        elif _SAVE.search(line) and calls:
            calls[-1].saved = True
    return calls


@dataclass
class Link:
    """A .lnk file as an independent reader (liblnk) sees it."""
    target: str
    working_directory: str
    arguments: str
    show: int
    icon: str


def read_link(path):
    f = pylnk.file()
    f.set_ascii_codepage("cp936")
    f.open(str(path))
    try:
        return Link(f.local_path, f.working_directory, f.command_line_arguments,
                    f.show_window_value, f.icon_location)
    finally:
        f.close()


@dataclass
class Run:
    returncode: int
    stderr: bytes
    shortcuts: list          # [ShortcutCalls]
    seconds: float

    @property
    def shell_object_pids(self):
        """Ids of the processes that called into the shell object."""
        text = self.stderr.decode("utf-8", errors="replace")
        return {int(m.group(1), 16) for m in _PID_LINE.finditer(text)}


class Scene:
    """Restore.exe and the recorder standing in for RunDll32.exe, copied into
    `folder` (a Windows path on a drive the test has mapped)."""

    def __init__(self, bed, folder, exe_name="Restore.exe"):
        self.bed = bed
        self.folder_win = str(PureWindowsPath(folder))
        self.folder = bed.unix_path(self.folder_win)
        self.exe_win = bed.put(product(), self.folder_win, exe_name)
        bed.put(helper("RunDll32.exe"), self.folder_win)
        self.exe_name = exe_name

    def add_files(self, *win_paths, data=b"MZ"):
        """Makes files (and their folders) at absolute Windows paths, mapping
        a drive that is not mapped yet -> their Unix paths. C: is the
        prefix's own drive_c, shared by every test: a test that puts files
        there removes them itself."""
        made = []
        for win_path in win_paths:
            letter = PureWindowsPath(win_path).drive[:1]
            if letter.upper() != "C" and self.bed.drive_path(letter) is None:
                self.bed.drive(letter)
            path = self.bed.unix_path(win_path)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
            made.append(path)
        return made

    def config(self, sections, name="config.ini"):
        """Writes config.ini in code page 936: sections is a list of
        (section name, {key: value}), or the file's whole text."""
        if isinstance(sections, str):
            text = sections
        else:
            text = "".join(f"[{section}]\r\n" +
                           "".join(f"{k}={v}\r\n" for k, v in keys.items())
                           for section, keys in sections)
        (self.folder / name).write_bytes(gbk(text))

    def run(self, cwd_win=None, timeout=60):
        """Runs the program; one that has not ended within `timeout` seconds
        is killed and the test fails."""
        start = time.monotonic()
        try:
            result = self.bed.run(self.exe_win, cwd_win=cwd_win, timeout=timeout,
                                  extra_env={"WINEDEBUG": _PID_TRACE})
        except subprocess.TimeoutExpired:
            pytest.fail(f"{self.exe_name} did not end within {timeout} s", pytrace=False)
        return Run(result.returncode, result.stderr, parse_trace(result.stderr),
                   time.monotonic() - start)

    def run_sealed(self, timeout=60):
        """Runs the program, which must end with 0 and change nothing outside
        the desktop and its own folder."""
        before = self.snapshot()
        run = self.run(timeout=timeout)
        assert run.returncode == 0, run.stderr[-2000:]
        assert self.changes_outside(before) == []
        return run

    # --- what the run left -------------------------------------------------

    def log_path(self):
        """The daily log beside the program (today's date)."""
        stem = PureWindowsPath(self.exe_name).stem
        return self.folder / f"{stem}_{time.strftime('%Y%m%d')}.log"

    def log_lines(self):
        """The daily log's records as code page 936 bytes, CR LF removed."""
        path = self.log_path()
        if not path.exists():
            return []
        data = path.read_bytes()
        assert data.endswith(b"\r\n"), data[-40:]
        return data[:-2].split(b"\r\n")

    def log_messages(self):
        """Each record's message: what follows the header's " : "."""
        return [line.split(b" : ", 1)[1].decode("gbk") for line in self.log_lines()]

    def desktop(self):
        return self.bed.desktop_dir()

    def desktop_win(self):
        """The desktop folder as the program sees it (C:\\users\\<user>\\Desktop)."""
        return self.bed.win_path(self.desktop())

    def snapshot(self):
        """Every path (with size and time of change) under the prefix's
        drive_c and the test's drive folders, except on the desktop and in
        the program's folder, where a run may write."""
        allowed = (self.desktop(), self.folder)
        state = {}
        for root in (self.bed.drive_c(), self.bed.tmp_path):
            for path in root.rglob("*"):
                if any(path == a or a in path.parents for a in allowed):
                    continue
                st = path.lstat()
                state[path] = (st.st_size, st.st_mtime_ns)
        return state

    def changes_outside(self, before):
        """Paths made, removed or changed since `before` (a snapshot)
        outside the desktop and the program's folder."""
        after = self.snapshot()
        return sorted(str(p) for p in set(before) | set(after)
                      if before.get(p) != after.get(p))

    def set_aside_links(self):
        """Old links moved aside (<link>.old-<pid>) and left behind."""
        return sorted(p.name for p in self.desktop().glob("*.old-*"))

    def links(self):
        """Names of the .lnk files on the desktop, sorted."""
        return sorted(p.name for p in self.desktop().iterdir()
                      if not p.name.endswith(_DESKTOP_ENTRY_SUFFIX))

    def link(self, name):
        return read_link(self.desktop() / f"{name}.lnk")

    def refresh_calls(self, timeout=20):
        """Lines the RunDll32 recorder left, waited for: the program does not
        wait for the refresh to end, so the file may come after it."""
        record = self.folder / "RunDll32.calls.txt"
        deadline = time.monotonic() + timeout
        while not record.exists() or not record.read_bytes().endswith(b"\r\n"):
            if time.monotonic() > deadline:
                return []
            time.sleep(0.05)
        return [line.split(b"\t") for line in record.read_bytes().split(b"\r\n")[:-1]]
