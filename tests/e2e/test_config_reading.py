"""How Restore.exe reads config.ini: sections in file order, the size limit
of a value, the key names as users write them."""
from scene import Scene


def found_tool(bed, drive="E", name="tool.exe"):
    folder = bed.drive(drive) / "Apps"
    folder.mkdir(exist_ok=True)
    (folder / name).write_bytes(b"MZ")
    return rf"{drive}:\Apps\{name}"


def test_sections_are_served_in_file_order(bed):
    bed.drive("D")
    target = found_tool(bed)
    scene = Scene(bed, r"D:\Tools")
    names = ["第三", "First", "二"]
    scene.config([(f"s{i}", {"名称": n, "路径": target}) for i, n in enumerate(names)])
    run = scene.run()
    assert run.returncode == 0
    assert [c.link.rsplit("\\", 1)[1] for c in run.shortcuts] == [f"{n}.lnk" for n in names]


def test_a_long_value_arrives_cut_to_10239_bytes(bed):
    bed.drive("D")
    target = found_tool(bed)
    scene = Scene(bed, r"D:\Tools")
    arguments = "-" + "参" * 6000           # 12001 bytes in code page 936
    scene.config([("one", {"名称": "Tool", "路径": target, "参数": arguments})])
    run = scene.run()
    assert run.returncode == 0
    # 1 + 2 * 5119 bytes: the cut falls between two characters.
    assert scene.link("Tool").arguments == "-" + "参" * 5119


def test_comments_blanks_and_absent_keys(bed):
    bed.drive("D")
    target = found_tool(bed)
    scene = Scene(bed, r"D:\Tools")
    scene.config("; 用户的说明\r\n"
                 "[one]\r\n"
                 "  名称 = Tool  \r\n"
                 f"路径={target}\r\n"
                 "[empty]\r\n")
    run = scene.run()
    assert run.returncode == 0
    assert scene.links() == ["Tool.lnk"]
    assert scene.link("Tool").arguments == ""
