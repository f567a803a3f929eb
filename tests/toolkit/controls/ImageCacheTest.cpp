// The per-window image cache, with skin files made for the test.
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ToolkitTest::TempSkinFolder;

DWORD Opaque(int, int) { return 0xFF336699; }

TEST(ImageCache, SecondRequestGetsTheFirstEntryWhateverTheCount)
{
    TempSkinFolder skins;
    const std::wstring name = skins.AddPng(L"img_button.png", 80, 30, Opaque);
    Lumo::ImageCache cache;
    Lumo::ImgResInfo* first = cache.AddFile(name.c_str(), 4);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_frameWidth, 20);
    EXPECT_EQ(first->m_frameHeight, 30);
    EXPECT_EQ(first->m_frameCount, 4);
    EXPECT_EQ(first->m_name, name);
    Lumo::ImgResInfo* second = cache.AddFile(name.c_str(), 2);
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->m_frameWidth, 20);
}

TEST(ImageCache, MissingFileIsNotCachedAndALaterRequestSucceeds)
{
    TempSkinFolder skins;
    Lumo::ImageCache cache;
    const std::wstring name = skins.Name(L"late.png");
    EXPECT_EQ(cache.AddFile(name.c_str(), 1), nullptr);
    EXPECT_EQ(cache.AddFile(name.c_str(), 1), nullptr);
    skins.AddPng(L"late.png", 12, 6, Opaque);
    Lumo::ImgResInfo* entry = cache.AddFile(name.c_str(), 1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->m_frameWidth, 12);
    EXPECT_EQ(cache.AddFile(nullptr, 1), nullptr);
}

TEST(ImageCache, NamesAreComparedExactly)
{
    TempSkinFolder skins;
    const std::wstring name = skins.AddPng(L"Case.png", 10, 10, Opaque);
    Lumo::ImageCache cache;
    Lumo::ImgResInfo* exact = cache.AddFile(name.c_str(), 1);
    ASSERT_NE(exact, nullptr);
    // The file system finds the same file under another case, but the cache
    // keeps a separate entry for the other name.
    std::wstring lower = name;
    lower.replace(lower.find(L"Case"), 4, L"case");
    Lumo::ImgResInfo* other = cache.AddFile(lower.c_str(), 1);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, exact);
}

TEST(ImageCache, ClearDropsEveryEntry)
{
    TempSkinFolder skins;
    const std::wstring name = skins.AddPng(L"gone.png", 10, 10, Opaque);
    Lumo::ImageCache cache;
    ASSERT_NE(cache.AddFile(name.c_str(), 1), nullptr);
    cache.Clear();
    DeleteFileW(skins.FullPath(L"gone.png").c_str());
    // Nothing cached any more: the request goes to the (now missing) file.
    EXPECT_EQ(cache.AddFile(name.c_str(), 1), nullptr);
}

TEST(ImageCache, ResourcesOfTheLibraryAndOfTheProgram)
{
    Lumo::ImageCache cache;
    Lumo::ImgResInfo* vertical = cache.AddResource(102, L"PNG", 4, 0);
    ASSERT_NE(vertical, nullptr);
    EXPECT_EQ(vertical->m_frameWidth, 3); // 12 / 4
    EXPECT_EQ(vertical->m_frameHeight, 72);
    EXPECT_EQ(vertical->m_id, 102u);
    EXPECT_EQ(cache.AddResource(102, L"PNG", 1, 0), vertical);

    // Id 102 of the program is a different cache: the program has no such resource.
    EXPECT_EQ(cache.AddResource(102, L"PNG", 1, 1), nullptr);
    Lumo::ImgResInfo* probe = cache.AddResource(201, L"PNG", 2, 1);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->m_frameWidth, 4);
    EXPECT_EQ(probe->m_frameHeight, 4);
    EXPECT_EQ(cache.AddResource(201, L"PNG", 2, 0), nullptr); // not in the library
}

TEST(ImageCache, FrameCountBelowOneCountsAsOne)
{
    Lumo::ImageCache cache;
    Lumo::ImgResInfo* entry = cache.AddResource(101, L"PNG", 0, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->m_frameCount, 1);
    EXPECT_EQ(entry->m_frameWidth, 22);
}

} // namespace
