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

