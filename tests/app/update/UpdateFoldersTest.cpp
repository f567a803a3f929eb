#include "app/update/UpdateAddresses.h"
#include "app/update/UpdateFolders.h"

#include "UpdateTestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

namespace {

TEST(GetDataFolder, IsOrvaneFilesUnderLocalApplicationData)
{
    wchar_t local[MAX_PATH + 1] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
    EXPECT_EQ(GetDataFolder(), std::wstring(local) + L"\\Orvane Files\\");
}

TEST(CreateFolderTree, CreatesMissingParentsAndAcceptsWhatExists)
{
    TestFolder folder;
    const std::wstring tree = folder.Path() + L"Orvane Files\\\\temp\\a\\b\\";
    EXPECT_TRUE(CreateFolderTree(tree));
    EXPECT_TRUE(PathIsDirectoryW((folder.Path() + L"Orvane Files\\temp\\a\\b").c_str()));
    EXPECT_TRUE(CreateFolderTree(tree));

    const std::wstring file = folder.Path() + L"plain-file";
    ASSERT_TRUE(WriteWholeFile(file, "x"));
    EXPECT_FALSE(CreateFolderTree(file)) << "a file is not a folder";
}

TEST(UpdateAddresses, ChannelsLieOnTheBuildsUpdateHost)
{
    const std::wstring host = UpdateHost();
    ASSERT_FALSE(host.empty());
    EXPECT_NE(host.back(), L'/');
    EXPECT_EQ(host.rfind(L"http", 0), 0u);
    EXPECT_EQ(DefaultSoftwareAddress(), host + L"/display-k9/K9X/software/");
    EXPECT_EQ(DefaultFirmwareAddress(), host + L"/display-k9/K9X/firmware/");
}

} // namespace
