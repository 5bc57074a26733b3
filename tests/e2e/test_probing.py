"""How Restore.exe finds a section's target: fixed drives in letter order,
candidates in order, what counts as found, and which icon the link gets."""
import shutil
import uuid

import pytest

from scene import Scene, entry


@pytest.fixture
def scene(bed):
    bed.drive("D")
    return Scene(bed, r"D:\Tools")


@pytest.fixture
def c_folder(bed):
    """A folder of its own in drive_c, which every test shares: removed after."""
    name = f"restore-e2e-{uuid.uuid4().hex[:8]}"
    yield name
    shutil.rmtree(bed.drive_c() / name, ignore_errors=True)


def found(run):
    """(link target, icon) of each saved link, in order."""
    return [(c.value("TargetPath"), c.value("IconLocation")) for c in run.shortcuts if c.saved]


@pytest.mark.parametrize("present, configured, winner", [
    ("DE", "E", "D"),     # the configured drive is not preferred
    ("CDE", "E", "C"),    # the prefix's own drive comes first of all
    ("F", "D", "F"),      # a later drive when the earlier ones lack it
    ("E", "e", "E"),      # the configured letter's case does not matter
    ("G", "Q", "G"),      # nor whether that drive exists at all
])
def test_first_fixed_drive_in_letter_order_wins(scene, c_folder, present, configured, winner):
    relative = rf"\{c_folder}\tool.exe"
    scene.add_files(*(letter + ":" + relative for letter in present))
    candidate = configured + ":" + relative
    scene.config([("one", entry("Tool", candidate))])

    run = scene.run()

    assert run.returncode == 0
    assert found(run) == [(winner + ":" + relative, "")]
    assert scene.link("Tool").target == winner + ":" + relative
    # The log names the path as configured, not as found.
    assert scene.log_messages()[2] == f"tPath: {candidate} cIco: "


FIRST = (r"E:\One\one.exe", r"E:\One\one.ico")
SECOND = (r"E:\Two\two.exe", r"E:\Two\two.ico")
THIRD = (r"E:\Three\three.exe", r"E:\Three\three.ico")


@pytest.mark.parametrize("first, present, winner", [
    (FIRST, [FIRST, SECOND, THIRD], FIRST),      # later candidates never looked at
    (FIRST, [SECOND, THIRD], SECOND),
    (FIRST, [THIRD], THIRD),
    (FIRST, [], None),
    # Nothing after the drive: skipped at once, without a log line.
    (("", r"E:\One\one.ico"), [SECOND, THIRD], SECOND),
    (("E:", r"E:\One\one.ico"), [SECOND, THIRD], SECOND),
    (None, [SECOND], SECOND),
], ids=["first", "second", "third", "none", "empty-first", "drive-only-first", "no-first-key"])
def test_candidates_are_tried_in_order_until_one_is_found(scene, first, present, winner):
    scene.add_files(*(path for candidate in present for path in candidate))
    scene.config([("one", entry("Tool", first, SECOND, THIRD))])

    run = scene.run()

    assert run.returncode == 0
    if winner is None:
        assert run.shortcuts == [] and scene.links() == [] and scene.log_messages() == []
        return
    path, icon = winner
    assert [c.link.rsplit("\\", 1)[1] for c in run.shortcuts] == ["Tool.lnk"]
    assert found(run) == [winner]
    assert scene.log_messages() == ["cIco old : ", f"cIco new : {icon}",
                                    f"tPath: {path} cIco: {icon}"]


@pytest.mark.parametrize("candidate, make, target, working_directory", [
    (r"E:\Apps\Folder", r"E:\Apps\Folder\inside.txt", r"E:\Apps\Folder", "E:\\Apps\\"),
    (r"E:\Apps\to?l.*", r"E:\Apps\tool.exe", r"E:\Apps\to?l.*", "E:\\Apps\\"),
    (r"E:\tool.exe", r"E:\tool.exe", r"E:\tool.exe", "E:\\"),
], ids=["folder", "wildcards", "drive-root"])
def test_what_counts_as_found(scene, candidate, make, target, working_directory):
    scene.add_files(make)
    scene.config([("one", entry("Tool", candidate))])

    run = scene.run()

    assert [(c.value("TargetPath"), c.value("WorkingDirectory")) for c in run.shortcuts] == \
        [(target, working_directory)]


