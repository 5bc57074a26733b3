#!/usr/bin/python3
"""Runs Restore.exe under Wine on a small sample scene and shows what it did.

The scene: drives D:, E: and F: mapped to folders under the demo folder,
a few portable programs on them as small stand-in files (some where
examples/config.ini says, one on another drive, one only at its second
place, some nowhere), and Restore.exe with examples/config.ini in
D:\\Restore. The demo has a Wine prefix of its own, so the tests' prefix
is never touched, and it starts each run from a clean scene.

    scripts/demo.py BUILD_DIR DEMO_DIR

scripts/demo installs, builds and then calls this.
"""
import configparser
import shutil
import sys
import time
from pathlib import Path, PureWindowsPath

REPO = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(REPO / "tests"), str(REPO / "tests" / "e2e")]
import winebed  # noqa: E402
from scene import CANDIDATE_KEYS as CANDIDATES, TRACE, parse_trace, read_link  # noqa: E402

CONFIG = REPO / "examples" / "config.ini"
EXE = r"D:\Restore\Restore.exe"
DRIVES = "DEF"
# What lies on the drives, as a user would see it in Explorer.
FILES = [
    r"D:\Icons\7-Zip.ico",
    r"E:\PortableApps\Notepad2\Notepad2.exe",
    r"E:\PortableApps\Notepad2\Notepad2.ico",
    r"E:\PortableApps\7-Zip\7zFM.exe",
    r"E:\Tools\Firefox\firefox.exe",
    r"E:\Tools\Firefox\firefox.ico",
    r"F:\PortableApps\FileZilla\filezilla.exe",
    r"F:\PortableApps\FileZilla\filezilla.ico",
]


def shown(path):
    """A path relative to the repository when it lies inside it."""
    try:
        return str(Path(path).relative_to(REPO))
    except ValueError:
        return str(path)


def lay_out_scene(prefix, scene_dir, build_dir):
    """A clean scene: only c: and our drives mapped, an empty desktop, the
    files in place -> {letter: unix folder}."""
    prefix.reset()
    if scene_dir.exists():
        shutil.rmtree(scene_dir)
    folders = {}
    for letter in DRIVES:
        folders[letter] = scene_dir / letter.lower()
        folders[letter].mkdir(parents=True)
        prefix.map_drive(letter, folders[letter])
    for win in FILES:
        path = prefix.unix_path(win)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(f"stand-in for {PureWindowsPath(win).name}\r\n".encode())
    exe = prefix.unix_path(EXE)
    exe.parent.mkdir(parents=True)
    exe.write_bytes((build_dir / "Restore.exe").read_bytes())
    (exe.parent / "config.ini").write_bytes(CONFIG.read_bytes())
    return folders


def read_sections(config_bytes):
    """[(section, {key: value})] in file order, as the program reads them."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read_string(config_bytes.decode("gbk"))
    return [(name, dict(parser[name])) for name in parser.sections()]


def found_candidates(sections, messages):
    """For each section, (candidate number, configured path) of the one the
    program found, or None. Each found candidate leaves one "tPath: <path>
    cIco: ..." record, in section order."""
    paths = [m[len("tPath: "):].split(" cIco: ", 1)[0]
             for m in messages if m.startswith("tPath: ")]
    out = []
    for _, keys in sections:
        hit = None
        if paths:
            for number, (key, _) in enumerate(CANDIDATES, 1):
                if keys.get(key, "") == paths[0]:
                    hit = (number, paths.pop(0))
                    break
        out.append(hit)
    return out


def log_message(line):
    return line.split(" : ", 1)[1] if " : " in line else line


