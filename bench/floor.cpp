// The benchmark's floor: the shortcut job done the shortest way we know with
// the same algorithm as Restore.exe. The same config.ini read the same way
// (one section-list call, eight value calls per section), the same drive walk
// (all 26 letters asked with GetDriveTypeA for every candidate, FindFirstFileA
// on each fixed drive), the same icon choice, the same three log lines per
// hit and the same links, but written through IShellLinkW and IPersistFile
// directly inside one COM initialisation, with no automation layer.
//
// Not shipped; built for the benchmark only. Switches (any order):
//   drives-once   ask the 26 letters once per run instead of per candidate
//   com-per-link  CoInitialize/CoUninitialize around every link, as Restore
//   typelib-per-link  also LoadTypeLib("wshom.ocx") for every link, as Restore
//   no-log        write no log lines
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/win_handles.h"

namespace {

struct Options {
    bool drivesOnce = false;
    bool comPerLink = false;
    bool typeLibPerLink = false;
    bool log = true;
};

std::wstring Wide(const std::string& text)
{
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

bool Exists(const std::string& path)
{
    if (path.empty()) return false;
    WIN32_FIND_DATAA found;
    return FindHandle(::FindFirstFileA(path.c_str(), &found)).IsValid();
}

std::vector<std::string> FixedDrives()
{
    std::vector<std::string> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char drive[3] = {letter, ':', '\0'};
        if (::GetDriveTypeA(drive) == DRIVE_FIXED) drives.emplace_back(drive);
    }
    return drives;
}

// The icon's leading drive letter moved to the drive the target was found on.
std::string IconOnDrive(const std::string& icon, char driveLetter)
{
    std::string out = icon;
    const char c = out.size() >= 2 ? out[0] : '\0';
    if (((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && out[1] == ':') out[0] = driveLetter;
    return out;
}

// Every part but the last, each with its backslash; empty with fewer than
// two parts.
std::string ParentDirectory(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            parts.push_back(part);
            part.clear();
        } else if (c >= 0x80 && i + 1 < path.size()) {
            part += path[i];
            part += path[++i];
        } else {
            part += path[i];
        }
    }
    if (!part.empty()) parts.push_back(part);
    if (parts.size() < 2) return {};
    std::string parent;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) parent += parts[i] + "\\";
    return parent;
}

bool ContainsLnk(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower.find(".lnk") != std::string::npos;
}

class Job {
public:
    explicit Job(const Options& options) : options_(options)
    {
        char module[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        std::string self = module;
        const std::size_t slash = self.rfind('\\');
        runDirectory_ = slash == std::string::npos ? std::string() : self.substr(0, slash);
        config_ = runDirectory_ + "\\config.ini";
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        char date[16];
        wsprintfA(date, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
        logPath_ = runDirectory_ + "\\floor_" + date + ".log";
        char desktop[MAX_PATH] = {};
        if (::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE)) {
            desktop_ = desktop;
            if (desktop_.empty() || desktop_.back() != '\\') desktop_ += '\\';
        }
        if (options_.drivesOnce) drives_ = FixedDrives();
    }

    void Run()
    {
        std::vector<char> names(204800, '\0');
        const DWORD length = ::GetPrivateProfileSectionNamesA(names.data(), 204800, config_.c_str());
        for (const char* p = names.data(); length != 0 && *p != '\0'; p += std::strlen(p) + 1) {
            const std::string section = p;
            const std::string name = Value(section, "名称");
            const std::string path1 = Value(section, "路径");
            const std::string icon1 = Value(section, "路径图标");
            const std::string path2 = Value(section, "路径备用2");
            const std::string icon2 = Value(section, "路径备用2图标");
            const std::string path3 = Value(section, "路径备用3");
            const std::string icon3 = Value(section, "路径备用3图标");
            const std::string arguments = Value(section, "参数");
            if (Probe(name, path1, arguments, icon1)) continue;
            if (Probe(name, path2, arguments, icon2)) continue;
            Probe(name, path3, arguments, icon3);
        }
        ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
        char commandLine[] = "RunDll32.exe USER32.DLL,UpdatePerUserSystemParameters";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION started = {};
        if (::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started)) {
            UniqueHandle process(started.hProcess);
            UniqueHandle thread(started.hThread);
            ::WaitForInputIdle(process.Get(), 1000);
        }
    }

private:
    std::string Value(const std::string& section, const char* key)
    {
        std::vector<char> buffer(10240, '\0');
        const DWORD n = ::GetPrivateProfileStringA(section.c_str(), key, "", buffer.data(), 10240,
                                                   config_.c_str());
        return std::string(buffer.data(), n);
    }

