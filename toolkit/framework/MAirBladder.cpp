#include "lumo/MAirBladder.h"

#include "framework/MouseEventDispatch.h"
#include "framework/BubbleLayout.h"
#include "framework/LibraryInstance.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"

namespace Lumo {

namespace {

constexpr UINT_PTR kHideTimer = 10;
constexpr UINT kHideAfterMs = 5000;
constexpr float kTextSize = 14.0f;

void ResetFormat(Gdiplus::StringFormat& format)
{
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentNear);
}

int CountLines(const std::wstring& text)
{
    int lines = 1;
    for (wchar_t c : text)
        lines += c == L'\n' ? 1 : 0;
    return lines;
}

} // namespace

int MAirBladder::Picture::Load(Gdiplus::Image* loaded)
{
    image.reset(loaded);
    width = loaded != nullptr ? static_cast<int>(loaded->GetWidth()) : 0;
    height = loaded != nullptr ? static_cast<int>(loaded->GetHeight()) : 0;
    return loaded != nullptr ? 1 : 0;
}

MAirBladder::MAirBladder()
    : m_nAnchorX(0)
    , m_nAnchorY(0)
    , m_nType(1)
    , m_nMode(AIRBLADDER_BELOW)
    , m_pStringFormat(std::make_unique<Gdiplus::StringFormat>())
    , m_nBackMode(BACKMODE_FRAME)
    , m_nBackParameter(18)
    , m_nLines(1)
{
    ResetFormat(*m_pStringFormat);
    m_pStringFormat->SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
}

MAirBladder::~MAirBladder()
{
    if (IsLive())
        ::KillTimer(m_hWnd, kHideTimer);
}

LRESULT MAirBladder::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case 0x442:
        return OnUserCloseWindow(wparam, lparam);
    case WM_CREATE:
        OnCreate(reinterpret_cast<CREATESTRUCTW*>(lparam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wparam), static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
        break;
    case WM_PAINT:
        if (OnPaint())
            return 0;
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lparam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lparam));
        break;
    case WM_NCACTIVATE:
        OnNcActivate(static_cast<int>(wparam));
        break;
    case WM_TIMER:
        OnTimer(static_cast<UINT>(wparam));
        break;
    case WM_SETFOCUS:
        OnSetFocus(nullptr);
        break;
    case WM_KILLFOCUS:
        OnKillFocus(nullptr);
        break;
    default:
        DispatchMouseEvent(*this, msg, wparam, lparam);
        break;
    }
    return CallWindowProcW(m_OldWndProc ? m_OldWndProc : DefWindowProcW, m_hWnd, msg, wparam, lparam);
}

int MAirBladder::PreTranslateMessage(MSG*) { return 0; }

int MAirBladder::OnInitDialog()
{
    LoadTempFont();
    return 1;
}

LRESULT MAirBladder::OnUserCloseWindow(WPARAM code, LPARAM lparam)
{
    PostMessageW(WM_CLOSE, code, lparam);
    return 1;
}

void MAirBladder::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

int MAirBladder::OnCreate(CREATESTRUCTW*)
{
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & 0xFF3BFFFF) | 0x06000008);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return 1;
}

int MAirBladder::OnSize(UINT, int, int)
{
    if (!(IsLive() && ::IsIconic(m_hWnd)))
        SetupRegion(::IsZoomed(m_hWnd) ? 0 : 3);
    RECT client{};
    GetClientRect(&client);
    InvalidateRect(&client, FALSE);
    return 1;
}

int MAirBladder::OnMouseMove(UINT, POINT) { return 0; }
int MAirBladder::OnMouseLeave(WPARAM, LPARAM) { return 0; }
int MAirBladder::OnMouseHover(WPARAM, LPARAM) { return 0; }
int MAirBladder::OnMouseWheel(UINT, short, POINT) { return 0; }
int MAirBladder::OnLButtonDown(UINT, POINT) { return 0; }
int MAirBladder::OnLButtonUp(UINT, POINT) { return 0; }
int MAirBladder::OnLButtonDblClk(UINT, POINT) { return 0; }
int MAirBladder::OnRButtonDown(UINT, POINT) { return 0; }
int MAirBladder::OnRButtonUp(UINT, POINT) { return 0; }
int MAirBladder::OnRButtonDblClk(UINT, POINT) { return 0; }
int MAirBladder::OnKeyDown(UINT, UINT, UINT) { return 0; }
int MAirBladder::OnNcHitTest(POINT) { return 0; }
int MAirBladder::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int MAirBladder::OnNcCalcSize(int, NCCALCSIZE_PARAMS*) { return 0; }
int MAirBladder::OnNcActivate(int) { return 1; }
int MAirBladder::OnSetFocus(MWindow*) { return 1; }

int MAirBladder::OnKillFocus(MWindow*)
{
    if (m_nMode != AIRBLADDER_RIGHT_STAY)
        ShowWindow(SW_HIDE);
    KillTimer(kHideTimer);
    return 1;
}

int MAirBladder::OnWindowPosChanging(WINDOWPOS*) { return 0; }
int MAirBladder::OnWindowPosChanged(WINDOWPOS*) { return 1; }

