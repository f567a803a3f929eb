// Process-wide toolkit state: scaling, the skin folder, the window table and
// the Alt+F4 filter (with real key events from SendInput).
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Lumo::Manager;

struct ScaleCase {
    float scale;
    int value;
    int expected;
};

class ScaleValue : public testing::TestWithParam<ScaleCase> {
protected:
    void TearDown() override { Manager::SetScaleValue(1.0f); }
};

TEST_P(ScaleValue, MultipliesInSinglePrecisionAndTruncates)
{
    const ScaleCase& c = GetParam();
    Manager::SetScaleValue(c.scale);
    EXPECT_EQ(Manager::GetScaleValue(c.value), c.expected);
    EXPECT_EQ(Manager::GetScaleValue(), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleValue,
    testing::Values(ScaleCase{1.25f, 15, 18}, ScaleCase{1.25f, -15, -18}, ScaleCase{1.25f, 0, 0},
        ScaleCase{1.5f, 7, 10}, ScaleCase{1.5f, -7, -10}, ScaleCase{1.5f, 0, 0}, ScaleCase{1.0f, 14, 14}));

TEST(Manager, SkinPathIsTheProgramFolderThenSkinsAndTheTheme)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program);
    folder.erase(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(Lumo::GetSkinPath(), folder + L"skins\\theme1\\");
    EXPECT_EQ(Manager::GetTheme(), L"theme1\\");
}

TEST(Manager, DefaultsOfTheGlobals)
{
    EXPECT_EQ(Manager::GetFontName(), L"Arial");
    EXPECT_EQ(Manager::GetFontWidth(), 14);
    EXPECT_EQ(Manager::GetSelectColor().GetValue(), 0xFFBD30FFu);
    EXPECT_EQ(Manager::GetInstance(), GetModuleHandleW(nullptr)); // set by the test program's main
    Manager::SetCPUTemp(47.8f);
    Manager::SetRPMTemp(1234.0f);
    EXPECT_EQ(Manager::GetCPUTemp(), 47.8f);
    EXPECT_EQ(Manager::GetRPMTemp(), 1234.0f);
}

bool Registered(Lumo::MWindow* window)
{
    const auto windows = Manager::GetWnds();
    return std::count(windows.begin(), windows.end(), window) == 1;
}

TEST(Manager, RegisteredWindowTable)
{
    Lumo::MWindow a, b;
    Manager::AddWnd(&a);
    Manager::AddWnd(&a);
    EXPECT_TRUE(Registered(&a));
    Manager::DeleteWnd(&b); // never added
    EXPECT_TRUE(Registered(&a));
    Manager::DeleteWnd(&a);
    EXPECT_FALSE(Registered(&a));

    // Windows of the toolkit enter the table while they exist.
    EXPECT_NE(a.Create(nullptr), nullptr);
    EXPECT_TRUE(Registered(&a));
    a.DestroyWindow();
    EXPECT_FALSE(Registered(&a));

    Manager::AddWnd(&b);
    Manager::InitGdiplus(); // empties the table
    EXPECT_TRUE(Manager::GetWnds().empty());
    Manager::UnInitGdiplus(); // balances the start-up above
}

void Key(WORD key, bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

bool WaitForKeyState(WORD key, bool down)
{
    for (int i = 0; i < 100; ++i) {
        if ((GetAsyncKeyState(key) != 0) == down)
            return true;
        Sleep(10);
    }
    return false;
}

// Releases the keys whatever the test's outcome.
struct HeldKeys {
    ~HeldKeys()
    {
        Key(VK_F4, false);
        Key(VK_MENU, false);
        WaitForKeyState(VK_MENU, false);
    }
};

class Receiver : public Lumo::MWindow {
public:
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override
    {
        if (msg == WM_APP)
            ++received;
        return MWindow::OnWindowMessage(msg, wparam, lparam);
    }
    int received = 0;
};

TEST(Manager, AltF4FilterNeedsBothKeys)
{
    HeldKeys release;
    MSG msg{};
    EXPECT_EQ(Manager::PreTranslateMessage(&msg), 0);
    Key(VK_MENU, true);
    ASSERT_TRUE(WaitForKeyState(VK_MENU, true));
    EXPECT_EQ(Manager::PreTranslateMessage(&msg), 0); // Alt alone
    Key(VK_F4, true);
    ASSERT_TRUE(WaitForKeyState(VK_F4, true));
    EXPECT_EQ(Manager::PreTranslateMessage(nullptr), 1); // the message is not examined

    // The message loop drops what arrives while both are down.
    Receiver window;
    ASSERT_NE(window.Create(nullptr), nullptr);
    window.PostMessageW(WM_APP, 0, 0);
    PostQuitMessage(0);
    Manager::MessageLoop();
    EXPECT_EQ(window.received, 0);

    Key(VK_MENU, false);
    ASSERT_TRUE(WaitForKeyState(VK_MENU, false));
    EXPECT_EQ(Manager::PreTranslateMessage(&msg), 0); // F4 alone
    window.PostMessageW(WM_APP, 0, 0);
    PostQuitMessage(0);
    Manager::MessageLoop();
    EXPECT_EQ(window.received, 1);
    window.DestroyWindow();
}

} // namespace
