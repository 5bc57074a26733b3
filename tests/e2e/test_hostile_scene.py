"""A hostile machine around a sound config.ini: no desktop or a read-only
one, the daily log locked by another program or a file in the way of the
logs folder, a drive that goes between two runs, and two runs at once."""
import os
import re
import shutil

import pytest

from hostile import OTHER, TARGET, tools_scene
from programs import file_held
from scene import entry, read_link

TIMEOUT = 30
RECORD = re.compile(rb"\d\d-\d\d-\d\d \d\d:\d\d:\d\d \[F\] D:\\Tools\\Restore\.exe "
                    rb"\[V\] 1\.0\.0\.4 \[M\] [0-9A-F]{10} \[P\] (\d+) : "
                    rb"(cIco old : |cIco new : .*|tPath: .* cIco: .*)")


@pytest.fixture
def scene(bed):
    scene = tools_scene(bed)
    scene.config([("one", entry("Tool", TARGET)), ("two", entry("Two", OTHER, arguments="-b"))])
    return scene


def assert_both_links(folder):
    assert sorted(p.name for p in folder.iterdir()
                  if p.suffix == ".lnk") == ["Tool.lnk", "Two.lnk"]
    assert read_link(folder / "Tool.lnk").target == TARGET
    two = read_link(folder / "Two.lnk")
    assert (two.target, two.arguments) == (OTHER, "-b")


def test_without_a_desktop_folder_the_links_land_beside_the_program(scene):
    # The desktop is looked up without being made; with none the link path
    # is the bare file name, which the current folder (the program's) takes.
    shutil.rmtree(scene.desktop())

    scene.run_sealed(TIMEOUT)

    assert not scene.desktop().exists()
    assert_both_links(scene.folder)
    assert len(scene.log_messages()) == 6


def test_a_read_only_desktop_attribute_stops_no_link(bed, scene):
    # On a folder the read-only attribute does not guard its files (Windows
    # uses it to mark special folders); Wine does not even keep it.
    attrib = r"C:\windows\system32\attrib.exe"
    assert bed.run(attrib, ["+r", scene.desktop_win()], timeout=TIMEOUT).returncode == 0
    shown = bed.run(attrib, [scene.desktop_win()], timeout=TIMEOUT).stdout
    assert shown.strip().endswith(scene.desktop_win().encode()) and b"R" not in shown[:12]

    scene.run_sealed(TIMEOUT)

    assert_both_links(scene.desktop())


@pytest.mark.skipif(os.geteuid() == 0, reason="root writes into a folder of mode 0555")
def test_a_desktop_no_one_may_write_gets_no_link_and_nothing_else(scene):
    scene.desktop().chmod(0o555)
    try:
        scene.run_sealed(TIMEOUT)
    finally:
        scene.desktop().chmod(0o755)

    assert scene.links() == []
    assert scene.set_aside_links() == []
    assert len(scene.log_messages()) == 6


@pytest.mark.parametrize("lock_all", [False, True], ids=["unshared", "all-bytes-locked"])
def test_a_log_held_by_another_program_loses_its_records_not_the_links(bed, scene, lock_all):
    log = scene.log_path()
    with file_held(bed, bed.win_path(scene.folder) + "\\" + log.name, lock_all=lock_all):
        run = scene.run_sealed(TIMEOUT)

    assert_both_links(scene.desktop())
    # Waiting on the other program's lock would be a hang by another name.
    assert run.seconds < 10
    if not lock_all:
        assert log.read_bytes() == b""
    else:
        # The records go without their turn. Windows refuses writes into
        # bytes another process has locked, which drops them; Wine lets them
        # through, and then each is whole.
        records = [RECORD.fullmatch(line) for line in scene.log_lines()]
        assert all(records)
        found = [b"cIco old : ", b"cIco new : "]
        assert [r.group(2) for r in records] in (
            [], found + [b"tPath: E:\\Apps\\tool.exe cIco: "] +
            found + [b"tPath: E:\\Other\\other.exe cIco: "])


@pytest.mark.parametrize("kind", ["held", "folder"])
def test_a_config_that_cannot_be_read_is_no_config(bed, scene, kind):
    config = scene.folder / "config.ini"
    if kind == "folder":
        config.unlink()
        config.mkdir()
        run = scene.run_sealed(TIMEOUT)
    else:
        with file_held(bed, bed.win_path(config)):
            run = scene.run_sealed(TIMEOUT)

    assert run.shortcuts == [] and scene.links() == []
    assert not scene.log_path().exists()
    assert scene.refresh_calls() != []


def test_a_file_named_logs_is_left_as_it_is(scene):
    logs = scene.folder / "logs"
    logs.write_bytes(b"the user's own file")

    scene.run_sealed(TIMEOUT)

    assert_both_links(scene.desktop())
    assert logs.read_bytes() == b"the user's own file"
    assert len(scene.log_messages()) == 6


def test_a_drive_gone_since_the_last_run_keeps_its_links(bed, scene):
    scene.run_sealed(TIMEOUT)
    first_log = scene.log_path().read_bytes()
    links = {p.name: p.read_bytes() for p in scene.desktop().iterdir()}
    bed.unmap_drive("E")

    run = scene.run_sealed(TIMEOUT)

    assert run.shortcuts == []
    assert {p.name: p.read_bytes() for p in scene.desktop().iterdir()} == links
    assert_both_links(scene.desktop())
    assert scene.log_path().read_bytes() == first_log


def test_two_runs_at_once_keep_the_log_whole_and_one_link_per_name(bed, scene):
    # 30 sections, three to a name: each run replaces every link three
    # times while the other does the same.
    names = [f"Tool{i}" for i in range(10)]
    targets = [rf"E:\Apps\{i}\tool{i}.exe" for i in range(30)]
    scene.add_files(*targets)
    scene.config([(f"s{i}", entry(names[i % 10], t)) for i, t in enumerate(targets)])
    scene.run_sealed(TIMEOUT)          # the links are there before the race
    overlapped = 0

    for _ in range(3):
        scene.log_path().unlink()
        before = scene.snapshot()
        jobs = [bed.start(scene.exe_win, extra_env={"WINEDEBUG": "-all"}) for _ in range(2)]
        assert [job.wait(TIMEOUT).returncode for job in jobs] == [0, 0]
        assert scene.changes_outside(before) == []

        records = [RECORD.fullmatch(line) for line in scene.log_lines()]
        assert all(records), [l for l, r in zip(scene.log_lines(), records) if not r]
        pids = [int(r.group(1)) for r in records]
        assert len(set(pids)) == 2
        for pid in set(pids):
            mine = [r.group(2) for r in records if int(r.group(1)) == pid]
            assert mine[2::3] == [f"tPath: {t} cIco: ".encode() for t in targets]
        # Records of one run between two of the other: they really overlapped.
        first = pids[0]
        overlapped += first in pids[pids.index(next(p for p in pids if p != first)):]

        assert scene.links() == sorted(f"{n}.lnk" for n in names)
        assert scene.set_aside_links() == []
        for i, name in enumerate(names):
            # Every run's last word on a name is its third section's target.
            assert scene.link(name).target == targets[20 + i]
    assert overlapped > 0
