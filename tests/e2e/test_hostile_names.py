"""Names, candidates and icons that are not plain paths: device names,
wildcards, separators of the wrong kind, trailing dots and blanks, paths
over MAX_PATH and UNC paths. A bad one costs its own section at most."""
import pytest

from hostile import OTHER, TARGET, tools_scene
from scene import entry

# The run must end well within this even for names that are devices.
TIMEOUT = 20


@pytest.fixture
def scene(bed):
    scene = tools_scene(bed)
    return scene


def saved_links(run):
    return [c.link.rsplit("\\", 1)[1] for c in run.shortcuts if c.saved]


DEVICE_NAMES = ["CON", "nul", "COM1", "AUX", "LPT1", "CON.txt", r"X:\Dir\PRN.exe"]


@pytest.mark.parametrize("name, file_name", [
    # Device names, bare or with an extension, are devices in every folder:
    # the link path looks taken, so no shortcut object is even made and
    # nothing reaches the device.
    *[(name, None) for name in DEVICE_NAMES],
    # Wildcards cannot be in a file name: the save fails, nothing is left.
    ("a*b", None), ("a?b", None),
    # A colon splits like a backslash; a trailing dot is an empty extension;
    # a trailing blank is trimmed by the profile reader.
    ("a:b", "b.lnk"), ("Tool.", "Tool.lnk"), ("Tool ", "Tool.lnk"),
])
def test_a_name_that_is_no_file_name_costs_only_its_link(scene, name, file_name):
    scene.config([("one", entry(name, TARGET)), ("two", entry("Two", OTHER))])

    run = scene.run_sealed(TIMEOUT)

    expected = ([file_name] if file_name else []) + ["Two.lnk"]
    assert sorted(scene.links()) == sorted(expected)
    for link in expected:
        assert scene.link(link[:-4]).target == (TARGET if link != "Two.lnk" else OTHER)
    assert len(scene.log_messages()) == 6      # both sections were found
    assert saved_links(run)[-1] == "Two.lnk"
    if name in DEVICE_NAMES:
        assert len(run.shortcuts) == 1


@pytest.mark.parametrize("candidate, handed, stored", [
    # Wine sees a device name in every folder that exists, so these are
    # "found", on the first fixed drive with that folder; the shell object
    # stores the device's own path, and nothing opens the device.
    (r"E:\CON", r"C:\CON", r"\\.\CON"),
    (r"E:\Apps\COM1", r"E:\Apps\COM1", r"\\.\COM1"),
    (r"E:\Apps\nul.exe", r"E:\Apps\nul.exe", r"\\.\nul"),
    # Dots, blanks and '..' are the file system's business: the program
    # hands the path on as configured (the profile reader trims the blank),
    # the shell object stores its full form.
    (r"E:\Apps\tool.exe.", r"E:\Apps\tool.exe.", TARGET),
    ("E:\\Apps\\tool.exe  ", TARGET, TARGET),
    (r"E:\Other\..\Apps\tool.exe", r"E:\Other\..\Apps\tool.exe", TARGET),
])
def test_odd_candidates_that_are_found(scene, candidate, handed, stored):
    scene.config([("one", entry("Tool", candidate))])

    run = scene.run_sealed(TIMEOUT)

    assert [(c.value("TargetPath"), c.saved) for c in run.shortcuts] == [(handed, True)]
    assert scene.link("Tool").target == stored


def long_path(root, leaf, total):
    """A path of at least `total` bytes: folders of 100 bytes under `root`."""
    parts = [root]
    while len("\\".join(parts + [leaf])) < total:
        parts.append("d" * 100)
    return "\\".join(parts + [leaf])


@pytest.mark.parametrize("first", [
    # Too long for the ANSI calls: never found, even though it exists.
    pytest.param(long_path("E:", "tool.exe", 300), id="over-max-path"),
    # A UNC path loses "\\" to the drive letter and names a drive-relative
    # path that does not exist; no network is asked.
    r"\\server\share\tool.exe",
    # Forward slashes are found, but the target has no backslash, so it has
    # no folder and gives no link; the section is done all the same.
    "E:/Apps/tool.exe",
])
def test_unusable_first_candidates(scene, first):
    if first.startswith("E:\\d"):
        scene.add_files(first)
    scene.config([("one", entry("Tool", first, OTHER))])

    run = scene.run_sealed(TIMEOUT)

    if "/" in first:
        assert scene.log_messages()[-1] == f"tPath: {first} cIco: "
        assert run.shortcuts == [] and scene.links() == []
    else:
        assert scene.log_messages()[-1] == f"tPath: {OTHER} cIco: "
        assert saved_links(run) == ["Tool.lnk"]
        assert scene.link("Tool").target == OTHER


@pytest.mark.parametrize("icon", [
    pytest.param(long_path("E:", "tool.ico", 300), id="over-max-path"),
    r"\\server\share\tool.ico",
    # A device name exists to Wine, so it is kept as the icon.
    "COM1",
])
def test_odd_icons_are_logged_and_dropped_or_kept(scene, icon):
    if icon.startswith("E:\\d"):
        scene.add_files(icon)
    scene.config([("one", entry("Tool", (TARGET, icon)))])

    run = scene.run_sealed(TIMEOUT)

    assert scene.log_messages() == ["cIco old : ", f"cIco new : {icon}",
                                    f"tPath: {TARGET} cIco: {icon}"]
    [calls] = run.shortcuts
    assert calls.saved
    assert calls.value("IconLocation") == ("COM1" if icon == "COM1" else "")
    assert scene.link("Tool").target == TARGET


@pytest.mark.parametrize("old", [None, "plain", "read-only"])
def test_a_name_giving_a_link_path_over_max_path_is_left_alone(scene, old):
    # The name itself fits a file name (240 bytes), but the link path does
    # not fit MAX_PATH: the program cannot see what lies there, so it writes
    # nothing, and an old link of that name (made by other means) stays.
    name = "N" * 240
    assert len(scene.desktop_win()) + 1 + len(name) + len(".lnk") > 260
    link = scene.desktop() / f"{name}.lnk"
    if old:
        link.write_bytes(b"an old link")
        if old == "read-only":
            link.chmod(0o444)
    scene.config([("one", entry(name, TARGET)), ("two", entry("Two", OTHER))])

    run = scene.run_sealed(TIMEOUT)

    assert saved_links(run) == ["Two.lnk"]
    assert scene.links() == sorted(([link.name] if old else []) + ["Two.lnk"])
    if old:
        assert link.read_bytes() == b"an old link"
    assert scene.set_aside_links() == []


def test_a_name_too_long_for_a_file_name_makes_no_link(scene):
    scene.config([("one", entry("A" * 300, TARGET)), ("two", entry("Two", OTHER))])

    scene.run_sealed(TIMEOUT)

    assert scene.links() == ["Two.lnk"]
    assert len(scene.log_messages()) == 6
