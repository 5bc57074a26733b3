#include "shell/set_aside_link.h"

#include <windows.h>

SetAsideLink::SetAsideLink(const std::string& linkPath) : linkPath_(linkPath)
{
    const DWORD attributes = ::GetFileAttributesA(linkPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;  // nothing there
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
