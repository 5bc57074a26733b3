"""System facts and the desktop lookup, asked through a probe built from the
product's code, under the Windows versions the prefix can be set to."""
import hashlib

import pytest

from programs import helper, place, product


def ask(bed, subject_win_path, folder):
    probe = place(helper("facts_probe.exe"), folder)
    out = folder / "facts.txt"
    result = bed.run(bed.prefix.win_path(probe),
                            [bed.prefix.win_path(out), subject_win_path])
    assert result.returncode == 0, result.stderr
    lines = out.read_bytes().decode("gbk").split("\r\n")
    return dict(line.split("=", 1) for line in lines if line)


def test_version_md5_desktop_and_wow64_of_the_product(bed):
    folder = bed.drive("D") / "Tools"
    exe = place(product(), folder)
    facts = ask(bed, r"D:\Tools\Restore.exe", folder)
    assert facts["version"] == "1.0.0.4"
    assert facts["md5"] == hashlib.md5(exe.read_bytes()).hexdigest().upper()[:10]
    assert facts["wow64"] == "1"
    assert facts["acp"] == "936"
    assert facts["desktop"] == rf"C:\users\{bed.prefix.user}\Desktop" + "\\"
    assert bed.prefix.desktop_dir().is_dir()


def test_empty_missing_and_unversioned_files(bed):
    folder = bed.drive("D")
    (folder / "empty.bin").write_bytes(b"")
    assert ask(bed, r"D:\empty.bin", folder)["md5"] == "D41D8CD98F"
    missing = ask(bed, r"D:\no such file.exe", folder)
    assert missing["md5"] == "D41D8CD98F"
    assert missing["version"] == ""
    # The probe itself carries no version resource.
    assert ask(bed, r"D:\facts_probe.exe", folder)["version"] == ""


@pytest.mark.parametrize("version, code, name", [
    ("win7", "9", "Win7"),
    ("vista", "8", "Vista"),
    ("win2003", "7", "Win2003"),
    ("winxp64", "7", "Win2003"),  # 64-bit XP reports 5.2
    ("win10", "0", "未知"),
])
def test_os_family_follows_the_reported_version(bed, version, code, name):
    bed.prefix.set_version(version)
    facts = ask(bed, r"D:\x", bed.drive("D"))
    assert (facts["oscode"], facts["osname"]) == (code, name)
