// Unpacking archives made by real zip tools (Info-ZIP's zip on Linux and
// Python's zipfile, see tools/update-server/make_content.py).
#include "app/update/ZipExtractor.h"

#include "UpdateTestSupport.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kMTime = 981173106; // 2001-02-03 04:05:06 UTC
constexpr std::uint32_t kATime = 1009843200; // 2002-01-01 00:00:00 UTC
constexpr std::uint32_t kCTime = 946684800; // 2000-01-01 00:00:00 UTC

std::uint64_t FromUnix(std::uint32_t seconds) { return seconds * 10000000ULL + 116444736000000000ULL; }

std::uint64_t Value(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

WIN32_FILE_ATTRIBUTE_DATA Info(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    return data;
}

class ExtractZipTest : public testing::Test {
protected:
    // Unpacks one of the fixture's archives into base\ below the test's own
    // folder, so anything that escaped would show up beside base.
    bool Extract(const wchar_t* archive)
    {
        return ExtractZip(TestUpdateServer::Get().ArchivesFolder() + archive, m_base);
    }

    std::wstring Base(const std::wstring& relative) const { return m_base + relative; }

    std::vector<std::wstring> Sorted(std::vector<std::wstring> files) const
    {
        std::sort(files.begin(), files.end());
        return files;
    }

    TestFolder m_folder;
    std::wstring m_base = m_folder.Path() + L"base\\";
};

TEST_F(ExtractZipTest, NamesThatClimbOutLandInsideTheFolder)
{
    CreateDirectoryW(m_base.c_str(), nullptr);
    ASSERT_TRUE(Extract(L"hostile-names.zip"));
    EXPECT_EQ(Sorted(FilesUnder(m_folder.Path())),
        (std::vector<std::wstring>{L"base\\abs", L"base\\b", L"base\\inside.txt", L"base\\up2.txt", L"base\\x"}));
    EXPECT_EQ(ReadWholeFile(Base(L"x")), "../x");
    EXPECT_EQ(ReadWholeFile(Base(L"abs")), "/abs");
    EXPECT_EQ(ReadWholeFile(Base(L"b")), "a/../../b") << "the later entry replaced the earlier \"a\\..\\b\"";
    EXPECT_EQ(ReadWholeFile(Base(L"up2.txt")), "..\\..\\up2.txt");
}

TEST_F(ExtractZipTest, ADriveInTheNameIsDropped)
{
    // No trailing backslash: the base folder gets one.
    ASSERT_TRUE(
        ExtractZip(TestUpdateServer::Get().ArchivesFolder() + L"drive-name.zip", m_base.substr(0, m_base.size() - 1)));
    EXPECT_EQ(FilesUnder(m_folder.Path()), (std::vector<std::wstring>{L"base\\x\\y.txt"}));
    EXPECT_EQ(ReadWholeFile(Base(L"x\\y.txt")), "C:\\x\\y.txt");
    EXPECT_FALSE(PathFileExistsW(L"C:\\x\\y.txt"));
}

TEST_F(ExtractZipTest, FoldersNestedFilesAndEmptyFolders)
{
    ASSERT_TRUE(Extract(L"tree.zip"));
    EXPECT_EQ(Sorted(FilesUnder(m_base)),
        (std::vector<std::wstring>{L"existing.txt", L"top\\a.txt", L"top\\mid\\b.txt", L"top\\mid\\deep\\c.txt"}));
    EXPECT_TRUE(PathIsDirectoryW(Base(L"top\\empty").c_str())) << "a folder entry makes an empty folder";
    EXPECT_EQ(ReadWholeFile(Base(L"top\\mid\\b.txt")), "b\n");
    std::string c;
    for (int i = 0; i < 20000; ++i)
        c += "c\n";
    EXPECT_EQ(ReadWholeFile(Base(L"top\\mid\\deep\\c.txt")), c) << "inflated over several pieces";
}

TEST_F(ExtractZipTest, ReplacesAnExistingFileEvenWhenReadOnly)
{
    CreateDirectoryW(m_base.c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(Base(L"existing.txt"), "an earlier update's file, longer than the new one\n"));
    SetFileAttributesW(Base(L"existing.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Extract(L"tree.zip"));
    EXPECT_EQ(ReadWholeFile(Base(L"existing.txt")), "from the archive\n");
}

TEST_F(ExtractZipTest, UnixModesGiveReadOnlyAndArchive)
{
    ASSERT_TRUE(Extract(L"unix-modes.zip"));
    const DWORD readOnly = Info(Base(L"readonly.txt")).dwFileAttributes;
    const DWORD writable = Info(Base(L"writable.txt")).dwFileAttributes;
    EXPECT_TRUE(readOnly & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writable & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadWholeFile(Base(L"readonly.txt")), "readonly.txt\n");
    EXPECT_EQ(ReadWholeFile(Base(L"writable.txt")), "writable.txt\n");
}

TEST_F(ExtractZipTest, DosHostsKeepTheirAttributes)
{
    ASSERT_TRUE(Extract(L"dos-attributes.zip"));
    EXPECT_TRUE(Info(Base(L"dos-readonly.txt")).dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    const DWORD hidden = Info(Base(L"dos-hidden.txt")).dwFileAttributes;
    EXPECT_TRUE(hidden & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(hidden & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(PathIsDirectoryW(Base(L"dos-folder").c_str()));
}

TEST_F(ExtractZipTest, InfoZipTimestampsSetWriteAndAccessTimes)
{
    ASSERT_TRUE(Extract(L"ut-times.zip"));
    const WIN32_FILE_ATTRIBUTE_DATA data = Info(Base(L"stamped.txt"));
    EXPECT_EQ(Value(data.ftLastWriteTime), FromUnix(kMTime));
    EXPECT_EQ(Value(data.ftLastAccessTime), FromUnix(kATime));
}

TEST_F(ExtractZipTest, AllThreeTimesFromTheUtBlockAndDosTimeAsLocalTime)
{
    ASSERT_TRUE(Extract(L"all-times.zip"));
    const WIN32_FILE_ATTRIBUTE_DATA three = Info(Base(L"three.txt"));
    EXPECT_EQ(Value(three.ftLastWriteTime), FromUnix(kMTime));
    EXPECT_EQ(Value(three.ftLastAccessTime), FromUnix(kATime));

    // No "UT" block: the DOS date and time are local time.
    FILETIME local;
    SYSTEMTIME shown;
    const WIN32_FILE_ATTRIBUTE_DATA dosOnly = Info(Base(L"dos-only.txt"));
    FileTimeToLocalFileTime(&dosOnly.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &shown);
    EXPECT_EQ(shown.wYear, 2010);
    EXPECT_EQ(shown.wMonth, 6);
    EXPECT_EQ(shown.wDay, 15);
    EXPECT_EQ(shown.wHour, 12);
    EXPECT_EQ(shown.wMinute, 30);
    EXPECT_EQ(shown.wSecond, 44);
}

TEST_F(ExtractZipTest, CreationTimeFromTheUtBlock)
{
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine keeps no creation time of its own (it reports the modification time)";
    ASSERT_TRUE(Extract(L"all-times.zip"));
    EXPECT_EQ(Value(Info(Base(L"three.txt")).ftCreationTime), FromUnix(kCTime));
}

TEST_F(ExtractZipTest, AnEncryptedEntryStaysEmptyAndTheOthersUnpack)
{
    ASSERT_TRUE(Extract(L"encrypted.zip"));
    std::string before, after;
    for (int i = 0; i < 50; ++i) {
        before += "before.txt contents\n";
        after += "after.txt contents\n";
    }
    EXPECT_EQ(ReadWholeFile(Base(L"before.txt")), before);
    EXPECT_EQ(ReadWholeFile(Base(L"after.txt")), after);
    EXPECT_TRUE(PathFileExistsW(Base(L"secret.txt").c_str()));
    EXPECT_EQ(ReadWholeFile(Base(L"secret.txt")), "");
}

TEST_F(ExtractZipTest, ATruncatedOrMissingArchiveCannotBeOpened)
{
    EXPECT_FALSE(Extract(L"truncated.zip"));
    EXPECT_FALSE(Extract(L"no-such.zip"));
    EXPECT_TRUE(FilesUnder(m_folder.Path()).empty());
}

} // namespace
