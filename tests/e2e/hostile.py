"""What the hostile-input suites share: two program files on drive E: and
Restore.exe in D:\\Tools."""
from scene import Scene

TARGET = r"E:\Apps\tool.exe"
OTHER = r"E:\Other\other.exe"


def tools_scene(bed):
    bed.drive("D")
    scene = Scene(bed, r"D:\Tools")
    scene.add_files(TARGET, OTHER)
    return scene
