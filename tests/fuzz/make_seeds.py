#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into seeds/<target>/.

Each seed is laid out the way its target reads it: single control bytes, then
fields of one length byte and that many bytes, then the rest. The texts are
the ones that have tripped character-aware code before: two-byte characters,
a lead byte at the very end, a 0x5C trail byte that looks like a backslash,
and empty texts. Run it again after changing a target's input layout.
"""
from pathlib import Path

SEEDS = Path(__file__).resolve().parent / "seeds"

CHINESE = "中文".encode("gbk")          # D6 D0 CE C4
TRAIL_5C = b"\x81\x5c"                  # a GBK character whose trail byte is '\'
LEAD_AT_END = b"abc\x81"
PATH = "D:\\Apps\\工具\\tool.exe".encode("gbk")


def field(data: bytes) -> bytes:
    assert len(data) < 256
    return bytes([len(data)]) + data


def text_seed(rule, start, separator, needle, with_, haystack):
    return bytes([rule, start, ord(separator)]) + field(needle) + field(with_) + haystack


def paths_seed(letter, drive, path):
    return bytes([ord(letter)]) + field(drive) + path


def log_seed(flags, year, month, day, hour, minute, second, pid, folder, exe, tag, sub, message):
    head = bytes([flags]) + year.to_bytes(2, "big") + bytes([month, day, hour, minute, second])
    return (head + pid.to_bytes(2, "big") + field(folder) + field(exe) + field(tag) + field(sub)
            + message)


def fault_seed(code, routine, position, os_code, flags, message, window, exe, os_name, run_dir):
    head = b"".join(v.to_bytes(2, "big", signed=True) for v in (code, routine, position))
    return (head + bytes([os_code & 0xFF, flags]) + field(message) + field(window) + field(exe)
            + field(os_name) + run_dir)


SEED_SETS = {
    "fuzz_text": {
        "empty": b"",
        "ascii_case": text_seed(1, 0, "\\", b"TOOL", b"x", b"D:\\tool\\Tool.exe"),
        "chinese": text_seed(0, 0, "\\", CHINESE[2:], b"-", CHINESE + b"\\" + CHINESE),
        "trail_5c": text_seed(0, 0, "\\", b"\\", b"/", b"a" + TRAIL_5C + b"\\b" + TRAIL_5C),
        "lead_at_end": text_seed(0, 1, "\x81", b"\x81", b"", LEAD_AT_END),
        "needle_half_char": text_seed(0, 0, "\\", CHINESE[:1], b"?", CHINESE + CHINESE[:1]),
        "from_inside_char": text_seed(0, 1, "\\", CHINESE[2:], b"", CHINESE + CHINESE),
        "separators_only": text_seed(0, 0, "\\", b"\\\\", b"\\", b"\\\\\\"),
        # A separator with a lead byte's value once cut the character it starts.
        "lead_byte_separator": text_seed(0, 0xFF, "\xff", b"\0", b"", b"\0" * 5 + b"\xff\xff\xfd\x5c"),
    },
    "fuzz_paths": {
        "empty": b"",
        "plain": paths_seed("E", b"E:", PATH),
        "lower_icon": paths_seed("C", b"C:", b"d:\\Data\\app.ico"),
        "trail_5c_parent": paths_seed("D", b"D:", b"D:\\" + TRAIL_5C + b"\\x" + TRAIL_5C),
        "trailing_slash": paths_seed("D", b"D:", b"D:\\Apps\\Tool\\"),
        "unc": paths_seed("D", b"D:", b"\\\\server\\share\\tool.exe"),
        "lead_at_end": paths_seed("D", b"", b"D:\\a\\" + LEAD_AT_END),
        "short": paths_seed("Z", b"Z:", b"E:"),
        "chinese_first": paths_seed("D", b"D:", CHINESE + b"\\x"),
    },
    "fuzz_profile_text": {
        "empty": b"",
        "names": "工具\0Tool\0".encode("gbk") + b"\0",
        "cut_last": b"first\0second\0thi",
        "empty_first": b"\0after",
        "blanks": b" \t\x01\x1f\x20 name\0",
        "high_bytes": b"\x81\x5c\0" + CHINESE + b"\0\0",
    },
    "fuzz_log_format": {
        "empty": b"",
        "plain": log_seed(0, 2024, 1, 22, 9, 5, 7, 1234, b"D:\\Tools", b"Restore.exe", b"", b"",
                          "cIco old : ".encode("gbk")),
        "tags": log_seed(3, 2026, 12, 11, 23, 59, 59, 65535, b"D:\\" + CHINESE, b"A.b.exe.exe",
                         b"Job", CHINESE, b"tPath: D:\\x cIco: "),
        "no_exe": log_seed(1, 5, 0, 0, 0, 0, 0, 0, b"", b"Restore.EXE", b"", b"", b""),
        "dot_name": log_seed(2, 1999, 13, 32, 24, 60, 61, 7, b"C:", b".hidden", b"", b"", b"\r\n"),
        "trail_5c_name": log_seed(0, 2024, 6, 1, 0, 0, 0, 1, b"D:", TRAIL_5C + b".exe", b"", b"",
                                  LEAD_AT_END),
    },
    "fuzz_fault_text": {
        "empty": b"",
        "index_fault": fault_seed(1, 17, 291, 9, 1, "数组成员引用下标超出定义范围".encode("gbk"),
                                  "窗口".encode("gbk"), b"D:\\Tools\\Restore.exe", b"Win7",
                                  b"D:\\Tools"),
        "own_text": fault_seed(0, -1, 0, 0, 0, b"line\r\nbreak", b"", b"", "未知".encode("gbk"),
                               b"D:"),
        "negative": fault_seed(-32768, -32768, -32768, -128, 0, LEAD_AT_END, TRAIL_5C,
                               TRAIL_5C, CHINESE, LEAD_AT_END),
    },
}


def main():
    for target, seeds in SEED_SETS.items():
        folder = SEEDS / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
