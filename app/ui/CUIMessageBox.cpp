#include "app/ui/CUIMessageBox.h"

#include <memory>

namespace {

constexpr UINT kClicked = 2;
const Gdiplus::Color kWhite(255, 255, 255, 255);

std::wstring OrEmpty(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

} // namespace

CUIMessageBox::CUIMessageBox(const wchar_t* text, const wchar_t* title, int style)
    : m_title(OrEmpty(title))
    , m_text(OrEmpty(text))
    , m_style(style)
{
}

CUIMessageBox::~CUIMessageBox() = default;

int CUIMessageBox::OnInitDialog()
{
    MDialog::OnInitDialog();
    // Both the box and the main window are topmost; the later one stays above.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return 1;
}

void CUIMessageBox::InitUI(RECT client)
{
    SetLayeredWindow(1);
    const int middle = (client.bottom - client.top) / 2;
    const int centre = (client.right - client.left) / 2;

    auto* title = dynamic_cast<Lumo::MText*>(
        CreateArea(L"MText", kTitleId, {20, 15, client.right - 20, 40}, m_title.c_str(), 1, 1));
    if (title) {
        title->SetAlignment(1);
        title->SetTextColor(kWhite);
    }
    auto* message = dynamic_cast<Lumo::MText*>(
        CreateArea(L"MText", kTextId, {20, middle - 30, client.right - 20, middle + 30}, m_text.c_str(), 1, 1));
    if (message) {
        message->SetAlignment(1);
        message->SetVAlignment(4);
        message->EnableMultiLine(1);
        message->EnableVCenter(1);
        message->SetTextColor(kWhite);
    }

    if (m_style == 0) {
        CreateButton(kOkYesId, {60, client.bottom - 40, client.right - 60, client.bottom - 10}, L"OK");
    } else if (m_style == 4) {
        CreateButton(kOkYesId, {centre - 120, client.bottom - 40, centre - 20, client.bottom - 10}, L"YES");
        CreateButton(kNoId, {centre + 20, client.bottom - 40, centre + 120, client.bottom - 10}, L"NO");
    }
}

Lumo::MControl* CUIMessageBox::CreateButton(UINT id, RECT rect, const wchar_t* caption)
{
    auto* button = dynamic_cast<Lumo::MButton*>(CreateControl(L"MButton", id, rect, caption, 1, 1));
    if (button) {
        button->SetImage(L"img_button.png", 4);
        button->SetTextColor(kWhite);
    }
    return button;
}

void CUIMessageBox::UISize(RECT) { }

LRESULT CUIMessageBox::OnMessage(UINT id, UINT code, WPARAM, LPARAM)
{
    if (code != kClicked)
        return 0;
    if (id == kOkYesId) {
        DoOK();
        return 1;
    }
    if (id == kNoId) {
        DoCancel();
        return 1;
    }
    return 0;
}

int CUIMessageBox::OnDestroy() { return 0; }

unsigned ShowMessageBox(const wchar_t* text, const wchar_t* title, int style)
{
    auto box = std::make_unique<CUIMessageBox>(text, title, style);
    box->SetBackMode(Lumo::BACKMODE_FRAME, 30);
    box->Create(nullptr, L"MessageBox", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
        {0, 0, CUIMessageBox::kWidth, CUIMessageBox::kHeight});
    box->CenterWindow(nullptr);
    return box->ShowModal(SW_SHOWNORMAL);
}
