// The script a user would write instead of Restore.exe: the same job with
// the Windows Script Host objects. Run with `cscript //nologo peer.js` from
// the folder that holds config.ini. It reads the same config.ini, walks the
// fixed drives afresh for every candidate, in letter order, takes the first
// drive where the target exists, chooses the icon the same way, appends the
// same three log lines per hit to a daily log beside itself and writes the
// link with the same properties.
var fso = new ActiveXObject("Scripting.FileSystemObject");
var shell = new ActiveXObject("WScript.Shell");
var here = fso.GetParentFolderName(WScript.ScriptFullName);
var desktop = shell.SpecialFolders("Desktop");
if (desktop.charAt(desktop.length - 1) != "\\") desktop += "\\";

function pad(n) { return (n < 10 ? "0" : "") + n; }
var today = new Date();
var logPath = here + "\\peer_" + today.getFullYear() + pad(today.getMonth() + 1) +
              pad(today.getDate()) + ".log";

function log(message) {
    var d = new Date();
    var stamp = pad(d.getFullYear() % 100) + "-" + pad(d.getMonth() + 1) + "-" + pad(d.getDate()) +
                " " + pad(d.getHours()) + ":" + pad(d.getMinutes()) + ":" + pad(d.getSeconds());
    var f = fso.OpenTextFile(logPath, 8, true);   // appending, created when missing
    f.Write(stamp + " : " + message + "\r\n");
    f.Close();
}

// Sections in file order, each a map of its keys (blanks around keys and
// values dropped, as the profile routines do; ";" starts a comment line).
function readConfig(path) {
    var sections = [];
    if (!fso.FileExists(path)) return sections;
    var f = fso.OpenTextFile(path, 1, false, 0);   // ANSI: the system code page
    var text = f.AtEndOfStream ? "" : f.ReadAll();
    f.Close();
    var lines = text.split(/\r\n|\r|\n/);
    var current = null;
    for (var i = 0; i < lines.length; i++) {
        var line = lines[i].replace(/^\s+|\s+$/g, "");
        if (line == "" || line.charAt(0) == ";") continue;
        var m = /^\[(.*)\]$/.exec(line);
        if (m) { current = {}; sections.push(current); continue; }
        var eq = line.indexOf("=");
        if (current == null || eq < 0) continue;
        var key = line.substr(0, eq).replace(/\s+$/, "");
        if (!(key in current)) current[key] = line.substr(eq + 1).replace(/^\s+/, "");
    }
    return sections;
}

// Every letter asked, as the program does: Wine's Drives collection cannot
// be walked (its enumerator fails), and a letter without a drive is simply
// not there.
function fixedDrives() {
    var drives = [];
    for (var c = 65; c <= 90; c++) {
        var letter = String.fromCharCode(c) + ":";
        if (fso.DriveExists(letter) && fso.GetDrive(letter).DriveType == 2) drives.push(letter);   // 2: fixed
    }
    return drives;
}

function exists(path) {
    return path != "" && (fso.FileExists(path) || fso.FolderExists(path));
}

function linkPath(name) {
    if (name.indexOf("\\") >= 0) {
        name = name.substr(name.lastIndexOf("\\") + 1);
        var dot = name.lastIndexOf(".");
        if (dot >= 0 && name.indexOf(" ", dot) < 0) name = name.substr(0, dot);
    }
    return desktop + name + (name.toLowerCase().indexOf(".lnk") >= 0 ? "" : ".lnk");
}

function writeLink(name, target, args, icon) {
    var cut = target.lastIndexOf("\\");
    if (cut < 0) return;
    var link = shell.CreateShortcut(linkPath(name));
    link.TargetPath = target;
    link.WorkingDirectory = target.substr(0, cut + 1);
    // Some shell objects refuse an icon without an index or an empty hotkey;
    // the link is still worth saving.
    try { link.IconLocation = icon; } catch (e) {}
    link.WindowStyle = 0;
    link.Description = "";
    link.Arguments = args;
    try { link.Hotkey = ""; } catch (e) {}
    link.Save();
}

function probe(name, candidate, args, icon) {
    if (candidate.length <= 2) return false;
    var drives = fixedDrives();
    for (var i = 0; i < drives.length; i++) {
        var path = drives[i] + candidate.substr(2);
        if (!exists(path)) continue;
        log("cIco old : ");
        var chosen = icon;
        if (!exists(chosen) && /^[A-Za-z]:/.test(chosen)) chosen = path.charAt(0) + chosen.substr(1);
        log("cIco new : " + chosen);
        log("tPath: " + candidate + " cIco: " + chosen);
        if (!exists(chosen)) chosen = "";
        writeLink(name, path, args, chosen);
        return true;
    }
    return false;
}

// The keys, spelled with escapes so that the script reads the same in any
// code page: the name, the arguments, then each candidate with its icon.
var NAME = "\u540d\u79f0", ARGUMENTS = "\u53c2\u6570";
var CANDIDATES = [["\u8def\u5f84", "\u8def\u5f84\u56fe\u6807"],
                  ["\u8def\u5f84\u5907\u7528\u0032", "\u8def\u5f84\u5907\u7528\u0032\u56fe\u6807"],
                  ["\u8def\u5f84\u5907\u7528\u0033", "\u8def\u5f84\u5907\u7528\u0033\u56fe\u6807"]];

function value(section, key) { return key in section ? section[key] : ""; }

var sections = readConfig(here + "\\config.ini");
for (var s = 0; s < sections.length; s++) {
    var sec = sections[s];
    for (var c = 0; c < CANDIDATES.length; c++) {
        if (probe(value(sec, NAME), value(sec, CANDIDATES[c][0]), value(sec, ARGUMENTS),
                  value(sec, CANDIDATES[c][1]))) break;
    }
}
try { shell.Run("RunDll32.exe USER32.DLL,UpdatePerUserSystemParameters", 1, false); } catch (e) {}
