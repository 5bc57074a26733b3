"""The log writer under Wine: daily files, both header forms, the options,
the size cap, and records that stay whole when two processes write at once."""
import datetime
import hashlib
import re

from programs import helper, place

STAMP = r"\d\d-\d\d-\d\d \d\d:\d\d:\d\d"


def today_log(name="log_probe"):
    return f"{name}_{datetime.date.today():%Y%m%d}.log"


def write(bed, probe, *args, timeout=60):
    result = bed.run(bed.prefix.win_path(probe), list(args), timeout=timeout)
    assert result.returncode == 0, result.stderr
    return result


def records(path):
    data = path.read_bytes()
    assert data.endswith(b"\r\n")
    return data[:-2].split(b"\r\n")


def test_short_header_goes_to_the_logs_folder(bed):
    folder = bed.drive("D") / "Apps"
    probe = place(helper("log_probe.exe"), folder)
    write(bed, probe, "logs", "short", "1", "hello")
    [line] = records(folder / "logs" / today_log())
    assert re.fullmatch(rb"%s \[PID\] \d+ hello" % STAMP.encode(), line), line
    assert not (folder / today_log()).exists()


def test_extended_header_beside_the_program(bed):
    folder = bed.drive("D") / "Apps"
    probe = place(helper("log_probe.exe"), folder)
    write(bed, probe, "dir", "ext", "2", "你好")
    md5 = hashlib.md5(probe.read_bytes()).hexdigest().upper()[:10]
    lines = records(folder / today_log())
    # The probe has no version resource: nothing between [V] and [M].
    pattern = (STAMP + r" \[F\] D:\\Apps\\log_probe\.exe \[V\]  \[M\] " + md5 +
               r" \[P\] \d+ : ").encode() + "你好".encode("gbk") + rb" #(\d)"
    assert [re.fullmatch(pattern, l).group(1) for l in lines] == [b"1", b"2"], lines
    assert not (folder / "logs").exists()


def test_given_time_text_and_log_path_are_used_as_they_are(bed):
    folder = bed.drive("D")
    probe = place(helper("log_probe.exe"), folder)
    write(bed, probe, "dir", "short", "1", "m", r"D:\named.txt", "")
    write(bed, probe, "dir", "short", "1", "a\r\nb", r"D:\named.txt", "T")
    data = (folder / "named.txt").read_bytes()
    assert re.fullmatch(rb" \[PID\] \d+ m\r\nT \[PID\] \d+ a\r\nb\r\n", data), data
    assert not (folder / today_log()).exists()


def test_nothing_is_written_when_off_or_given_an_empty_path(bed):
    folder = bed.drive("D")
    probe = place(helper("log_probe.exe"), folder)
    write(bed, probe, "logs", "off", "1", "m")
    assert sorted(p.name for p in folder.iterdir()) == ["log_probe.exe"]
    # An empty log path drops the line, but the subfolder mode still makes
    # the logs folder first.
    write(bed, probe, "logs", "short", "1", "m", "")
    assert sorted(p.name for p in folder.rglob("*")) == ["log_probe.exe", "logs"]


def test_file_named_logs_drops_every_daily_line(bed):
    folder = bed.drive("D")
    probe = place(helper("log_probe.exe"), folder)
    (folder / "logs").write_bytes(b"not a folder")
    write(bed, probe, "logs", "short", "1", "m")
    assert (folder / "logs").read_bytes() == b"not a folder"
    assert sorted(p.name for p in folder.iterdir()) == ["log_probe.exe", "logs"]


def test_daily_name_for_other_executable_names_and_odd_folders(bed):
    folder = bed.drive("D") / "old.exe.log"
    upper = place(helper("log_probe.exe"), folder, "LOGPROBE.EXE")
    write(bed, upper, "dir", "short", "1", "m")
    # The date goes into the file name only; the folder keeps its name.
    assert (folder / today_log("LOGPROBE")).is_file()
    assert sorted(p.name for p in folder.iterdir()) == ["LOGPROBE.EXE", today_log("LOGPROBE")]


def test_size_cap_deletes_only_a_file_above_it(bed):
    folder = bed.drive("D")
    probe = place(helper("log_probe.exe"), folder)
    mib = 1048576
    (folder / "at.log").write_bytes(b"x" * mib)
    (folder / "over.log").write_bytes(b"x" * (mib + 1))
    write(bed, probe, "dir", "short", "1", "m", r"D:\at.log", "T", "1")
    write(bed, probe, "dir", "short", "1", "m", r"D:\over.log", "T", "1")
    write(bed, probe, "dir", "short", "1", "m", r"D:\fresh.log", "T", "1")
    assert (folder / "at.log").stat().st_size > mib
    assert re.fullmatch(rb"T \[PID\] \d+ m\r\n", (folder / "over.log").read_bytes())
    assert re.fullmatch(rb"T \[PID\] \d+ m\r\n", (folder / "fresh.log").read_bytes())
    # No cap: the oversize file just grows.
    write(bed, probe, "dir", "short", "1", "m", r"D:\over.log", "T", "0")
    assert len(records(folder / "over.log")) == 2


def test_two_writers_at_once_keep_every_record_whole(bed):
    folder = bed.drive("D")
    probe = place(helper("log_probe.exe"), folder)
    count, body = 1500, "w" * 300
    jobs = [bed.start(bed.prefix.win_path(probe),
                             ["dir", "short", str(count), f"{name}{body}"])
            for name in ("A", "B")]
    for job in jobs:
        assert job.wait(timeout=300).returncode == 0
    pattern = re.compile(rb"%s \[PID\] (\d+) ([AB])%s #(\d+)" % (STAMP.encode(), body.encode()))
    seen, order = {}, []
    for line in records(folder / today_log()):
        match = pattern.fullmatch(line)
        assert match, line
        seen.setdefault(match.group(2), []).append(int(match.group(3)))
        order.append(match.group(2))
    # Each writer's records all arrived, whole and in its own order.
    assert seen == {b"A": list(range(1, count + 1)), b"B": list(range(1, count + 1))}
    # The two really wrote at the same time.
    switches = sum(1 for a, b in zip(order, order[1:]) if a != b)
    assert switches >= 3, "the writers did not overlap; the scene shows nothing"
