#!/usr/bin/python3
"""A Wine prefix to run the Windows build in, sealed off from the host.

The prefix has a Chinese (936) ANSI code page, the null display driver, no
crash debugger, no z: drive and real folders in place of the links Wine makes
from the user's shell folders to $HOME, so a program under test sees only the
drives a test maps and writes nothing outside the prefix.

    python3 tests/winebed.py ensure PREFIX
    python3 tests/winebed.py run PREFIX EXE [ARGS...]

`run` maps the exe's folder to a drive letter, runs the exe from there and
exits with its exit status; CTest uses it as the cross-compiling emulator.
"""
import contextlib
import fcntl
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path, PureWindowsPath

OVERRIDES = "mscoree,mshtml=;winemenubuilder.exe=d"
LOCALE = "zh_CN.UTF-8"           # Wine's ACP 936; Unix names stay UTF-8
DEFAULT_VERSION = "win10"
MARKER = ".winebed-ready"        # Wine version and SETUP the prefix was made with
SETUP = 2                        # raise when _create changes: remakes prefixes
VERSION_FILE = ".winebed-version"  # Windows version last set through us
DEVNULL = subprocess.DEVNULL

SETTINGS_REG = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="null"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"="false"

[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"="false"
"""


class WineError(RuntimeError):
    pass


def wine_version():
    return subprocess.run(["wine", "--version"], capture_output=True,
                          text=True, check=True).stdout.strip()


class Job:
    """A started Windows program. Its output goes to files, not pipes: the
    first program of a server session starts Wine's system processes and the
    desktop, which inherit its stdout/stderr and would hold a pipe open for
    as long as the server lives."""

    def __init__(self, argv, cwd, env):
        self._out = tempfile.TemporaryFile()
        self._err = tempfile.TemporaryFile()
        self.args = argv
        self.popen = subprocess.Popen(argv, cwd=cwd, env=env, stdin=DEVNULL,
                                      stdout=self._out, stderr=self._err)

    def wait(self, timeout=60):
        """-> CompletedProcess with returncode, stdout and stderr bytes.
        On timeout the program is killed and TimeoutExpired raised with what
        it had printed."""
        try:
            self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            self.popen.kill()
            self.popen.wait()
            raise subprocess.TimeoutExpired(self.args, timeout, *self._read())
        return subprocess.CompletedProcess(self.args, self.popen.returncode,
                                           *self._read())

    def _read(self):
        out = []
        for f in (self._out, self._err):
            f.seek(0)
            out.append(f.read())
            f.close()
        return out


class Prefix:
    def __init__(self, path):
        self.path = Path(path).absolute()
        self.user = pwd.getpwuid(os.getuid()).pw_name

    # --- environment and plain commands -----------------------------------

    def env(self, extra=None):
        env = {k: os.environ[k] for k in ("PATH", "HOME") if k in os.environ}
        env.update(WINEPREFIX=str(self.path), USER=self.user, LC_ALL=LOCALE,
                   LOCPATH=str(self._locale_dir()), WINEDEBUG="-all",
                   WINEDLLOVERRIDES=OVERRIDES)
        env.update(extra or {})
        return env

    def _tool(self, *argv, check=True, timeout=120):
        """Runs wine/wineserver for the bed's own needs, output discarded,
        from inside drive_c so Wine has a current directory it can map."""
        cwd = self.drive_c() if self.drive_c().is_dir() else None
        with tempfile.TemporaryFile() as err:   # a pipe: see Job
            rc = subprocess.run(argv, cwd=cwd, env=self.env(), stdin=DEVNULL,
                                stdout=DEVNULL, stderr=err,
                                timeout=timeout).returncode
            if check and rc != 0:
                err.seek(0)
                raise WineError(f"{' '.join(argv)} failed ({rc}): "
                                f"{err.read().decode(errors='replace')}")
        return rc

    @contextlib.contextmanager
    def lock(self):
        """Serialises whole-prefix changes between processes. The lock file
        sits beside the prefix, since a broken prefix is removed whole."""
        self.path.parent.mkdir(parents=True, exist_ok=True)
        with open(self.path.with_name(self.path.name + ".lock"), "w") as f:
            fcntl.flock(f, fcntl.LOCK_EX)
            yield

    # --- creation ---------------------------------------------------------

    def ensure(self):
        with self.lock():
            marker = self.path / MARKER
            version = f"{wine_version()}\nsetup {SETUP}\n"
            if marker.is_file() and marker.read_text() == version:
                return self
            if self.path.exists():
                self._tool("wineserver", "-k", check=False)
                self._tool("wineserver", "-w", check=False)
                shutil.rmtree(self.path)
            self._create()
            marker.write_text(version)
        return self

    def _locale_dir(self):
        return self.path / "locale"

    def _make_locale(self):
        """Wine takes the code page from the locale's name, but converts
        file names and arguments with the C library's charset: a locale
        glibc lacks leaves that ASCII, and every non-ASCII name breaks. So
        the prefix carries its own compiled locale, found through LOCPATH."""
        out = self._locale_dir() / LOCALE
        lang, charset = LOCALE.split(".")
        self._locale_dir().mkdir(parents=True)
        r = subprocess.run(["localedef", "-i", lang, "-f", charset, str(out)],
                           capture_output=True, text=True)
        if not (out / "LC_CTYPE").is_file():
            raise WineError(f"localedef {LOCALE} failed (is the 'locales' "
                            f"package installed?): {r.stderr}")

    def _create(self):
        self._make_locale()
        self._tool("wineboot", "-i", timeout=300)
        self._tool("wineserver", "-p", check=False)
        reg = self.drive_c() / "winebed.reg"
        reg.write_text(SETTINGS_REG)
        # `wine` starts 32-bit tools, whose HKLM\Software is Wow6432Node.
        self._tool("wine", "reg", "import", r"C:\winebed.reg", "/reg:64")
        reg.unlink()
        self._tool("wine", "winecfg", "-v", DEFAULT_VERSION)
        (self.path / VERSION_FILE).write_text(DEFAULT_VERSION)
        # The registry reaches the disk when the server ends.
        self.stop_server()
        # Shell folders (Desktop, Documents, Templates...) are links to $HOME.
        for dirpath, dirnames, filenames in os.walk(self.user_dir()):
            for name in dirnames + filenames:
                p = Path(dirpath, name)
                if p.is_symlink():
                    p.unlink()
                    p.mkdir()
        for link in self._drive_links():
            if link.name != "c:":
                link.unlink()
        # A newer wine.inf would make the next run "update" the prefix (~8 s,
        # wine.inf defaults applied over ours); a changed Wine version makes
        # a new prefix instead.
        (self.path / ".update-timestamp").write_text("disable\n")

    # --- places -----------------------------------------------------------

    def drive_c(self):
        return self.path / "drive_c"

    def user_dir(self):
        return self.drive_c() / "users" / self.user

    def desktop_dir(self):
        return self.user_dir() / "Desktop"

    def public_desktop_dir(self):
        return self.drive_c() / "users" / "Public" / "Desktop"

    def _drive_links(self):
        dev = self.path / "dosdevices"
        # "d::" entries name raw devices; they go too, except c:.
        return [p for p in dev.iterdir()
                if p.is_symlink() and p.name[1:2] == ":" and p.name[0].isalpha()]

    def drive_path(self, letter):
        """Unix folder a drive letter maps to, or None."""
        link = self.path / "dosdevices" / f"{letter.lower()}:"
        if not link.is_symlink():
            return None
        return (link.parent / os.readlink(link)).resolve()

    def map_drive(self, letter, unix_folder):
        letter = letter.lower()
        if letter == "c" or not (len(letter) == 1 and letter.isalpha()):
            raise ValueError(f"cannot map drive {letter!r}")
        target = Path(unix_folder).resolve()
        if not target.is_dir():
            raise FileNotFoundError(target)
        link = self.path / "dosdevices" / f"{letter}:"
        tmp = link.with_name(f"{letter}:.new{os.getpid()}")
        tmp.unlink(missing_ok=True)
        tmp.symlink_to(target)
        os.replace(tmp, link)       # no moment without the drive
        return f"{letter.upper()}:\\"

    def unmap_drive(self, letter):
        (self.path / "dosdevices" / f"{letter.lower()}:").unlink(missing_ok=True)

    def unix_path(self, win_path):
        """Unix path of an absolute Windows path on a mapped drive. Each
        existing part is matched without regard to case, as Wine does."""
        p = PureWindowsPath(win_path)
        root = self.drive_path(p.drive[:1]) if p.drive else None
        if root is None or not p.root:
            raise ValueError(f"not on a mapped drive: {win_path}")
        out = root
        for part in p.parts[1:]:
            if not (out / part).exists() and out.is_dir():
                part = next((c.name for c in out.iterdir()
                             if c.name.lower() == part.lower()), part)
            out = out / part
        return out

    def win_path(self, unix_path):
        """Windows path of a Unix path that lies on a mapped drive."""
        p = Path(unix_path).resolve()
        for link in sorted(self._drive_links()):
            root = self.drive_path(link.name[0])
            if p == root or root in p.parents:
                rel = p.relative_to(root)
                return str(PureWindowsPath(f"{link.name[0].upper()}:\\", *rel.parts))
        raise ValueError(f"not on a mapped drive: {unix_path}")

    # --- state between tests ----------------------------------------------

    def current_version(self):
        try:
            return (self.path / VERSION_FILE).read_text().strip()
        except FileNotFoundError:
            return None

    def set_version(self, name):
        """Windows version by winecfg's name: win10, win7, vista, winxp64...
        Free when it is already the one set."""
        if name == self.current_version():
            return
        self._tool("wine", "winecfg", "-v", name)
        (self.path / VERSION_FILE).write_text(name)

    def reset(self):
        """Back to a new test's state: drive c: only, empty desktops, win10.
        (The registry and the rest of drive_c are left as they are.)"""
        for link in self._drive_links():
            if link.name != "c:":
                link.unlink()
        for folder in (self.desktop_dir(), self.public_desktop_dir()):
            if folder.is_symlink():     # emptying it would empty $HOME
                raise WineError(f"{folder} is a link out of the prefix")
            folder.mkdir(parents=True, exist_ok=True)
            for p in folder.iterdir():
                if p.is_dir() and not p.is_symlink():
                    shutil.rmtree(p)
                else:
                    p.unlink()
        self.set_version(DEFAULT_VERSION)

    # --- the server -------------------------------------------------------

    def keep_server(self, seconds=None):
        """Keeps the wineserver (and so Wine's system processes) up, for
        ever or until `seconds` after the last program ends, so each run
        costs ~0.1 s instead of ~1.5 s. A new server is warmed up by a
        program with no output of its own: rundll32 starts the services and
        the desktop, which then hold /dev/null instead of a test's output."""
        opt = "-p" if seconds is None else f"-p{int(seconds)}"
        if self._tool("wineserver", opt, check=False) == 0:
            self._tool("wine", "rundll32.exe", check=False)

    def stop_server(self):
        self._tool("wineserver", "-k", check=False)
        self._tool("wineserver", "-w", check=False)

    # --- running programs -------------------------------------------------

    def start(self, win_path, args=(), cwd_win=None, extra_env=None):
        """Starts `wine win_path args...` -> Job.

        The Windows current directory is cwd_win, else the exe's folder. Wine
        takes it from the Unix current directory, mapped through the drive
        letters; a Unix directory on no drive gives a broken relative one,
        so the Unix cwd is always set to the folder behind cwd_win."""
        if cwd_win is None:
            exe = PureWindowsPath(win_path)
            cwd_win = str(exe.parent) if exe.drive else "C:\\"
        cwd = self.unix_path(cwd_win)
        argv = ["wine", str(win_path), *map(str, args)]
        return Job(argv, cwd, self.env(extra_env))

    def run(self, win_path, args=(), cwd_win=None, timeout=60, extra_env=None):
        """-> CompletedProcess(returncode, stdout bytes, stderr bytes)."""
        return self.start(win_path, args, cwd_win, extra_env).wait(timeout)


# --- command line -----------------------------------------------------------

RUN_LETTERS = "tuvwxy"


def cli_run(prefix, exe, args):
    """Runs a Unix-side exe with output passed straight through. Its folder
    gets drive T: (or the next free letter if T: is another folder's), left
    mapped so later runs of the same folder need no change."""
    exe = Path(exe).resolve()
    with prefix.lock():
        letter = next((l for l in RUN_LETTERS
                       if prefix.drive_path(l) in (None, exe.parent)), None)
        if letter is None:
            raise WineError(f"drives {RUN_LETTERS.upper()} all in use")
        prefix.map_drive(letter, exe.parent)
        # CTest reads our output until every holder closes it: the system
        # processes must not be started by the program itself.
        prefix.keep_server(seconds=30)
    # The caller's variables (GTEST_*, CTest's ENVIRONMENT) reach the
    # program; the display and the locale are the bed's.
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("DISPLAY", "WAYLAND", "LANG", "LC_"))}
    env.update(prefix.env())
    argv = ["wine", f"{letter.upper()}:\\{exe.name}", *args]
    return subprocess.run(argv, cwd=exe.parent, env=env).returncode


def main(argv):
    if len(argv) >= 2 and argv[0] == "ensure":
        Prefix(argv[1]).ensure()
        return 0
    if len(argv) >= 3 and argv[0] == "run":
        return cli_run(Prefix(argv[1]).ensure(), argv[2], argv[3:])
    print(__doc__.split("\n\n")[2], file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
