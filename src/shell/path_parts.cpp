#include "shell/path_parts.h"

#include <vector>

#include "base/text.h"

std::string ParentDirectoryOf(std::string_view path)
{
    const std::vector<std::string> parts = text::SplitParts(path, '\\');
    if (parts.size() < 2) return {};
    std::string parent;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        parent += parts[i];
        parent += '\\';
    }
    return parent;
}
