#include "diag/md5.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string HexOf(const std::string& s)
{
    return Md5Hex(ComputeMd5({reinterpret_cast<const std::uint8_t*>(s.data()), s.size()}));
}

TEST(Md5, MatchesTheRfcTestSuite)
{
    const std::pair<std::string, std::string> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [input, digest] : suite) EXPECT_EQ(HexOf(input), digest) << '"' << input << '"';
}

TEST(Md5, PaddingBoundariesAroundOneBlock)
{
    // 55, 56 and 64 bytes need one, two and two padding blocks.
    EXPECT_EQ(HexOf(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(HexOf(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(HexOf(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(Md5, PrefixIsTenUpperCaseDigits)
{
    EXPECT_EQ(Md5PrefixOf({}), "D41D8CD98F");
    const std::vector<std::uint8_t> abc = {'a', 'b', 'c'};
    EXPECT_EQ(Md5PrefixOf(abc), "900150983C");
}

}  // namespace
