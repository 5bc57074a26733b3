"""Restore.exe's whole job under Wine: what one run leaves on the desktop,
in its daily log and with the shell refresh, for a config, for none, and for
a program that sits in a drive's root."""
import datetime
import hashlib
import re
import time

from programs import gbk
from scene import Scene, entry

REFRESH_COMMAND = b"RunDll32.exe USER32.DLL,UpdatePerUserSystemParameters"
STARTF_USESHOWWINDOW = b"1"
SW_SHOWNORMAL = b"1"
STAMP = re.compile(rb"\d\d-\d\d-\d\d \d\d:\d\d:\d\d")


def shortcut_values(target, working_directory, icon, arguments):
    """Every value the program hands the shell object for one link."""
    return {"TargetPath": target, "WorkingDirectory": working_directory,
            "IconLocation": icon, "WindowStyle": 0, "Description": "",
            "Arguments": arguments, "Hotkey": ""}


def md5_prefix(path):
    return hashlib.md5(path.read_bytes()).hexdigest().upper()[:10]


def check_records(lines, exe_win, md5, pid, messages, started, ended):
    """Each line is the extended record of one message, byte for byte, with
    a time stamp taken during the run."""
    assert len(lines) == len(messages), lines
    first = datetime.datetime.fromtimestamp(int(started))
    last = datetime.datetime.fromtimestamp(ended)
    for line, message in zip(lines, messages):
        stamp = line[:17]
        assert STAMP.fullmatch(stamp), line
        assert first <= datetime.datetime.strptime(stamp.decode(), "%y-%m-%d %H:%M:%S") <= last
        assert line == (stamp + b" [F] " + gbk(exe_win) + b" [V] 1.0.0.4 [M] " +
                        md5.encode() + b" [P] " + str(pid).encode() + b" : " + gbk(message))


def test_a_run_links_each_found_section_logs_it_and_refreshes_the_shell(bed):
    bed.drive("D")
    scene = Scene(bed, r"D:\Tools")
    notepad = r"E:\软件\记事本\notepad2.exe"
    notepad_icon = r"E:\软件\记事本\notepad2.ico"
    viewer = r"F:\Apps\view.exe"
    viewer_icon = r"E:\Icons\view.ico"
    scene.add_files(notepad, notepad_icon, viewer, viewer_icon)
    scene.config([
        ("记事本", entry("记事本", (notepad, notepad_icon), arguments="/a 文件.txt")),
        ("gone", entry("Gone", r"E:\Nowhere\x.exe", r"F:\Nowhere\y.exe")),
        ("viewer", entry("Viewer", (viewer, viewer_icon))),
    ])

    started = time.time()
    run = scene.run()
    ended = time.time()

    assert run.returncode == 0
    desktop = scene.desktop_win()
    assert [(c.link, dict(c.puts), c.saved) for c in run.shortcuts] == [
        (desktop + r"\记事本.lnk",
         shortcut_values(notepad, "E:\\软件\\记事本\\", notepad_icon, "/a 文件.txt"), True),
        (desktop + r"\Viewer.lnk", shortcut_values(viewer, "F:\\Apps\\", viewer_icon, ""), True),
    ]
    assert scene.links() == ["Viewer.lnk", "记事本.lnk"]
    saved = scene.link("记事本")
    assert (saved.target, saved.working_directory, saved.arguments, saved.show) == \
        (notepad, "E:\\软件\\记事本\\", "/a 文件.txt", 0)
    saved = scene.link("Viewer")
    assert (saved.target, saved.working_directory, saved.arguments, saved.show) == \
        (viewer, "F:\\Apps\\", "", 0)

    # One process wrote every record: the one that made the links.
    [pid] = run.shell_object_pids
    check_records(scene.log_lines(), r"D:\Tools\Restore.exe",
                  md5_prefix(scene.folder / "Restore.exe"), pid, [
                      "cIco old : ",
                      "cIco new : " + notepad_icon,
                      f"tPath: {notepad} cIco: {notepad_icon}",
                      "cIco old : ",
                      "cIco new : " + viewer_icon,
                      f"tPath: {viewer} cIco: {viewer_icon}",
                  ], started, ended)
    assert sorted(p.name for p in scene.folder.rglob("*.log")) == [scene.log_path().name]
    assert not (scene.folder / "logs").exists()

    assert scene.refresh_calls() == [[REFRESH_COMMAND, STARTF_USESHOWWINDOW, SW_SHOWNORMAL]]


def test_without_a_config_the_run_only_refreshes_the_shell(bed):
    bed.drive("D")
    scene = Scene(bed, r"D:\Tools")
    scene.add_files(r"E:\Apps\tool.exe")

    run = scene.run()

    assert run.returncode == 0
    assert run.shortcuts == []
    assert scene.links() == []
    assert list(scene.folder.rglob("*.log")) == []
    assert scene.refresh_calls() == [[REFRESH_COMMAND, STARTF_USESHOWWINDOW, SW_SHOWNORMAL]]


def test_a_program_in_a_drives_root_reads_and_logs_there(bed):
    bed.drive("D")
    scene = Scene(bed, "D:\\")
    target = r"E:\Apps\tool.exe"
    scene.add_files(target, r"D:\app.ico", r"D:\Elsewhere\placeholder")
    # A relative icon is looked up in the root, even when Wine was started
    # in another folder of the same drive.
    scene.config([("one", entry("Tool", (target, "app.ico")))])

    run = scene.run(cwd_win=r"D:\Elsewhere")

    assert run.returncode == 0
    assert scene.log_path() == bed.unix_path("D:\\") / f"Restore_{time.strftime('%Y%m%d')}.log"
    lines = scene.log_lines()
    assert [line.split(b" [V] ")[0][18:] for line in lines] == [rb"[F] D:\Restore.exe"] * 3
    assert scene.log_messages() == ["cIco old : ", "cIco new : app.ico",
                                    rf"tPath: {target} cIco: app.ico"]
    assert [(c.link, c.value("TargetPath"), c.value("IconLocation"), c.saved)
            for c in run.shortcuts] == [(scene.desktop_win() + r"\Tool.lnk", target, "app.ico", True)]
    assert scene.link("Tool").target == target
    assert scene.refresh_calls() == [[REFRESH_COMMAND, STARTF_USESHOWWINDOW, SW_SHOWNORMAL]]


def test_wall_time_of_ten_sections_on_ten_drives(bed):
    bed.drive("D")
    scene = Scene(bed, r"D:\Tools")
    letters = "EFGHIJKLMN"
    targets = [rf"{letter}:\Apps\tool{letter}.exe" for letter in letters]
    scene.add_files(*targets)
    scene.config([(f"s{i}", entry(f"Tool {letter}", target))
                  for i, (letter, target) in enumerate(zip(letters, targets))])

    run = scene.run()

    assert run.returncode == 0
    assert [c.value("TargetPath") for c in run.shortcuts if c.saved] == targets
    assert scene.links() == sorted(f"Tool {letter}.lnk" for letter in letters)
    print(f"\n10 sections on 10 drives: Restore.exe ran {run.seconds:.2f} s")
    assert run.seconds < 30
