#include "app/update/EntryName.h"
#include "PrintWide.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct NameCase {
    const wchar_t* stored;
    const wchar_t* safe;
};

void PrintTo(const NameCase& c, std::ostream* os) { PrintWide(c.stored, os); }

class SafeEntryNames : public testing::TestWithParam<NameCase> { };

TEST_P(SafeEntryNames, StayUnderTheBaseFolder) { EXPECT_EQ(MakeSafeEntryName(GetParam().stored), GetParam().safe); }

INSTANTIATE_TEST_SUITE_P(Names, SafeEntryNames,
    testing::Values(NameCase{L"setup.exe", L"setup.exe"}, NameCase{L"docs/read me.txt", L"docs\\read me.txt"},
        NameCase{L"docs/", L"docs"},
        // Attempts to leave the folder.
        NameCase{L"../x", L"x"}, NameCase{L"..\\x", L"x"}, NameCase{L"C:\\x\\y.txt", L"x\\y.txt"},
        NameCase{L"C:x", L"x"}, NameCase{L"a\\..\\b", L"b"}, NameCase{L"/abs", L"abs"}, NameCase{L"a/../../b", L"b"},
        NameCase{L"\\\\server\\share\\f", L"server\\share\\f"}, NameCase{L"../../../../etc/passwd", L"etc\\passwd"},
        NameCase{L"C:/../D:/..\\x", L"x"}, NameCase{L"a/..", L"a"}, NameCase{L"..", L""}, NameCase{L"a/.. /b", L"a\\b"},
        NameCase{L"a/.../b", L"a\\b"}, NameCase{L"./a//b/./c", L"a\\b\\c"}, NameCase{L"", L""}, NameCase{L"/", L""},
        // Device names would open the device, not a file.
        NameCase{L"CON", L"_CON"}, NameCase{L"dir/nul.txt", L"dir\\_nul.txt"}, NameCase{L"com1", L"_com1"},
        NameCase{L"console.txt", L"console.txt"}, NameCase{L"com10", L"com10"}));

TEST(SafeEntryName, KeepsAtMostTheLongestStoredName)
{
    const std::wstring longName(400, L'n');
    EXPECT_EQ(MakeSafeEntryName(longName).size(), kMaxEntryNameLength);
}

TEST(SafeEntryName, EndsAtTheFirstZeroCharacter)
{
    EXPECT_EQ(MakeSafeEntryName(std::wstring(L"..a\0/../../x", 12)), L"..a");
    EXPECT_EQ(MakeSafeEntryName(std::wstring(L"..\0x", 4)), L"");
}

} // namespace
