"""The helper programs other suites lean on, checked on their own."""
from programs import helper, place


def test_recorder_appends_command_line_and_show_state(bed):
    folder = bed.drive("D") / "Tools"
    recorder = place(helper("RunDll32.exe"), folder)
    for _ in range(2):
        result = bed.run(bed.win_path(recorder), ["USER32.DLL,UpdatePerUserSystemParameters"])
        assert result.returncode == 0
    lines = (folder / "RunDll32.calls.txt").read_bytes().split(b"\r\n")
    assert lines[-1] == b"" and len(lines) == 3
    for line in lines[:2]:
        command, flags, show = line.split(b"\t")
        assert command.endswith(b"USER32.DLL,UpdatePerUserSystemParameters")
        assert flags.isdigit() and show.isdigit()


def test_closer_gives_up_when_no_box_comes(bed):
    folder = bed.drive("D")
    closer = place(helper("boxcloser.exe"), folder)
    result = bed.run(bed.win_path(closer), ["no such box", r"D:\text.txt", "500"])
    assert result.returncode == 1
    assert not (folder / "text.txt").exists()
