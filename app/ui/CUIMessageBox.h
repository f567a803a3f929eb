#pragma once

#include "lumo/lumo.h"

#include <string>

// The program's own skinned modal box: a title line, a message and either one
// "OK" button (style 0) or "YES" and "NO" (style 4); any other style shows
// no button.
class CUIMessageBox : public Lumo::MDialog {
public:
    static constexpr int kWidth = 380;
    static constexpr int kHeight = 200;
    static constexpr UINT kTitleId = 31;
    static constexpr UINT kTextId = 32;
    static constexpr UINT kOkYesId = 33;
    static constexpr UINT kNoId = 34;

    CUIMessageBox(const wchar_t* text, const wchar_t* title, int style);
    ~CUIMessageBox() override;

    int OnInitDialog() override;
    void InitUI(RECT client) override;
    void UISize(RECT client) override;
    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    int OnDestroy() override;

private:
    Lumo::MControl* CreateButton(UINT id, RECT rect, const wchar_t* caption);

    std::wstring m_title;
    std::wstring m_text;
    int m_style;
};

// Opens a box and runs it modally on the calling (window) thread: 1 after
// "OK" or "YES", 2 after "NO". A box whose window cannot be created answers
// at once with the toolkit's result for a missing window.
unsigned ShowMessageBox(const wchar_t* text, const wchar_t* title, int style);
