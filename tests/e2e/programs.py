"""Where the cross-built programs are, and how a test puts one into a scene."""
import shutil
from pathlib import Path

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