void MAirBladder::OnTimer(UINT id)
{
    if (id != kHideTimer)
        return;
    KillTimer(kHideTimer);
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

int MAirBladder::OnNcPaint() { return 0; }
int MAirBladder::OnClose() { return 1; }
int MAirBladder::PostNcDestroy() { return 0; }
int MAirBladder::OnDestroy() { return 0; }

int MAirBladder::LoadBKImage(std::wstring file)
{
    return m_background.Load(MRender::LoadImageFromFile(GetSkinPath() + file));
}

int MAirBladder::LoadArrowLImage(std::wstring file)
{
    return m_arrowLeft.Load(MRender::LoadImageFromFile(GetSkinPath() + file));
}

int MAirBladder::LoadArrowRImage(std::wstring file)
{
    return m_arrowRight.Load(MRender::LoadImageFromFile(GetSkinPath() + file));
}

int MAirBladder::LoadArrowTImage(std::wstring file)
{
    return m_arrowTop.Load(MRender::LoadImageFromFile(GetSkinPath() + file));
}

int MAirBladder::LoadBKImage(UINT id, std::wstring type)
{
    return m_background.Load(MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance));
}

int MAirBladder::LoadArrowLImage(UINT id, std::wstring type)
{
    return m_arrowLeft.Load(MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance));
}

int MAirBladder::LoadArrowRImage(UINT id, std::wstring type)
{
    return m_arrowRight.Load(MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance));
}

int MAirBladder::LoadArrowTImage(UINT id, std::wstring type)
{
    return m_arrowTop.Load(MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance));
}

void MAirBladder::SetBackMode(enumBackMode mode, int parameter)
{
    m_nBackMode = mode;
    m_nBackParameter = parameter;
}

int MAirBladder::GetLineCount() const { return m_nLines; }

void MAirBladder::LoadTempFont()
{
    HINSTANCE library = LibraryInstance();
    HRSRC resource = FindResourceW(library, MAKEINTRESOURCEW(106), L"TTF");
    HGLOBAL loaded = resource != nullptr ? LoadResource(library, resource) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddMemoryFont(data, static_cast<INT>(SizeofResource(library, resource))) != Gdiplus::Ok
        || collection->GetFamilyCount() < 1)
        return;
    Gdiplus::FontFamily first;
    INT found = 0;
    collection->GetFamilies(1, &first, &found);
    if (found < 1)
        return;
    m_pFontFamily.reset(first.Clone());
    m_pFontCollection = std::move(collection);
}

Gdiplus::FontFamily* MAirBladder::TextFamily()
{
    // Without the embedded face (a damaged library) text falls back to the
    // system's sans-serif face rather than disappearing.
    if (m_pFontFamily)
        return m_pFontFamily.get();
    return const_cast<Gdiplus::FontFamily*>(Gdiplus::FontFamily::GenericSansSerif());
}

void MAirBladder::AutoFit()
{
    if (m_strText.empty())
        return;
    Gdiplus::Font font(TextFamily(), kTextSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    const Gdiplus::Size bounds = MRender::GetTextBounds(font, *m_pStringFormat, m_strText);
    const int lines = CountLines(m_strText);
    if (lines == 1 || m_nMode == AIRBLADDER_ABOVE) {
        m_pStringFormat->SetAlignment(Gdiplus::StringAlignmentCenter);
        m_pStringFormat->SetLineAlignment(Gdiplus::StringAlignmentCenter);
    }
    const BubbleLayout::Placement placement
        = BubbleLayout::Place(m_nMode, m_nAnchorX, m_nAnchorY, bounds.Width, bounds.Height, lines);
    m_nLines = placement.lines;
    const Layout::Rect& r = placement.rect;
    MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
    OnPaint();
}

int MAirBladder::SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode)
{
    if (text == nullptr)
        return 0;
    if (m_strText == text && m_nAnchorX == anchor.x && m_nAnchorY == anchor.y && m_nType == type && m_nMode == mode)
        return 1;
    ResetFormat(*m_pStringFormat);
    m_strText = text;
    m_nAnchorX = anchor.x;
    m_nAnchorY = anchor.y;
    m_nType = type;
    m_nMode = mode;
    AutoFit();
    if (mode != AIRBLADDER_ABOVE)
        SetTimer(kHideTimer, kHideAfterMs);
    else
        KillTimer(kHideTimer); // an earlier message's timer must not hide this one
    return 1;
}

void MAirBladder::SetupRegion(int corner)
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    HRGN region = CreateRoundRectRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top, corner, corner);
    if (SetWindowRgn(m_hWnd, region, TRUE) == 0)
        DeleteObject(region);
}

int MAirBladder::OnPaint()
{
    if (!IsLive())
        return 0;
    if (::IsIconic(m_hWnd)) {
        ValidateRect(m_hWnd, nullptr);
        return 1;
    }
    PAINTSTRUCT paint;
    BeginPaint(m_hWnd, &paint);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BYTE* bits = nullptr;
    HBITMAP bitmap = width > 0 && height > 0 ? MRender::CreateARGB32Bitmap(memory, width, height, &bits) : nullptr;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        SetBkMode(memory, TRANSPARENT);
        {
            Gdiplus::Graphics graphics(memory);
            if (m_background.image)
                MRender::DrawImageFrame(graphics, m_background.image.get(), RECT{0, 0, width - 1, height - 1}, 0, 0,
                    m_background.width, m_background.height, 6);
            if (!m_strText.empty()) {
                Gdiplus::Font font(TextFamily(), kTextSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
                graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
                const int th = MRender::GetTextBounds(font, *m_pStringFormat, m_strText).Height;
                Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
                const Gdiplus::RectF layout(8.0f, static_cast<float>((height - m_nLines * th) / 2 + m_nLines - 1),
                    static_cast<float>(width - 16), static_cast<float>(m_nLines * th + 2));
                graphics.DrawString(m_strText.c_str(), -1, &font, layout, m_pStringFormat.get(), &white);
            }
        }
        ModifyExStyle(0, WS_EX_LAYERED, 0);
        SIZE size{width, height};
        POINT source{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        UpdateLayeredWindow(m_hWnd, screen, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EndPaint(m_hWnd, &paint);
    return 1;
}

} // namespace Lumo
