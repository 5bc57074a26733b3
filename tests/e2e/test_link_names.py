"""Which file a section's link becomes on the desktop, and what happens to
an old link of the same name."""
import stat

import pytest

from scene import Scene, entry

TARGET = r"E:\Apps\tool.exe"


def trail_5c_character():
    """A Chinese character whose second code page 936 byte is 0x5C, the
    byte of a backslash."""
    return next(c for c in map(chr, range(0x4E00, 0x9FA6))
                if len(c.encode("gbk")) == 2 and c.encode("gbk")[1] == 0x5C)


TRAIL_5C = trail_5c_character()


@pytest.fixture
def scene(bed):
    bed.drive("D")
    scene = Scene(bed, r"D:\Tools")
    scene.add_files(TARGET)
    return scene


def everything(bed):
    """Every path under the prefix's drive_c and the test's drives."""
    return {p for root in (bed.drive_c(), bed.tmp_path) for p in root.rglob("*")}


@pytest.mark.parametrize("name, file_name", [
    ("Tool", "Tool.lnk"),
    (r"X:\Some\Where\Tool.exe", "Tool.lnk"),
    ("Tool 1.5", "Tool 1.lnk"),
    ("a.b c", "a.b c.lnk"),
    ("记事本", "记事本.lnk"),
    (f"工具{TRAIL_5C}", f"工具{TRAIL_5C}.lnk"),
    (f"{TRAIL_5C}工具", f"{TRAIL_5C}工具.lnk"),
    ("Tool.lnk", "Tool.lnk"),
    ("Tool.LNK", "Tool.lnk"),
    ("My.lnk.old", "My.lnk"),
    # Names that point elsewhere still land on the desktop itself.
    (r"..\Tool", "Tool.lnk"),
    (r"..\..\..\Tool", "Tool.lnk"),
    ("../Tool", "Tool.lnk"),
    ("a/b", "b.lnk"),
    (r"Sub\Tool", "Tool.lnk"),
    (r"C:\Windows\Tool", "Tool.lnk"),
])
def test_link_file_name(bed, scene, name, file_name):
    scene.config([("one", entry(name, TARGET))])
    before = everything(bed)

    run = scene.run()

    assert run.returncode == 0
    assert [(c.link, c.saved) for c in run.shortcuts] == \
        [(scene.desktop_win() + "\\" + file_name, True)]
    assert scene.links() == [file_name]
    assert scene.link(file_name[:-4]).target == TARGET
    # Nothing but the link and the run's own files beside the program.
    made = everything(bed) - before
    assert {p for p in made if scene.folder not in p.parents} == {scene.desktop() / file_name}


def test_the_later_of_two_sections_with_one_name_wins(scene):
    second = r"E:\Other\second.exe"
    scene.add_files(second)
    scene.config([("one", entry("Tool", TARGET)), ("two", entry("Tool", second))])

    run = scene.run()

    assert [c.value("TargetPath") for c in run.shortcuts if c.saved] == [TARGET, second]
    assert scene.links() == ["Tool.lnk"]
    assert scene.link("Tool").target == second
    assert scene.set_aside_links() == []


OLD_BYTES = b"an old link the user had"


def test_an_old_link_stays_when_no_new_one_can_be_made(scene):
    # "E:tool.exe" names a file in E:'s root, so the candidate is found, but
    # a target without a backslash has no folder and makes no link.
    scene.add_files(r"E:\tool.exe")
    old = scene.desktop() / "Tool.lnk"
    old.write_bytes(OLD_BYTES)
    scene.config([("one", entry("Tool", "X:tool.exe"))])

    run = scene.run()

    assert run.returncode == 0
    assert scene.log_messages() == ["cIco old : ", "cIco new : ", "tPath: X:tool.exe cIco: "]
    assert run.shortcuts == []
    assert old.read_bytes() == OLD_BYTES
    assert scene.links() == ["Tool.lnk"]


@pytest.mark.parametrize("old_kind", ["earlier-run", "foreign-bytes"])
def test_an_old_link_is_replaced_cleanly(scene, old_kind):
    new_target = r"E:\New\tool2.exe"
    scene.add_files(new_target)
    if old_kind == "earlier-run":
        scene.config([("one", entry("Tool", TARGET, arguments="-old"))])
        assert scene.run().returncode == 0
        assert scene.link("Tool").target == TARGET
    else:
        (scene.desktop() / "Tool.lnk").write_bytes(OLD_BYTES)
    scene.config([("one", entry("Tool", new_target, arguments="-new"))])

    run = scene.run()

    assert [c.saved for c in run.shortcuts] == [True]
    link = scene.link("Tool")
    assert (link.target, link.working_directory, link.arguments) == \
        (new_target, "E:\\New\\", "-new")
    assert scene.links() == ["Tool.lnk"]
    assert scene.set_aside_links() == []


@pytest.mark.parametrize("old_kind", ["read-only", "folder"])
def test_an_old_link_that_cannot_be_removed_is_left_alone(scene, old_kind):
    old = scene.desktop() / "Tool.lnk"
    if old_kind == "read-only":
        old.write_bytes(OLD_BYTES)
        old.chmod(stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
    else:
        old.mkdir()
        (old / "kept.txt").write_bytes(OLD_BYTES)
    scene.config([("one", entry("Tool", TARGET))])

    run = scene.run()

    assert run.returncode == 0
    # Found and logged, but no shortcut object was even made.
    assert len(scene.log_messages()) == 3
    assert run.shortcuts == []
    if old_kind == "read-only":
        assert old.read_bytes() == OLD_BYTES
        assert stat.S_IMODE(old.stat().st_mode) == 0o444
    else:
        assert [p.name for p in old.iterdir()] == ["kept.txt"]
        assert (old / "kept.txt").read_bytes() == OLD_BYTES
    assert scene.links() == ["Tool.lnk"]
    assert scene.set_aside_links() == []