    void Log(const std::string& message)
    {
        if (!options_.log) return;
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        char head[64];
        wsprintfA(head, "%02u-%02u-%02u %02u:%02u:%02u [P] %lu : ", now.wYear % 100, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond, ::GetCurrentProcessId());
        const std::string record = head + message + "\r\n";
        UniqueHandle file(::CreateFileA(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsValid()) return;
        DWORD written = 0;
        ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    }

    bool Probe(const std::string& name, const std::string& candidate, const std::string& arguments,
               const std::string& icon)
    {
        if (candidate.size() <= 2) return false;
        const std::vector<std::string> drives = options_.drivesOnce ? drives_ : FixedDrives();
        for (const std::string& drive : drives) {
            const std::string probe = drive + candidate.substr(2);
            if (!Exists(probe)) continue;
            Log("cIco old : ");
            std::string iconText = icon;
            if (!Exists(iconText)) iconText = IconOnDrive(icon, probe[0]);
            Log("cIco new : " + iconText);
            Log("tPath: " + candidate + " cIco: " + iconText);
            if (!Exists(iconText)) iconText.clear();
            WriteLink(name, probe, arguments, iconText);
            return true;
        }
        return false;
    }

    std::string LinkPath(const std::string& configuredName) const
    {
        std::string name = configuredName;
        if (name.find('\\') != std::string::npos) {
            std::string file = ::PathFindFileNameA(name.c_str());
            if (!file.empty() && file.back() == '\\') {
                file.clear();
            } else {
                file.resize(file.size() - std::strlen(::PathFindExtensionA(file.c_str())));
            }
            name = file;
        }
        std::string path = desktop_ + name;
        if (!ContainsLnk(name)) path += ".lnk";
        return path;
    }

    void WriteLink(const std::string& name, const std::string& target,
                   const std::string& arguments, const std::string& icon)
    {
        const std::string folder = ParentDirectory(target);
        if (folder.empty()) return;
        const std::string linkPath = LinkPath(name);
        if (options_.comPerLink || options_.typeLibPerLink) {
            ComScope com;
            if (options_.typeLibPerLink) {
                ComPtr<ITypeLib> library;
                ::LoadTypeLib(L"wshom.ocx", library.Put());
            }
            Save(linkPath, target, folder, arguments, icon);
        } else {
            Save(linkPath, target, folder, arguments, icon);
        }
    }

    static void Save(const std::string& linkPath, const std::string& target,
                     const std::string& folder, const std::string& arguments,
                     const std::string& icon)
    {
        ComPtr<IShellLinkW> link;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(link.Put())))) {
            return;
        }
        link->SetPath(Wide(target).c_str());
        link->SetWorkingDirectory(Wide(folder).c_str());
        // What the shell object does with an icon path: index 0.
        if (!icon.empty()) link->SetIconLocation(Wide(icon).c_str(), 0);
        link->SetShowCmd(0);
        link->SetDescription(L"");
        link->SetArguments(Wide(arguments).c_str());
        ComPtr<IPersistFile> file;
        if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())))) {
            return;
        }
        file->Save(Wide(linkPath).c_str(), TRUE);
    }

    Options options_;
    std::string runDirectory_;
    std::string config_;
    std::string logPath_;
    std::string desktop_;
    std::vector<std::string> drives_;
};

Options ParseOptions(const char* commandLine)
{
    Options options;
    const std::string line = commandLine != nullptr ? commandLine : "";
    auto has = [&](const char* word) {
        for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1)) {
            const std::size_t end = at + std::strlen(word);
            const bool startOk = at == 0 || line[at - 1] == ' ';
            const bool endOk = end == line.size() || line[end] == ' ';
            if (startOk && endOk) return true;
        }
        return false;
    };
    options.drivesOnce = has("drives-once");
    options.comPerLink = has("com-per-link");
    options.typeLibPerLink = has("typelib-per-link");
    options.log = !has("no-log");
    return options;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const Options options = ParseOptions(commandLine);
    // The program's own folder, as Restore makes it.
    {
        char module[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        if (char* slash = std::strrchr(module, '\\')) {
            *slash = '\0';
            ::SetCurrentDirectoryA(module);
        }
    }
    ComScope com;
    Job(options).Run();
    return 0;
}
