"""Where the cross-built programs are, and how a test puts one into a scene."""
import shutil
from pathlib import Path

from conftest import BUILD_DIR

HELPERS = BUILD_DIR / "tests" / "helpers"


def product():
    return BUILD_DIR / "Restore.exe"


def helper(name):
    return HELPERS / name


def place(program, folder, name=None):
    """Copies a program into a folder of a mapped drive; returns the copy."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / (name or Path(program).name)
    shutil.copyfile(program, target)
    return target


def gbk(text):
    return text.encode("gbk")


def arg(text):
    """A command-line text for the helper programs: non-ASCII texts go as
    "hex:" and their code page 936 bytes, since Wine would mangle them on a
    machine without the Chinese Unix locale."""
    return text if text.isascii() else "hex:" + gbk(text).hex()
