// The tray icon against Wine's real notification area, and the tray menu's entries.
#include "app/ui/TrayIcon.h"
#include "app/ui/TrayMenu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

TEST(TrayMenu, ListsVersionDeviceCountAndExitWithTheirIds)
{
    for (int count : {0, 2}) {
        HMENU menu = BuildTrayMenu(count);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(GetMenuItemCount(menu), 3);
        EXPECT_EQ(MenuText(menu, 0), L"Version: 1.0.0.3");
        EXPECT_EQ(MenuText(menu, 1), std::to_wstring(count) + L" Device") << "no plural form";
        EXPECT_EQ(MenuText(menu, 2), L"Exit");
        EXPECT_EQ(GetMenuItemID(menu, 0), 203u);
        EXPECT_EQ(GetMenuItemID(menu, 1), 202u);
        EXPECT_EQ(GetMenuItemID(menu, 2), 100u);
        DestroyMenu(menu);
    }
}

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = CreateWindowExW(
            0, L"STATIC", L"tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    // Whether the shell holds an icon with this owner and id: only an
    // existing icon can be modified.
    bool ShellHasIcon(const NOTIFYICONDATAW& data)
    {
        NOTIFYICONDATAW probe = data;
        probe.uFlags = NIF_TIP;
        return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
    }

    HWND window = nullptr;
};

TEST_F(TrayIconTest, AddFillsTheDataAndRemoveDeletesTheIconOnce)
{
    TrayIcon tray;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    tray.Add(window, icon);
    const NOTIFYICONDATAW& data = tray.Data();
    EXPECT_EQ(data.hWnd, window);
    EXPECT_EQ(data.uID, 109u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, 1690u);
    EXPECT_STREQ(data.szTip, L"Orvane");
    EXPECT_TRUE(tray.IsShown());
    EXPECT_TRUE(ShellHasIcon(data));

    tray.Remove();
    EXPECT_FALSE(tray.IsShown());
    EXPECT_FALSE(ShellHasIcon(tray.Data()));
    tray.Remove(); // nothing left to remove
    EXPECT_FALSE(tray.IsShown());
}

TEST_F(TrayIconTest, AnIconThatFailedToLoadIsAddedButNeverRemovedByTheProgram)
{
    TrayIcon tray;
    tray.Add(window, nullptr);
    EXPECT_FALSE(tray.IsShown());
    EXPECT_TRUE(ShellHasIcon(tray.Data()));
    tray.Remove();
    EXPECT_TRUE(ShellHasIcon(tray.Data())) << "removal is keyed on a loaded icon";
    NOTIFYICONDATAW cleanup = tray.Data();
    Shell_NotifyIconW(NIM_DELETE, &cleanup);
}

} // namespace
