// Moving a path or an icon to another drive, and a target's folder.
#include "app/drive_paths.h"
#include "fuzz_input.h"
#include "shell/path_parts.h"

namespace {

void CheckDriveRewrites(std::string_view drive, std::string_view path, char letter)
{
    // The drive replaces exactly the first two bytes; the rest is untouched.
    const std::string moved = PathOnDrive(drive, path);
    const std::size_t kept = path.size() > 2 ? path.size() - 2 : 0;
    FUZZ_CHECK(moved.size() == drive.size() + kept);
    FUZZ_CHECK(moved.compare(0, drive.size(), drive) == 0);
    FUZZ_CHECK(moved.compare(drive.size(), kept, path.substr(path.size() - kept)) == 0);
    FUZZ_CHECK(NamesNothingOnDrive(path) == (path.size() <= 2));

    // An icon keeps its length and every byte but a leading drive letter,
    // which changes only when a colon follows it.
    const std::string icon = IconOnDrive(path, letter);
    FUZZ_CHECK(icon.size() == path.size());
    const bool hasDrive = path.size() >= 2 && fuzz::IsAsciiLetter(path[0]) && path[1] == ':';
    if (hasDrive) {
        FUZZ_CHECK(icon[0] == letter);
        FUZZ_CHECK(icon.compare(1, std::string::npos, path.substr(1)) == 0);
    } else {
        FUZZ_CHECK(icon == path);
    }
}

void CheckParentDirectory(std::string_view path)
{
    // The folder is the path up to and including its last backslash
    // character, not counting one that ends the path; empty when there is no
    // such backslash. A 0x5C trail byte is never a backslash.
    const std::vector<bool> starts = fuzz::CharacterStarts(path);
    std::size_t end = path.size();
    if (end > 0 && starts[end - 1] && path[end - 1] == '\\') --end;
    std::string expected;
    for (std::size_t pos = end; pos-- > 0;) {
        if (starts[pos] && path[pos] == '\\') {
            expected = std::string(path.substr(0, pos + 1));
            break;
        }
    }
    FUZZ_CHECK(ParentDirectoryOf(path) == expected);
}

}  // namespace

// The new drive letter, the drive text, then the path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    const char letter = static_cast<char>(input.Byte());
    const std::string drive(input.Field());
    const std::string path(input.Rest());

    CheckDriveRewrites(drive, path, letter);
    CheckParentDirectory(path);
    return 0;
}
