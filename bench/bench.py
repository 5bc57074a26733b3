#!/usr/bin/python3
"""Restore.exe against the script a user would write instead (bench/peer.js
under Wine's cscript) and against the shortest program of the same algorithm
(bench/floor.cpp), on one generated scene, under Wine.

    bench/bench.py [--sections N] [--reps R] [--scaling] [--profile] [--costs]

Run through scripts/bench, which builds first. Each repetition runs every
contender once, in an order rotated from one repetition to the next, with
the desktop and the logs emptied before each run; the figures are medians.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from collections import defaultdict
from dataclasses import dataclass, field
from pathlib import Path, PureWindowsPath

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests"))
import winebed  # noqa: E402

BUILD = Path(os.environ.get("RESTORE_BUILD_DIR", REPO / "build" / "win32"))
BENCH_PREFIX = REPO / "build" / "bench" / "wineprefix"
TOOLS = r"D:\Tools"

# Fixed drives of the scene in letter order; C: is the prefix's own drive_c.
DRIVES = ("C", "D", "E", "F")
APPS = "BenchApps"          # top folder of every target, on every drive

# name -> the command after "wine", run from D:\Tools.
CONTENDERS = {
    "restore": [TOOLS + r"\Restore.exe"],
    "peer": ["cscript.exe", "//nologo", TOOLS + r"\peer.js"],
    "floor": [TOOLS + r"\floor.exe"],
    "floor-once": [TOOLS + r"\floor.exe", "drives-once"],
    # The floor with what the prescribed writer adds per link: COM set up and
    # torn down and the shell object's type library loaded for every link.
    "floor-wsh": [TOOLS + r"\floor.exe", "com-per-link", "typelib-per-link"],
}
MAIN = ["restore", "peer", "floor", "floor-once", "floor-wsh"]

# config.ini keys: name, arguments, then each candidate with its icon.
NAME, ARGUMENTS = "名称", "参数"
CANDIDATE_KEYS = [("路径", "路径图标"), ("路径备用2", "路径备用2图标"),
                  ("路径备用3", "路径备用3图标")]


# --- the scene ---------------------------------------------------------------

@dataclass
class Section:
    name: str
    candidates: list             # [(path, icon)] as configured
    arguments: str
    found: str = None            # the target a correct run links, or None
    icon: str = None             # the icon it hands the shell for it


def plan(n, drives=DRIVES):
    """n sections: a third found on the last drive, a third found nowhere
    (three candidates each, all probed), the rest spread over the other
    drives and over the three candidate places. Every target is configured
    on a drive other than where it lies, so the drive walk matters, and so
    is its icon, which the program moves to the found drive."""
    sections = []
    for i in range(n):
        app = f"App{i:04d}"
        exe = f"{APPS}\\{app}\\{app.lower()}.exe"
        ico = f"{APPS}\\{app}\\{app.lower()}.ico"
        kind = i % 3
        if kind == 1:
            cands = [(f"E:\\{APPS}\\Gone{j}\\{app}\\x.exe", f"E:\\{APPS}\\Gone{j}\\x.ico")
                     for j in range(3)]
            sections.append(Section(f"应用{i:04d}", cands, ""))
            continue
        if kind == 0:
            slot, drive = 0, drives[-1]
        else:                    # every drive with every place within 18
            step = i // 3
            slot, drive = (step + i // 9) % 3, drives[step % (len(drives) - 1)]
        cands = [(f"E:\\{APPS}\\Old{j}\\{app}\\x.exe", "") for j in range(slot)]
        configured = "E" if drive != "E" else "D"
        cands.append((f"{configured}:\\{exe}", f"{configured}:\\{ico}"))
        args = f'-n {i} "工作 目录"' if i % 2 == 0 else ""
        sections.append(Section(f"应用{i:04d}", cands, args, found=f"{drive}:\\{exe}",
                                icon=f"{drive}:\\{ico}"))
    return sections


def config_text(sections):
    out = []
    for i, s in enumerate(sections):
        out.append(f"[s{i}]\r\n{NAME}={s.name}\r\n")
        for (pkey, ikey), (path, icon) in zip(CANDIDATE_KEYS, s.candidates):
            out.append(f"{pkey}={path}\r\n")
            if icon:
                out.append(f"{ikey}={icon}\r\n")
        if s.arguments:
            out.append(f"{ARGUMENTS}={s.arguments}\r\n")
    return "".join(out)


class Scene:
    """The contenders in D:\\Tools beside one config.ini, the targets on
    drives C: to F: of `prefix`, the Unix folders of D: to F: under `root`."""

    def __init__(self, prefix, root, sections, drives=DRIVES):
        self.prefix = prefix
        self.root = Path(root)
        self.drives = drives
        for letter in drives:
            if letter != "C":
                folder = self.root / f"drive_{letter.lower()}"
                folder.mkdir(parents=True, exist_ok=True)
                prefix.map_drive(letter, folder)
        self.tools = prefix.unix_path("D:\\")
        self.tools = self.tools / "Tools"
        self.tools.mkdir(exist_ok=True)
        for src, name in [(BUILD / "Restore.exe", "Restore.exe"),
                          (BUILD / "tests" / "helpers" / "RunDll32.exe", "RunDll32.exe"),
                          (BUILD / "bench" / "floor.exe", "floor.exe"),
                          (BUILD / "bench" / "costs.exe", "costs.exe"),
                          (REPO / "bench" / "peer.js", "peer.js")]:
            if not src.is_file():
                raise FileNotFoundError(f"{src}: build the win32 preset first")
            shutil.copyfile(src, self.tools / name)
        self.set_sections(sections)

    def set_sections(self, sections):
        self.remove_targets()
        self.sections = sections
        for s in sections:
            if s.found:
                for win in (s.found, s.icon):
                    path = self.prefix.unix_path(win)
                    path.parent.mkdir(parents=True, exist_ok=True)
                    path.write_bytes(b"MZ")
        (self.tools / "config.ini").write_bytes(config_text(sections).encode("gbk"))

    def remove_targets(self):
        for letter in self.drives:
            root = self.prefix.drive_path(letter)
            if root is not None:
                shutil.rmtree(root / APPS, ignore_errors=True)

    def expected_links(self):
        return {s.name + ".lnk" for s in self.sections if s.found}

    def links(self):
        return {p.name for p in self.prefix.desktop_dir().iterdir()
                if not p.name.endswith(".desktop")}

    def clear(self):
        """Empties the desktop and removes the logs and the refresh record."""
        desktop = self.prefix.desktop_dir()
        desktop.mkdir(parents=True, exist_ok=True)
        for p in desktop.iterdir():
            shutil.rmtree(p) if p.is_dir() else p.unlink()
        for p in self.tools.iterdir():
            if p.suffix in (".log", ".lnk") or p.name == "RunDll32.calls.txt":
                p.unlink()

    def run(self, contender, debug="-all", timeout=600):
        """-> (wall seconds, CompletedProcess) of one run from an empty desktop."""
        self.clear()
        argv = ["wine", *CONTENDERS[contender]]
        env = self.prefix.env({"WINEDEBUG": debug})
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            start = time.perf_counter()
            p = subprocess.run(argv, cwd=self.tools, env=env, stdin=subprocess.DEVNULL,
                               stdout=out, stderr=err, timeout=timeout)
            seconds = time.perf_counter() - start
            out.seek(0)
            err.seek(0)
            done = subprocess.CompletedProcess(argv, p.returncode, out.read(), err.read())
        return seconds, done

    def check(self, contender, done):
        """The run did the whole job: exit 0 and exactly the expected links."""
        got, want = self.links(), self.expected_links()
        if done.returncode != 0 or got != want:
            raise RuntimeError(
                f"{contender}: exit {done.returncode}, {len(got)} links, {len(want)} expected; "
                f"missing {sorted(want - got)[:3]}, extra {sorted(got - want)[:3]}\n"
                f"{done.stderr.decode(errors='replace')[-2000:]}")


# --- timing ------------------------------------------------------------------

def measure(scene, contenders, reps, log=print):
    """-> {contender: [seconds]}, contenders alternated, order rotated."""
    times = defaultdict(list)
    for rep in range(reps):
        order = contenders[rep % len(contenders):] + contenders[:rep % len(contenders)]
        for c in order:
            seconds, done = scene.run(c)
            scene.check(c, done)
            times[c].append(seconds)
        log(f"  rep {rep + 1}/{reps}: " +
            "  ".join(f"{c} {times[c][-1]:.2f}s" for c in contenders))
    return times


def med(xs):
    return statistics.median(xs)


def table(n, times, empty):
    """Per-section medians: the whole run, and the run less the empty run."""
    lines = [f"| contender | run (median, min-max) s | empty run s | per section ms "
             f"| per section less empty ms |",
             "|---|---|---|---|---|"]
    for c, xs in times.items():
        e = med(empty[c]) if c in empty else float("nan")
        lines.append(f"| {c} | {med(xs):.2f} ({min(xs):.2f}-{max(xs):.2f}) | {e:.2f} "
                     f"| {1000 * med(xs) / n:.1f} | {1000 * (med(xs) - e) / n:.1f} |")
    return "\n".join(lines)


def ratios(n, times, empty):
    r = lambda a, b: med(times[a]) / med(times[b])
    rn = lambda a, b: (med(times[a]) - med(empty[a])) / (med(times[b]) - med(empty[b]))
    out = []
    for other in ("peer", "floor", "floor-once", "floor-wsh"):
        if other in times:
            out.append(f"| Restore/{other} | {r('restore', other):.2f} "
                       f"| {rn('restore', other):.2f} |")
    return "| ratio | whole run | less empty run |\n|---|---|---|\n" + "\n".join(out)


# --- profile -----------------------------------------------------------------

# Exports whose time the profile adds up, by what they stand for. The
# shell object's own calls are timed from its trace instead (see profile).
RELAY = {
    "probing (drive walk, existence tests)": ["GetDriveTypeA", "FindFirstFileA", "FindClose"],
    "config reading": ["GetPrivateProfileSectionNamesA", "GetPrivateProfileStringA"],
    "logging": ["CreateFileA", "LockFileEx", "WriteFile", "UnlockFileEx", "CloseHandle"],
    "desktop folder lookups": ["SHGetSpecialFolderPathA", "SHGetSpecialFolderPathW"],
    "old-link check": ["GetFileAttributesA", "MoveFileExA", "DeleteFileA"],
    "COM initialisation": ["CoInitialize", "CoUninitialize"],
    "type library load": ["LoadTypeLib"],
    "link object creation": ["CoCreateInstance"],
}
# Relayed only to mark where the sections end and the refresh begins.
MARKERS = ["SHChangeNotify"]
_LINE = re.compile(r"^\s*(\d+)\.(\d{3}):[0-9a-f]+:(.*)$")
_RELAY = re.compile(r"^(Call|Ret)\s+[\w\-]+\.(\w+)\(")
_CREATE = "wshom:WshShell3_CreateShortcut"
_PUT = "wshom:WshShortcut_put_"
_SAVE = "wshom:WshShortcut_Save"
_DROP = re.compile(r"wshom:WshShortcut_Release \w+, refcount 0")


def relay_registry(prefix):
    names = ";".join(sorted({n for ns in RELAY.values() for n in ns} | set(MARKERS)))
    reg = prefix.drive_c() / "bench-relay.reg"
    reg.write_text("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\n"
                   f"\"RelayInclude\"=\"{names}\"\n")
    subprocess.run(["wine", "reg", "import", r"C:\bench-relay.reg"], cwd=prefix.drive_c(),
                   env=prefix.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True)
    reg.unlink()


def profile(stderr):
    """-> ({part: ms}, traced ms) of a run traced with +timestamp and
    trace+wshom, and +relay of the RELAY exports when present.

    Each shortcut is cut into phases at the shell object's traced calls:
    the shell object's creation (from LoadTypeLib, relayed, to
    CreateShortcut: type library, instance, OleRun, name lookup), the
    CreateShortcut call, the property puts (first put to Save), Save (to
    the shortcut's last release) and its release (to the next relayed
    call, CoUninitialize). Relayed exports outside those phases count by their group,
    outermost calls only, between the first section-list read and the
    refresh; before and after those two are start-up and end."""
    spans = defaultdict(float)
    group_of = {n: g for g, ns in RELAY.items() for n in ns}
    stack = []                   # open relay calls: (name, ms)
    phase, phase_start = None, 0
    first = last = config_start = last_section_end = None

    def close(ms, name):
        nonlocal phase
        spans[name] += ms - phase_start
        phase = None

    for line in stderr.decode("utf-8", errors="replace").splitlines():
        m = _LINE.match(line)
        if not m:
            continue
        ms = int(m.group(1)) * 1000 + int(m.group(2))
        text = m.group(3)
        first = ms if first is None else first
        last = ms
        if r := _RELAY.match(text):
            kind, name = r.groups()
            if name == "GetPrivateProfileSectionNamesA" and config_start is None:
                config_start = ms
            if name == "SHChangeNotify" and kind == "Call":
                last_section_end = ms
            if name == "LoadTypeLib" and kind == "Call" and phase is None:
                phase, phase_start = "shell object creation", ms
                continue
            if kind == "Call" and phase == "teardown":
                close(ms, "shortcut release")
            elif name == "CoUninitialize" and kind == "Call" and phase is not None:
                close(ms, "type library load" if phase == "shell object creation" else phase)
            if phase is not None or config_start is None or last_section_end is not None:
                continue         # inside a phase, or in start-up or end: part of that
            if kind == "Call":
                stack.append((name, ms))
            else:
                while stack:
                    open_name, t0 = stack.pop()
                    if open_name == name:
                        if not stack:
                            spans[group_of.get(name, name)] += ms - t0
                        break
            continue
        if _CREATE in text:
            if phase == "shell object creation":
                close(ms, phase)
            phase, phase_start = "CreateShortcut", ms
        elif _PUT in text and phase == "CreateShortcut":
            close(ms, phase)
            phase, phase_start = "property puts", ms
        elif _SAVE in text and phase == "property puts":
            close(ms, phase)
            phase, phase_start = "Save", ms
        elif _DROP.search(text) and phase == "Save":
            close(ms, phase)
            phase, phase_start = "teardown", ms
    if config_start is not None:
        spans["start-up (to the first config read)"] = config_start - first
    if last_section_end is not None:
        spans["end (refresh to the last trace line)"] = last - last_section_end
    return spans, (last - first) if first is not None else 0


def run_profile(scene, contender="restore", relay=True):
    """One traced run -> (wall seconds, {part: ms}, traced ms)."""
    debug = "+timestamp,trace+wshom" + (",+relay" if relay else "")
    if relay:
        relay_registry(scene.prefix)
    seconds, done = scene.run(contender, debug=debug, timeout=1800)
    scene.check(contender, done)
    spans, traced_ms = profile(done.stderr)
    return seconds, spans, traced_ms


def run_costs(scene, links=50):
    """bench/costs.exe: microseconds per step, untraced -> [(step, us)]."""
    scene.clear()
    argv = ["wine", TOOLS + r"\costs.exe", str(links)]
    p = subprocess.run(argv, cwd=scene.tools, env=scene.prefix.env(), stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=600)
    if p.returncode != 0:
        raise RuntimeError(f"costs.exe: exit {p.returncode}: {p.stderr[-2000:]}")
    rows = [line.split("\t") for line in p.stdout.decode().splitlines() if "\t" in line]
    scene.clear()
    return [(step, float(us)) for step, us in rows]


def profile_table(title, seconds, spans, traced_ms, n):
    rows = [f"# {title}: {seconds:.1f} s wall, {traced_ms} ms traced",
            "| part | ms | per section ms | share |", "|---|---|---|---|"]
    for k, v in sorted(spans.items(), key=lambda kv: -kv[1]):
        rows.append(f"| {k} | {v:.0f} | {v / n:.2f} | {100 * v / max(traced_ms, 1):.0f}% |")
    rest = traced_ms - sum(spans.values())
    rows.append(f"| rest (own code, untraced calls, trace output) | {rest:.0f} | {rest / n:.2f} "
                f"| {100 * rest / max(traced_ms, 1):.0f}% |")
    return "\n".join(rows)


# --- main --------------------------------------------------------------------

def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--sections", type=int, default=300)
    ap.add_argument("--reps", type=int, default=5)
    ap.add_argument("--scaling", nargs="?", const="100,300,1000", metavar="N,N,...",
                    help="also Restore.exe (with the floor) at these N (default 100,300,1000)")
    ap.add_argument("--profile", action="store_true",
                    help="also one traced run of Restore.exe for the shares of its time")
    ap.add_argument("--costs", action="store_true",
                    help="also the step costs timed by bench/costs.exe")
    ap.add_argument("--only", help="comma-separated contenders (default: all)")
    ap.add_argument("--prefix", default=str(BENCH_PREFIX))
    args = ap.parse_args(argv)

    prefix = winebed.Prefix(args.prefix).ensure()
    prefix.stop_server()
    prefix.reset()
    prefix.keep_server()
    root = Path(args.prefix).parent / "scene"
    shutil.rmtree(root, ignore_errors=True)
    contenders = args.only.split(",") if args.only else MAIN
    try:
        print(f"# machine: {os.cpu_count()} cores, load {os.getloadavg()[0]:.2f}, "
              f"{winebed.wine_version()}")
        scene = Scene(prefix, root, [])
        # The empty runs: start-up and end alone.
        empty = measure(scene, contenders, args.reps)
        scene.set_sections(plan(args.sections))
        print(f"# N = {args.sections}, {len(scene.expected_links())} links, reps {args.reps}")
        for c in contenders:             # one warm-up each, not counted
            scene.check(c, scene.run(c)[1])
        times = measure(scene, contenders, args.reps)
        print()
        print(table(args.sections, times, empty))
        print()
        print(ratios(args.sections, times, empty) if "restore" in times else "")
        if args.scaling:
            print("\n# scaling")
            rows = ["| N | restore per section ms | floor per section ms | Restore/floor |",
                    "|---|---|---|---|"]
            for n in map(int, args.scaling.split(",")):
                scene.set_sections(plan(n))
                t = measure(scene, ["restore", "floor"], max(3, args.reps // 2))
                rows.append(f"| {n} | {1000 * med(t['restore']) / n:.1f} "
                            f"| {1000 * med(t['floor']) / n:.1f} "
                            f"| {med(t['restore']) / med(t['floor']):.2f} |")
            print("\n".join(rows))
        if args.profile:
            scene.set_sections(plan(args.sections))
            for relay in (False, True):
                seconds, spans, traced_ms = run_profile(scene, relay=relay)
                title = ("profile, shell object trace only" if not relay else
                         "profile, shell object trace and relayed exports")
                print("\n" + profile_table(title, seconds, spans, traced_ms, args.sections))
        if args.costs:
            print("\n# step costs (bench/costs.exe, untraced, microseconds per call)")
            print("| step | us |\n|---|---|")
            for step, us in run_costs(scene):
                print(f"| {step} | {us:.0f} |")
        print(f"\n# load after: {os.getloadavg()[0]:.2f}")
    finally:
        if "scene" in locals():
            scene.remove_targets()
        prefix.reset()
        prefix.stop_server()
    return 0


if __name__ == "__main__":
    sys.exit(main())
