#include "app/core/ModuleDir.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(ModuleDir, IsTheExecutablesFolderWithATrailingBackslash)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring dir = GetModuleDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), L'\\');
    EXPECT_EQ(std::wstring(exe).rfind(dir, 0), 0u) << "not a prefix of the executable path";
    EXPECT_EQ(std::wstring(exe).substr(dir.size()), L"app_core_tests.exe");
}
