"""The run-time fault mechanism under Wine, through a probe built from the
product's code: who reports the fault, what the box says, that no exit
routine runs, and exit status 255."""
import pytest

from programs import gbk, helper, place

MECHANISM_CAPTION = "运行时错误"


def raise_fault(bed, kind, expect_box):
    folder = bed.drive("D") / "Apps"
    probe = place(helper("fault_probe.exe"), folder)
    closer = place(helper("boxcloser.exe"), folder)
    box_text = folder / "box.txt"
    job = bed.start(bed.prefix.win_path(probe), [kind])
    # A box that should not come is waited for briefly.
    closed = bed.run(bed.prefix.win_path(closer),
                            [MECHANISM_CAPTION, bed.prefix.win_path(box_text),
                             "20000" if expect_box else "3000"], timeout=60)
    result = job.wait(timeout=60)
    assert result.returncode == 255
    assert not (folder / "exit-routine.txt").exists(), "an exit routine ran after the fault"
    handler = folder / "handler.txt"
    return {
        "box": box_text.read_bytes() if closed.returncode == 0 else None,
        "handler": handler.read_bytes() if handler.exists() else None,
    }


def test_fault_before_any_handler_shows_the_mechanisms_box(bed):
    seen = raise_fault(bed, "no-handler", expect_box=True)
    assert seen["handler"] is None
    assert b"probe fault: no-handler\r\n0, 0\r\n" in seen["box"]
    assert seen["box"].startswith(gbk("运行时错误，错误代码：0\r\n"))


def test_reported_fault_shows_no_box_of_the_mechanism(bed):
    seen = raise_fault(bed, "handled", expect_box=False)
    assert seen["box"] is None
    assert seen["handler"] == b"0\r\nprobe fault: handled\r\n0, 0\r\n"


def test_declined_fault_falls_back_to_the_mechanisms_box(bed):
    seen = raise_fault(bed, "declined", expect_box=True)
    assert seen["handler"] == b"0\r\nprobe fault: declined\r\n0, 0\r\n"
    assert b"probe fault: declined\r\n0, 0\r\n" in seen["box"]


def test_fault_inside_the_handler_is_boxed_not_handed_back(bed):
    seen = raise_fault(bed, "in-handler", expect_box=True)
    # The handler ran once, for the first fault; the box tells the second.
    assert seen["handler"] == b"0\r\nprobe fault: in-handler\r\n0, 0\r\n"
    assert gbk("错误代码：4\r\n数组成员引用下标必须大于等于1\r\n90, ") in seen["box"]


@pytest.mark.parametrize("kind, code, message", [
    ("index-low", 4, "数组成员引用下标必须大于等于1"),
    ("index-high", 1, "数组成员引用下标超出定义范围"),
    ("alloc", 0, "分配 2147483632 字节内存失败!"),
    ("bind", 0, "无法找到指定DLL库文件“shell32.dll”中的输出命令“NoSuchRoutine”"),
])
def test_each_fault_kind_reaches_the_handler(bed, kind, code, message):
    seen = raise_fault(bed, kind, expect_box=False)
    assert seen["box"] is None
    lines = seen["handler"].split(b"\r\n")
    assert lines[0] == str(code).encode()
    assert lines[1] == gbk(message)
    if code == 0:
        assert lines[2] == b"0, 0"
    else:
        routine, position = lines[2].split(b", ")
        assert routine == b"90" and int(position) > 0
    assert lines[3:] == [b""]
