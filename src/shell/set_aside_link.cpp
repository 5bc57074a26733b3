#include "shell/set_aside_link.h"

#include <windows.h>

SetAsideLink::SetAsideLink(const std::string& linkPath) : linkPath_(linkPath)
{
    const DWORD attributes = ::GetFileAttributesA(linkPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Only a name that is not there is free. One that cannot even be
        // looked at (too long for these calls, say) may hide an old link,
        // read-only or not, that a save would overwrite unseen.
        const DWORD error = ::GetLastError();
        ready_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        ready_ = false;
        return;
    }
    asidePath_ = linkPath + ".old-" + std::to_string(::GetCurrentProcessId());
    ready_ = ::MoveFileExA(linkPath.c_str(), asidePath_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ready_) asidePath_.clear();
}

SetAsideLink::~SetAsideLink()
{
    // Over whatever a failed save may have left at the link's name.
    if (!asidePath_.empty()) {
        ::MoveFileExA(asidePath_.c_str(), linkPath_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

void SetAsideLink::Discard()
{
    if (!asidePath_.empty()) ::DeleteFileA(asidePath_.c_str());
    asidePath_.clear();
}
