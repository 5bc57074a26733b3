"""config.ini files no one should write but someone will: huge, cut by the
reading buffers, broken two-byte characters, NUL bytes and garbage, odd
key lines, and the wrong encoding. Every run must end, serve what can be
served and write nowhere but the desktop and its own folder."""
import random

import pytest

from hostile import OTHER, TARGET, tools_scene
from programs import gbk
from scene import read_link

SECTION_LIST_BYTES = 204800


@pytest.fixture
def scene(bed):
    scene = tools_scene(bed)
    return scene


def served(scene):
    """{link file name: target} of every link on the desktop."""
    return {name: read_link(scene.desktop() / name).target for name in scene.links()}


def section(name, **keys):
    """One section as GBK bytes; keys in the order given."""
    return gbk(f"[{name}]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys.items()))


def test_five_thousand_sections_are_all_read(scene):
    # Most sections name only a drive, which is skipped without asking any
    # drive, so the run mostly reads; every 500th one is served.
    body = b"".join(
        section(f"s{i}", 名称=f"Tool{i}", 路径=TARGET if i % 500 == 499 else "E:",
                路径备用2="E:", 参数=f"-n {i}")
        for i in range(5000))
    (scene.folder / "config.ini").write_bytes(body)

    run = scene.run_sealed(timeout=60)

    expected = [i for i in range(5000) if i % 500 == 499]
    assert [c.link.rsplit("\\", 1)[1] for c in run.shortcuts] == \
        [f"Tool{i}.lnk" for i in expected]
    assert served(scene) == {f"Tool{i}.lnk": TARGET for i in expected}
    assert scene.link("Tool4999").arguments == "-n 4999"
    assert len(scene.log_messages()) == 3 * len(expected)


def test_the_section_name_the_full_list_cuts_off_is_not_served(scene):
    # 204 names of 1000 bytes (1001 with their NUL) fill all but 596 bytes
    # of the list; the 205th is cut to what fits, 594 bytes. A later section
    # bearing exactly that cut name must not be served through it, nor
    # anything past the list.
    names = [f"{i:04d}" + "x" * 996 for i in range(206)]
    used = sum(len(n) + 1 for n in names[:204])
    cut = names[204][:SECTION_LIST_BYTES - used - 2]
    assert 0 < len(cut) < len(names[204])
    fast = {"路径": "E:"}
    body = [section(names[0], 名称="First", 路径=TARGET)]
    body += [section(n, 名称=f"N{i}", **fast) for i, n in enumerate(names[1:203], 1)]
    body += [section(names[203], 名称="LastWhole", 路径=TARGET),
             section(names[204], 名称="Beyond", 路径=TARGET),
             section(names[205], 名称="FarBeyond", 路径=TARGET),
             section(cut, 名称="Cut", 路径=OTHER)]
    (scene.folder / "config.ini").write_bytes(b"".join(body))

    scene.run_sealed(timeout=30)

    assert served(scene) == {"First.lnk": TARGET, "LastWhole.lnk": TARGET}


LEAD = b"\x81"      # a code page 936 lead byte
NAME, PATH, ARGS = gbk("名称"), gbk("路径"), gbk("参数")


def lines(*pairs):
    return b"".join(k + b"=" + v + b"\r\n" for k, v in pairs)


@pytest.mark.parametrize("raw, links, arguments", [
    # A lead byte with no trail byte, at the end of a value or before a
    # control byte: the shell object gets one "?" for it (Wine's decoder
    # takes the control byte with it), which no file name may hold, so that
    # link cannot be saved; the arguments keep it.
    pytest.param(b"[one]\r\n" + lines((NAME, b"Tool" + LEAD), (PATH, TARGET.encode())) +
                 b"[two]\r\n" + lines((NAME, b"Two"), (PATH, TARGET.encode()),
                                      (ARGS, b"-a" + LEAD + b"\x09b" + LEAD)),
                 {"Two.lnk": TARGET}, {"Two.lnk": "-a?b?"}, id="lead-byte-cut"),
    # A NUL ends the value where it stands; the rest of the file still counts.
    pytest.param(b"[one]\r\n" + lines((NAME, b"To\x00ol"), (PATH, TARGET.encode()),
                                      (ARGS, b"-x\x00-y")) +
                 b"[two]\r\n" + lines((NAME, b"Two"), (PATH, OTHER.encode())),
                 {"To.lnk": TARGET, "Two.lnk": OTHER}, {"To.lnk": "-x"}, id="nul-in-values"),
    # Blanks and tabs before a key are trimmed; another control byte makes
    # it a different key, which is not read.
    pytest.param(b"[one]\r\n" + lines((b" \x01" + NAME, b"Ctl"), (b"\t " + NAME, b"Tab"),
                                      (b"\x1f" + PATH, OTHER.encode()),
                                      (b"  " + PATH, TARGET.encode())),
                 {"Tab.lnk": TARGET}, {}, id="key-lead-bytes"),
    # Values cut at 10239 bytes: a name too long for any file name, a path
    # too long to exist; the section after them is served.
    pytest.param(b"[one]\r\n" + lines((NAME, gbk("A" + "名" * 6000)), (PATH, TARGET.encode())) +
                 b"[two]\r\n" + lines((NAME, b"B"), (PATH, gbk("E:\\Apps\\" + "长" * 6000))) +
                 b"[three]\r\n" + lines((NAME, b"C"), (PATH, OTHER.encode())),
                 {"C.lnk": OTHER}, {}, id="values-over-10239-bytes"),
])
def test_broken_bytes_spoil_only_their_own_value(scene, raw, links, arguments):
    (scene.folder / "config.ini").write_bytes(raw)

    scene.run_sealed(timeout=30)

    assert served(scene) == links
    for name, expected in arguments.items():
        assert read_link(scene.desktop() / name).arguments == expected


def test_binary_garbage_around_a_good_section(scene):
    noise = random.Random(20261211).randbytes(100_000)
    good = section("good", 名称="好", 路径=TARGET, 参数="-ok")
    (scene.folder / "config.ini").write_bytes(noise + b"\r\n" + good + noise[:5000])

    scene.run_sealed(timeout=30)

    # The noise may make sections of its own, but none names a file that
    # exists; the good one is served whole.
    assert served(scene) == {"好.lnk": TARGET}
    assert scene.link("好").arguments == "-ok"


UNICODE_TEXT = ("[一]\r\n名称=工具\r\n路径=E:\\Apps\\tool.exe\r\n参数=-a 文件\r\n"
                "[二]\r\n名称=Other\r\n路径备用2=E:\\Other\\other.exe\r\n")


@pytest.mark.parametrize("encoding, bom", [("utf-16-le", b"\xff\xfe"), ("utf-8", b"\xef\xbb\xbf")])
def test_a_unicode_config_with_a_byte_order_mark_reads_like_gbk(scene, encoding, bom):
    # Wine's profile reader takes the mark and decodes the file: the Chinese
    # keys, names and arguments come through as if the file were GBK.
    (scene.folder / "config.ini").write_bytes(bom + UNICODE_TEXT.encode(encoding))

    scene.run_sealed(timeout=30)

    assert served(scene) == {"工具.lnk": TARGET, "Other.lnk": OTHER}
    assert scene.link("工具").arguments == "-a 文件"


def test_a_utf8_config_without_a_mark_serves_nothing(scene):
    # Read as GBK bytes, the UTF-8 key names match none of the program's.
    (scene.folder / "config.ini").write_bytes(UNICODE_TEXT.encode("utf-8"))

    run = scene.run_sealed(timeout=30)

    assert run.shortcuts == [] and scene.links() == [] and scene.log_lines() == []