def main(build_dir, demo_dir):
    build_dir, demo_dir = Path(build_dir).absolute(), Path(demo_dir).absolute()
    scene_dir = demo_dir / "scene"
    started = time.monotonic()
    prefix = winebed.Prefix(demo_dir / "wineprefix")
    if not (prefix.path / winebed.MARKER).is_file():
        print(f"Making the demo's Wine prefix {shown(prefix.path)} (once, about 20 s)...")
    prefix.ensure()
    prefix.stop_server()        # one left by an interrupted run
    prefix.keep_server()
    try:
        folders = lay_out_scene(prefix, scene_dir, build_dir)
        scene = {letter: [str(PureWindowsPath(prefix.win_path(p)))[3:]
                          for p in sorted(folder.rglob("*")) if p.is_file()]
                 for letter, folder in folders.items()}
        t0 = time.monotonic()
        result = prefix.run(EXE, extra_env={"WINEDEBUG": TRACE})
        seconds = time.monotonic() - t0
    finally:
        prefix.stop_server()

    exe = prefix.unix_path(EXE)
    run_dir = exe.parent
    sections = read_sections((run_dir / "config.ini").read_bytes())
    logs = sorted(run_dir.glob(f"{exe.stem}_*.log"))
    log_lines = [line for log in logs
                 for line in log.read_bytes().decode("gbk").split("\r\n") if line]
    found = found_candidates(sections, [log_message(line) for line in log_lines])
    calls = parse_trace(result.stderr)

    print(f"Restore.exe from {shown(build_dir)}, Wine prefix {shown(prefix.path)}")
    print()
    print("Scene")
    print("  C:  the prefix's own drive_c")
    for letter, files in scene.items():
        print(f"  {letter}:  {shown(folders[letter])}")
        for name in files:
            print(f"        {name}")
    print(f"  config.ini: {shown(CONFIG)}, copied beside {EXE}")
    print()

    desktop_win = prefix.win_path(prefix.desktop_dir())
    by_link = {PureWindowsPath(c.link).name.lower(): c for c in calls}
    order = list(by_link)
    # In the order the program made them; any other link after those.
    links = sorted((p for p in prefix.desktop_dir().iterdir() if p.suffix.lower() == ".lnk"),
                   key=lambda p: (order.index(p.name.lower()) if p.name.lower() in order
                                  else len(order), p.name))
    print(f"Shortcuts on the desktop ({desktop_win}): {len(links)}")
    for path in links:
        link = read_link(path)
        given = by_link.get(path.name.lower())
        icon = given.value("IconLocation") if given else None
        print(f"  {path.name}")
        print(f"      target:            {link.target}")
        print(f"      working directory: {link.working_directory}")
        print(f"      arguments:         {link.arguments or '(none)'}")
        print(f"      icon:              {icon or '(none)' if given else '(not in the trace)'}")
        for (name, keys), hit in zip(sections, found):
            if hit and link.target and hit[1][2:] == link.target[2:]:
                where = "" if hit[1][:2].upper() == link.target[:2].upper() else \
                    f", found on {link.target[:2]}"
                key = CANDIDATES[hit[0] - 1][0]
                print(f"      from:              [{name}] {key}={hit[1]}{where}")
    on_desktop = {p.name.lower() for p in links}
    for call in calls:
        if PureWindowsPath(call.link).name.lower() not in on_desktop:
            print(f"  {call.link}: handed to the shell object, but not on the desktop"
                  f"{'' if call.saved else ' (never saved)'}")
    print("  (Icons come from Wine's trace of the shell object calls: Wine takes only"
          " \"path,index\" and stores no plain icon path in the .lnk file.)")
    print()

    nothing = [(name, keys) for (name, keys), hit in zip(sections, found) if hit is None]
    print(f"Sections that found nothing: {len(nothing) or 'none'}")
    for name, keys in nothing:
        tried = [keys[k] for k, _ in CANDIDATES if keys.get(k)]
        print(f"  [{name}] {keys.get('名称', '')}: {', '.join(tried) or 'no candidate'}")
    print()

    for log in logs or [run_dir / f"{exe.stem}_{time.strftime('%Y%m%d')}.log"]:
        print(f"Log {prefix.win_path(log) if log.exists() else log.name}"
              f"{'' if log.exists() else ': not written'}")
    for line in log_lines:
        print(f"  {line}")
    error_log = run_dir / f"{exe.name}.Error.log"
    if error_log.exists():
        print(f"Error log {prefix.win_path(error_log)}:")
        for line in error_log.read_bytes().decode("gbk", errors="replace").splitlines():
            print(f"  {line}")
    print()

    code = result.returncode - 256 if result.returncode > 127 else result.returncode
    meaning = {0: "normal end", -1: "a run-time fault"}.get(code, "unexpected")
    status = f" (status {result.returncode} under Wine)" if code != result.returncode else ""
    print(f"Exit code: {code}{status}, {meaning}; Restore.exe ran {seconds:.1f} s,"
          f" the demo {time.monotonic() - started:.1f} s")
    if code != 0:
        other = [l for l in result.stderr.decode("utf-8", "replace").splitlines()
                 if "wshom" not in l]
        if other:
            print("Wine said:")
            for line in other[-20:]:
                print(f"  {line}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.split("\n\n")[2], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
