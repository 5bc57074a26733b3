"""The crash reporter under Wine, end to end: report_probe goes through the
product's start-up and raises one fault; the report must land in the error
log beside the exe, byte for byte, and in the report box, and the process
must end with -1 without running its exit routines."""
import datetime
import hashlib
import re

import pytest

from conftest import REPO
from programs import gbk, helper, place

REPORT_CAPTION = "程序出现了故障，请联系技术支持"
MECHANISM_CAPTION = "运行时错误"
ERROR_LOG_NAME = "report_probe.exe.Error.log"
STAMP = rb"\d\d-\d\d-\d\d \d\d:\d\d:\d\d"

FAULTS = {
    "index-low": (4, "数组成员引用下标必须大于等于1"),
    "index-high": (1, "数组成员引用下标超出定义范围"),
    "alloc": (0, "分配 2147483632 字节内存失败!"),
    "bind": (0, "无法找到指定DLL库文件“shell32.dll”中的输出命令“NoSuchRoutine”"),
}


def with_probe(folder):
    place(helper("report_probe.exe"), folder)
    place(helper("boxcloser.exe"), folder)
    return folder


@pytest.fixture
def apps(bed):
    """D:\\Apps with the probe and the box closer in it."""
    return with_probe(bed.drive("D") / "Apps")


def now():
    return datetime.datetime.now().replace(microsecond=0)


def raise_fault(bed, folder, args, caption):
    """Runs the probe with the closer waiting for a box of `caption` ->
    dict of what the run left: box text, pid, start and end times, and the
    probe's Windows path."""
    box_text = folder / "box.txt"
    box_text.unlink(missing_ok=True)
    exe = bed.prefix.win_path(folder / "report_probe.exe")
    started = now()
    job = bed.start(exe, args)
    closed = bed.run(bed.prefix.win_path(folder / "boxcloser.exe"),
                     [caption, bed.prefix.win_path(box_text), "20000"], timeout=60)
    result = job.wait(timeout=60)
    assert closed.returncode == 0, f"no box captioned {caption}"
    assert result.returncode == 255, result.stderr
    assert not (folder / "exit-routine.txt").exists(), "an exit routine ran after the fault"
    return {
        "box": box_text.read_bytes(),
        "pid": (folder / "report_probe.pid.txt").read_text(),
        "started": started,
        "ended": now(),
        "exe": exe,
    }


def probe_line(call):
    """The probe's source line that makes `call`."""
    lines = (REPO / "tests" / "helpers" / "probe_faults.h").read_text("utf-8").splitlines()
    [number] = [n for n, line in enumerate(lines, 1) if call in line]
    return number


def location(kind):
    """The fault text's location line: "0, 0" for faults with their own
    text; for index faults the probe's routine number and the line it asked
    from."""
    if FAULTS[kind][0] == 0:
        return b"0, 0"
    index = {"index-low": 0, "index-high": 2}[kind]
    return b"90, %d" % probe_line(f"names.At({index}, kRoutineTestHelper)")


def report(kind, seen, os_line="未知 , 0"):
    code, message = FAULTS[kind]
    return (gbk(f"ErrorCode:  {code}\r\nErrorNote:  {message}\r\n") + location(kind) +
            gbk(f"\r\n\r\nPath:  {seen['exe']}\r\nOS: {os_line} , X64\r\n\r\n"))


def box_text(report_bytes, seen):
    return report_bytes + gbk(f"错误日志已经保存在：[ {seen['exe']}.Error.log ]"
                              "请发给开发者排查问题。")


def log_records(path):
    """The error log split into (time stamp, rest) records; each record is
    a report (ending in an empty line) and the log writer's CR LF."""
    data = path.read_bytes()
    records = re.findall(rb"(%s)(.*?\r\n\r\n\r\n)" % STAMP, data, re.S)
    assert b"".join(s + r for s, r in records) == data, data
    return records


def check_stamp(stamp, seen):
    at = datetime.datetime.strptime(stamp.decode(), "%y-%m-%d %H:%M:%S")
    assert seen["started"] <= at <= seen["ended"], stamp


def short_header(seen):
    return gbk(f" [PID] {seen['pid']} ")