# The target is configured on F: (never mapped) and found on E:.
@pytest.mark.parametrize("icon, present, chosen, given", [
    # An existing icon is used as it is, on whatever drive.
    (r"G:\Icons\app.ico", r"G:\Icons\app.ico", r"G:\Icons\app.ico", r"G:\Icons\app.ico"),
    # A missing one is looked for on the target's drive: only its letter moves.
    (r"X:\Data\DD\app.ico", r"E:\Data\DD\app.ico", r"E:\Data\DD\app.ico", r"E:\Data\DD\app.ico"),
    (r"x:\X\app.ico", r"E:\X\app.ico", r"E:\X\app.ico", r"E:\X\app.ico"),
    # Not there either: logged as moved, but the link gets no icon.
    (r"X:\Data\DD\app.ico", None, r"E:\Data\DD\app.ico", ""),
    # Without a leading letter and colon the path is kept.
    (r"1:\Data\DD\app.ico", r"E:\Data\DD\app.ico", r"1:\Data\DD\app.ico", ""),
    (r"\\server\share\app.ico", None, r"\\server\share\app.ico", ""),
    (r"\Icons\app.ico", r"D:\Icons\app.ico", r"\Icons\app.ico", r"\Icons\app.ico"),
    ("", None, "", ""),
], ids=["exists-elsewhere", "moved", "moved-lower-case", "moved-missing", "digit-colon",
        "unc", "root-relative", "empty"])
def test_icon_choice(scene, icon, present, chosen, given):
    scene.add_files(r"E:\Apps\tool.exe", *([present] if present else []))
    scene.config([("one", entry("Tool", (r"F:\Apps\tool.exe", icon)))])

    run = scene.run()

    assert scene.log_messages() == ["cIco old : ", f"cIco new : {chosen}",
                                    rf"tPath: F:\Apps\tool.exe cIco: {chosen}"]
    assert found(run) == [(r"E:\Apps\tool.exe", given)]


@pytest.mark.parametrize("icon_folder, given", [
    (r"D:\Tools", r"icons\app.ico"),      # beside the program: found
    (r"E:\Elsewhere", ""),                # only where Wine was started: not
])
def test_relative_icon_is_looked_up_beside_the_program(scene, icon_folder, given):
    scene.add_files(r"E:\Apps\tool.exe", icon_folder + r"\icons\app.ico",
                    r"E:\Elsewhere\placeholder")
    scene.config([("one", entry("Tool", (r"E:\Apps\tool.exe", r"icons\app.ico")))])

    run = scene.run(cwd_win=r"E:\Elsewhere")

    assert scene.log_messages()[1] == r"cIco new : icons\app.ico"
    assert found(run) == [(r"E:\Apps\tool.exe", given)]


@pytest.mark.parametrize("on_fixed_drive", [False, True])
def test_a_non_fixed_drive_is_never_searched(bed, scene, on_fixed_drive):
    # /proc makes E: a RAM disk; it holds E:\version and comes before F:.
    bed.prefix.map_drive("E", "/proc")
    if on_fixed_drive:
        scene.add_files(r"F:\version")
    # As an icon the same file is taken: Wine sees it, the search skips it.
    scene.config([("one", entry("Version", (r"E:\version", r"E:\version")))])

    run = scene.run()

    assert run.returncode == 0
    assert found(run) == ([(r"F:\version", r"E:\version")] if on_fixed_drive else [])
    assert scene.links() == (["Version.lnk"] if on_fixed_drive else [])
