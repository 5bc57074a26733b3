"""The benchmark's contenders do the same job as Restore.exe.

scripts/bench compares Restore.exe with a WSH script (bench/peer.js) and a
minimal program of the same algorithm (bench/floor.exe, with its variants).
The comparison means something only while all of them serve the same
sections with the same links and log the same hits; this runs each on one
small scene of the benchmark's own kind and checks what each leaves.
"""
import sys
from pathlib import PureWindowsPath

import pytest

from conftest import REPO
from scene import parse_trace, read_link

sys.path.insert(0, str(REPO / "bench"))
import bench  # noqa: E402

# The shell object refuses icon paths without an index under Wine, so for
# the two contenders that go through it the icon is read from the trace of
# its calls; the floor writes the icon itself, and the link shows it.
THROUGH_SHELL_OBJECT = {"restore", "peer"}


@pytest.fixture
def scene(bed, tmp_path):
    s = bench.Scene(bed.prefix, tmp_path, bench.plan(18))
    yield s
    s.remove_targets()          # C: is shared by every test


def expected_log(sections):
    out = []
    for s in sections:
        if s.found:
            configured = s.candidates[-1][0]
            out += ["cIco old : ", f"cIco new : {s.icon}", f"tPath: {configured} cIco: {s.icon}"]
    return out


def log_messages(scene, contender):
    stem = {"restore": "Restore_", "peer": "peer_"}.get(contender, "floor_")
    logs = sorted(scene.tools.glob(stem + "*.log"))
    assert len(logs) == 1, logs
    return [line.split(b" : ", 1)[1].decode("gbk")
            for line in logs[0].read_bytes().split(b"\r\n")[:-1]]


def test_the_plan_covers_every_drive_and_place():
    sections = bench.plan(18)
    found = [s for s in sections if s.found]
    assert len(found) == 12 and sum(1 for s in sections if not s.found) == 6
    assert {PureWindowsPath(s.found).drive for s in found} == {"C:", "D:", "E:", "F:"}
    assert {len(s.candidates) for s in found} == {1, 2, 3}
    # Nothing is found where it is configured: the drive walk has to move it.
    assert all(s.candidates[-1][0][:2] != s.found[:2] for s in found)


@pytest.mark.parametrize("contender", list(bench.CONTENDERS))
def test_contender_serves_the_same_sections_with_the_same_links(scene, contender):
    seconds, done = scene.run(contender, debug="trace+wshom")
    assert done.returncode == 0, done.stderr[-2000:]
    assert scene.links() == scene.expected_links()
    puts = {PureWindowsPath(c.link).name: c for c in parse_trace(done.stderr)}
    for s in scene.sections:
        if not s.found:
            continue
        link = read_link(scene.prefix.desktop_dir() / f"{s.name}.lnk")
        folder = str(PureWindowsPath(s.found).parent) + "\\"
        assert (link.target, link.working_directory, link.arguments) == \
            (s.found, folder, s.arguments), s.name
        # WindowStyle 0 as the shell object stores it.
        assert link.show == 0, s.name
        if contender in THROUGH_SHELL_OBJECT:
            calls = puts[f"{s.name}.lnk"]
            assert calls.saved and calls.value("IconLocation") == s.icon, s.name
            assert calls.value("Description") == "" and calls.value("WindowStyle") == 0
        else:
            assert link.icon == s.icon, s.name
    assert log_messages(scene, contender) == expected_log(scene.sections)