def extended_header(folder, seen):
    md5 = hashlib.md5((folder / "report_probe.exe").read_bytes()).hexdigest().upper()[:10]
    return gbk(f" [F] {seen['exe']} [V] 1.0.0.4 [M] {md5} [P] {seen['pid']} : ")


@pytest.mark.parametrize("phase", ["startup", "job"])
@pytest.mark.parametrize("kind", list(FAULTS))
def test_fault_is_logged_beside_the_exe_and_shown(bed, apps, kind, phase):
    args = [kind] + (["job"] if phase == "job" else [])
    seen = raise_fault(bed, apps, args, REPORT_CAPTION)
    expected = report(kind, seen)
    assert seen["box"] == box_text(expected, seen)

    [(stamp, rest)] = log_records(apps / ERROR_LOG_NAME)
    check_stamp(stamp, seen)
    header = extended_header(apps, seen) if phase == "job" else short_header(seen)
    assert rest == header + expected + b"\r\n"
    # The start-up options put daily logs in logs\; the error log has its
    # own path and stays beside the exe.
    assert not (apps / "logs" / ERROR_LOG_NAME).exists()


@pytest.mark.parametrize("phase", ["startup", "job"])
def test_program_in_a_drives_root(bed, phase):
    # The run directory is the bare drive "D:"; the paths still get one
    # backslash.
    root = with_probe(bed.drive("D"))
    args = ["bind"] + (["job"] if phase == "job" else [])
    seen = raise_fault(bed, root, args, REPORT_CAPTION)
    assert seen["exe"] == r"D:\report_probe.exe"
    expected = report("bind", seen)
    assert seen["box"] == box_text(expected, seen)
    [(_, rest)] = log_records(root / ERROR_LOG_NAME)
    header = extended_header(root, seen) if phase == "job" else short_header(seen)
    assert rest == header + expected + b"\r\n"


@pytest.mark.parametrize("version, os_line", [
    ("win7", "Win7 , 9"),
    ("vista", "Vista , 8"),
])
def test_os_line_follows_the_windows_version(bed, apps, version, os_line):
    bed.prefix.set_version(version)
    seen = raise_fault(bed, apps, ["bind", "job"], REPORT_CAPTION)
    expected = report("bind", seen, os_line)
    assert seen["box"] == box_text(expected, seen)
    [(_, rest)] = log_records(apps / ERROR_LOG_NAME)
    assert rest == extended_header(apps, seen) + expected + b"\r\n"


def test_two_faults_append_two_records_in_order(bed, apps):
    first = raise_fault(bed, apps, ["index-high"], REPORT_CAPTION)
    second = raise_fault(bed, apps, ["bind", "job"], REPORT_CAPTION)
    records = log_records(apps / ERROR_LOG_NAME)
    assert [rest for _, rest in records] == [
        short_header(first) + report("index-high", first) + b"\r\n",
        extended_header(apps, second) + report("bind", second) + b"\r\n",
    ]
    check_stamp(records[0][0], first)
    check_stamp(records[1][0], second)


def test_fault_before_the_handler_gets_the_mechanisms_box_and_no_log(bed, apps):
    seen = raise_fault(bed, apps, ["before-handler"], MECHANISM_CAPTION)
    assert seen["box"] == (gbk("运行时错误，错误代码：4\r\n数组成员引用下标必须大于等于1\r\n") +
                           location("index-low") + gbk("\r\n程序将退出。"))
    assert not (apps / ERROR_LOG_NAME).exists()
    assert not (apps / "logs").exists()


def test_fault_inside_the_reporter_gets_the_mechanisms_box(bed, apps):
    # The probe leaves no room for a block the size of the exe, which the
    # report's log header reads whole for its digest: the report's own
    # allocation fails while the handler runs.
    seen = raise_fault(bed, apps, ["in-handler"], MECHANISM_CAPTION)
    size = (apps / "report_probe.exe").stat().st_size
    assert seen["box"] == gbk(f"运行时错误，错误代码：0\r\n分配 {size} 字节内存失败!\r\n0, 0\r\n"
                              "程序将退出。")
    # The record was still being made when the second fault came.
    assert not (apps / ERROR_LOG_NAME).exists()
