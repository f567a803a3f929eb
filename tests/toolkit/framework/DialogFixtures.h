#pragma once

#include "ToolkitTestSupport.h"

#include <functional>
#include <string>
#include <vector>

// Dialogs and controls for the framework tests: real toolkit classes derived
// the way a program derives them, recording what reaches their overrides.
namespace FrameworkTest {

// A dialog that records its messages and events. Window drags it asks the
// system for (WM_NCLBUTTONDOWN) are recorded and not started, so that no
// modal move loop waits for a real mouse.
class TestDialog : public Lumo::MDialog {
public:
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    void InitUI(RECT client) override;
    void UISize(RECT client) override;
    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    void OnTimer(UINT id) override;
    int OnClose() override;

    // Creates the window as a borderless tool window at (x, y).
    HWND Open(int x, int y, int width, int height, DWORD extraStyle = 0);
    int Count(UINT msg) const;

    std::vector<UINT> messages;
    std::vector<LPARAM> dragRequests; // lparam of each WM_NCLBUTTONDOWN with HTCAPTION
    std::vector<RECT> uiSizes;
    std::vector<RECT> initUIs;
    std::vector<UINT> timers;
    std::vector<std::pair<UINT, UINT>> notifications; // (id, code)
    std::function<void(UINT)> onTimer;
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;
    int closeResult = 1;
    using Lumo::MDialog::m_nMessageOffset;
};

// A top-level control that records its hooks.
class TestControl : public Lumo::MControl {
public:
    TestControl(Lumo::MObject* parent, UINT id, RECT rect);
    int DrawControl(HDC& hdc, RECT clip) override;
    int OnControlMouseMove(UINT keys, POINT point) override;
    int OnControlLButtonDown(UINT keys, POINT point) override;
    int OnControlLButtonUp(UINT keys, POINT point) override;
    int OnControlRButtonDown(UINT keys, POINT point) override;
    int OnControlScroll(int steps, UINT down, POINT point) override;
    int OnControlKeyDown(UINT key, UINT repeat, UINT flags) override;
    int OnControlTimer() override;
    int SetControlFocus(int focus) override;
    HBITMAP GetControlDropBitmap() override;

    // What DrawControl paints: a solid colour (ARGB) over the whole rectangle.
    DWORD fill = 0xFF10A040;
    int draws = 0;
    int rebuilds = 0; // draws with a stale cache
    std::vector<POINT> moves, downs, ups;
    int rightDowns = 0;
    std::vector<UINT> scrollDirections;
    std::vector<std::pair<UINT, UINT>> keys; // (key, modifiers)
    int timerTicks = 0;
    std::vector<DWORD> timerThreads;
    int focus = 0;
    bool takesScroll = true;
    bool takesKeys = true;
    bool dragImage = false;
};

// Pumps this thread's messages until `condition` holds or `ms` pass.
bool PumpUntil(const std::function<bool()>& condition, int ms = 3000);

} // namespace FrameworkTest
