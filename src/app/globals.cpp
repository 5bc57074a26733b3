#include "app/globals.h"

#include "diag/log_writer.h"

TextArray SectionNames;
std::string ConfigPath;

void ReleaseGlobals()
{
    ConfigPath = std::string();
    SectionNames = TextArray();
    LogSettings.CachedExePath = std::string();
    LogSettings.CachedFileVersion = std::string();
    LogSettings.CachedMd5Prefix = std::string();
}
