#include "app/core/SettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Orvane";

// Each test starts from an account that has never run the program (the Wine
// prefix belongs to this build tree).
class SettingsStore : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

    static bool KeyExists()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static void Store(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void StoreText(const wchar_t* name, const std::wstring& text)
    {
        Store(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // The raw stored value, or "(missing)".
    static std::wstring Stored(const wchar_t* name, DWORD* type = nullptr)
    {
        wchar_t buffer[256] = {};
        DWORD size = sizeof(buffer) - sizeof(wchar_t);
        DWORD storedType = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &storedType, buffer, &size) != ERROR_SUCCESS)
            return L"(missing)";
        if (type)
            *type = storedType;
        return buffer;
    }
};

TEST_F(SettingsStore, FreshAccountCreatesTheKeyAndWritesOnlyTheLedSwitch)
{
    ASSERT_FALSE(KeyExists());
    const ProgramSettings settings = ReadProgramSettings();
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(settings.ledSwitch, 1);
    EXPECT_EQ(settings.deviceType, 0);
    EXPECT_EQ(settings.tempeType, 0);
    DWORD type = 0;
    EXPECT_EQ(Stored(L"led_switch", &type), L"1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Stored(L"device_type"), L"(missing)");
    EXPECT_EQ(Stored(L"tempe_type"), L"(missing)");
}

TEST_F(SettingsStore, AStoredZeroLedSwitchIsReplacedByOne)
{
    StoreText(L"led_switch", L"0");
    StoreText(L"tempe_type", L"1");
    const ProgramSettings settings = ReadProgramSettings();
    EXPECT_EQ(settings.ledSwitch, 1);
    EXPECT_EQ(settings.tempeType, 1);
    EXPECT_EQ(Stored(L"led_switch"), L"1");
}

TEST_F(SettingsStore, ReadingAMissingKeyCreatesItAndGivesZero)
{
    EXPECT_EQ(ReadSetting(L"device_type"), 0);
    EXPECT_TRUE(KeyExists());
}

TEST_F(SettingsStore, WritingDoesNotCreateTheKey)
{
    WriteSetting(L"device_type", L"1");
    EXPECT_FALSE(KeyExists());
    ReadSetting(L"device_type"); // creates it
    WriteSetting(L"device_type", L"1");
    EXPECT_EQ(ReadSetting(L"device_type"), 1);
    EXPECT_EQ(Stored(L"device_type"), L"1");
}

TEST_F(SettingsStore, ADwordValueIsNotANumberAsText)
{
    const DWORD one = 1;
    Store(L"device_type", REG_DWORD, &one, sizeof(one));
    EXPECT_EQ(ReadSetting(L"device_type"), 0);
}

struct TextCase {
    const wchar_t* stored;
    int expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << '"';
    for (const wchar_t* p = c.stored; *p; ++p)
        *os << static_cast<char>(*p);
    *os << '"';
}

class SettingsText : public SettingsStore, public testing::WithParamInterface<TextCase> { };

TEST_P(SettingsText, ReadsTheLeadingNumber)
{
    StoreText(L"tempe_type", GetParam().stored);
    EXPECT_EQ(ReadSetting(L"tempe_type"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsText,
    testing::Values(TextCase{L" 1", 1}, TextCase{L"1a", 1}, TextCase{L"a1", 0}, TextCase{L"", 0}, TextCase{L"-3", -3},
        TextCase{L"+7", 7}, TextCase{L"\t12", 12}));

TEST_F(SettingsStore, ATextTooLongForTheQueryReadsZero)
{
    // The query allows 255 bytes: 126 characters and the terminator fit.
    StoreText(L"tempe_type", L"1" + std::wstring(125, L' '));
    EXPECT_EQ(ReadSetting(L"tempe_type"), 1);
    StoreText(L"tempe_type", L"1" + std::wstring(126, L' '));
    EXPECT_EQ(ReadSetting(L"tempe_type"), 0);
}

} // namespace
