// Painting: one frame into a fresh 32-bit bitmap, the background, the
// controls, the caret and the overlays; repaint requests and the caret.
#include "lumo/PaintManager.h"

#include "framework/PaintMath.h"
#include "lumo/MControl.h"
#include "lumo/MControlFont.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"

#include <cwchar>

namespace Lumo {

namespace {

constexpr UINT_PTR kCaretTimer = 6553;
constexpr UINT_PTR kMessageHoldTimer = 66;
constexpr UINT_PTR kMessageFadeTimer = 88;
constexpr UINT_PTR kProgressTimer = 99;
// Bounds the repaint rate of every toolkit window of a thread (about 60 per second).
constexpr DWORD kFrameCapMs = 15;

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

Layout::Rect ToLayout(const RECT& r) { return Layout::Rect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const Layout::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

Gdiplus::Color WithAlpha(int alpha, DWORD rgb)
{
    return Gdiplus::Color(
        static_cast<BYTE>(alpha), static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
}

DWORD* PixelRow(BYTE* bits, int width, int height, int y)
{
    // Bottom-up rows: client row y is bitmap row height - 1 - y.
    return reinterpret_cast<DWORD*>(bits) + static_cast<size_t>(height - 1 - y) * width;
}

RECT Clipped(const RECT& rect, int width, int height)
{
    RECT bounds{0, 0, width, height};
    RECT clipped{0, 0, 0, 0};
    ::IntersectRect(&clipped, &rect, &bounds);
    return clipped;
}

} // namespace

void PaintManager::Invalidate()
{
    if (IsLiveWindow())
        ::InvalidateRect(m_hPaintWnd, nullptr, FALSE);
}

void PaintManager::InvalidateRect(RECT rect, int erase)
{
    if (!IsLiveWindow())
        return;
    if (m_bLayered)
        ::InvalidateRect(m_hPaintWnd, nullptr, TRUE);
    else
        ::InvalidateRect(m_hPaintWnd, &rect, erase);
}

void PaintManager::InvalidateArea(const RECT& rect) { InvalidateRect(rect, FALSE); }

LRESULT PaintManager::OnControlUpdate(RECT rect, int rebuild, MControl* control)
{
    if (control == nullptr)
        return 0;
    RECT dirty = rect;
    if (rebuild)
        control->SetUpdate(0, m_innerColor);
    if (m_bInitialised) {
        // Everything painted above the changed control and overlapping it
        // holds the old pixels beneath it in its cache: redraw it too.
        bool found = false;
        const std::pair<std::vector<MControl*>*, CriticalSection*> lists[]
            = {{&m_areas, &m_areaLock}, {&m_controls, &m_controlLock}};
        for (const auto& list : lists) {
            ScopedLock lock(*list.second);
            for (MControl* other : *list.first) {
                if (!found) {
                    found = other == control;
                    continue;
                }
                const RECT area = other->GetRect();
                if (other->IsVisible() && Overlaps(area, rect)) {
                    other->SetUpdate(0, m_innerColor);
                    ::UnionRect(&dirty, &dirty, &area);
                }
            }
        }
    }
    InvalidateArea(dirty);
    return 0;
}

int PaintManager::LoadBKImage(std::wstring file)
{
    delete m_pBkImage;
    m_pBkImage = MRender::LoadImageFromFile(GetSkinPath() + file);
    m_nBkWidth = m_pBkImage != nullptr ? static_cast<int>(m_pBkImage->GetWidth()) : 0;
    m_nBkHeight = m_pBkImage != nullptr ? static_cast<int>(m_pBkImage->GetHeight()) : 0;
    return m_pBkImage != nullptr ? 1 : 0;
}

int PaintManager::LoadBKImage(UINT id, std::wstring type)
{
    delete m_pBkImage;
    m_pBkImage = MRender::LoadImageFromIDResource(id, std::move(type), Manager::m_hInstance);
    m_nBkWidth = m_pBkImage != nullptr ? static_cast<int>(m_pBkImage->GetWidth()) : 0;
    m_nBkHeight = m_pBkImage != nullptr ? static_cast<int>(m_pBkImage->GetHeight()) : 0;
    return m_pBkImage != nullptr ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int parameter)
{
    m_nBackMode = mode;
    m_nBackParameter = parameter;
}

void PaintManager::SetBackColor(COLORREF inner, COLORREF border)
{
    m_innerColor = inner;
    m_borderColor = border;
}

int PaintManager::OnPaint()
{
    if (!IsLiveWindow())
        return 0;
    if (::IsIconic(m_hPaintWnd)) {
        // Nothing shows; validate so that the system stops asking.
        ValidateRect(m_hPaintWnd, nullptr);
        return 1;
    }
    RECT update{};
    if (!GetUpdateRect(m_hPaintWnd, &update, FALSE))
        return 0;
    RECT client{};
    ::GetClientRect(m_hPaintWnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    PAINTSTRUCT paint;
    BeginPaint(m_hPaintWnd, &paint);
    if (width <= 0 || height <= 0) {
        EndPaint(m_hPaintWnd, &paint);
        return 1;
    }

    HDC windowDC = GetDC(m_hPaintWnd);
    HDC memory = CreateCompatibleDC(windowDC);
    BYTE* bits = nullptr;
    HBITMAP bitmap = MRender::CreateARGB32Bitmap(memory, width, height, &bits);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        const int saved = SaveDC(memory);
        PaintFrame(memory, bits, width, height, update);
        RestoreDC(memory, saved);
        if (m_bLayered) {
            const LONG_PTR exStyle = GetWindowLongPtrW(m_hPaintWnd, GWL_EXSTYLE);
            if (!(exStyle & WS_EX_LAYERED))
                SetWindowLongPtrW(m_hPaintWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
            SIZE size{width, height};
            POINT source{0, 0};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            UpdateLayeredWindow(m_hPaintWnd, windowDC, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA);
        } else {
            ::BitBlt(m_hPaintDC != nullptr ? m_hPaintDC : windowDC, update.left, update.top, update.right - update.left,
                update.bottom - update.top, memory, update.left, update.top, SRCCOPY);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(m_hPaintWnd, windowDC);
    EndPaint(m_hPaintWnd, &paint);
    Sleep(kFrameCapMs);
    return 1;
}

void PaintManager::PaintFrame(HDC memoryDC, BYTE* bits, int width, int height, const RECT& update)
{
    if (memoryDC == nullptr || bits == nullptr || width <= 0 || height <= 0)
        return;
    const RECT client{0, 0, width, height};
    const RECT dirty = Clipped(update, width, height);
    if (m_bLayered) {
        GdiFlush();
        for (int y = dirty.top; y < dirty.bottom; ++y) {
            DWORD* row = PixelRow(bits, width, height, y);
            for (int x = dirty.left; x < dirty.right; ++x)
                row[x] = 0;
        }
    }
    if (m_pBkImage != nullptr) {
        Gdiplus::Graphics graphics(memoryDC);
        DrawBackImage(graphics, client);
    } else {
        FillDefaultFrame(bits, width, height);
    }
    const RECT drawn = m_bLayered ? client : dirty;
    HDC target = memoryDC;
    DrawControl(target, drawn);
    DrawCaret(memoryDC, drawn);
    if (m_bLayered) {
        // GDI text leaves alpha 0 behind; what it drew becomes opaque.
        GdiFlush();
        for (int y = dirty.top; y < dirty.bottom; ++y) {
            DWORD* row = PixelRow(bits, width, height, y);
            for (int x = dirty.left; x < dirty.right; ++x) {
                if ((row[x] & 0xFF000000) == 0 && (row[x] & 0x00FFFFFF) != 0)
                    row[x] |= 0xFF000000;
            }
        }
    }
    const bool message = m_nMsgAlpha > 10 && !m_strMessage.empty();
    if (!m_bDrawInfo && !message)
        return;
    Gdiplus::Graphics graphics(memoryDC);
    if (m_bDrawInfo)
        DrawInformation(graphics, width);
    if (message)
        DrawMessage(graphics);
}

void PaintManager::FillDefaultFrame(BYTE* bits, int width, int height)
{
    // A plain fill, written straight into the DIB: premultiplied pixels of
    // alpha 254 (not 255), the border colour on the outermost pixels and the
    // inner colour inside.
    auto pixel = [](COLORREF colour) {
        auto channel = [](int value) { return static_cast<DWORD>((value * 254 + 127) / 255); };
        return DWORD{254} << 24 | channel(GetRValue(colour)) << 16 | channel(GetGValue(colour)) << 8
            | channel(GetBValue(colour));
    };
    const DWORD border = pixel(m_borderColor);
    const DWORD inner = pixel(m_innerColor);
    GdiFlush();
    for (int y = 0; y < height; ++y) {
        DWORD* row = PixelRow(bits, width, height, y);
        const bool edgeRow = y == 0 || y == height - 1;
        for (int x = 0; x < width; ++x)
            row[x] = edgeRow || x == 0 || x == width - 1 ? border : inner;
    }
}

void PaintManager::DrawBackImage(Gdiplus::Graphics& graphics, RECT rect)
{
    if (m_pBkImage == nullptr)
        return;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (m_nBackMode == BACKMODE_STRETCH)
        graphics.DrawImage(
            m_pBkImage, Gdiplus::Rect(0, 0, width, height), 0, 0, m_nBkWidth, m_nBkHeight, Gdiplus::UnitPixel);
    else if (m_nBackMode == BACKMODE_FRAME)
        MRender::DrawImageFrame(graphics, m_pBkImage, rect, 0, 0, m_nBkWidth, m_nBkHeight, m_nBackParameter);
}

void PaintManager::DrawControl(HDC& hdc, RECT rect)
{
    {
        ScopedLock lock(m_areaLock);
        for (MControl* area : m_areas)
            area->Draw(hdc, rect);
    }
    ScopedLock lock(m_controlLock);
    for (MControl* control : m_controls)
        control->Draw(hdc, rect);
}

void PaintManager::DrawInformation(Gdiplus::Graphics& graphics, int width)
{
    if (IsLiveWindow()) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ::ScreenToClient(m_hPaintWnd, &cursor);
        const RECT hover{275, 10, 293, 27};
        if (::PtInRect(&hover, cursor)) {
            Gdiplus::Pen pen(Gdiplus::Color(0xFFC8C8C8), 1.0f);
            graphics.DrawRectangle(&pen, 275, 10, 18, 17);
        }
    }
    Gdiplus::FontFamily* family = FindTempFont(L"Arial");
    if (family == nullptr)
        return;
    Gdiplus::Font font(family, 50.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFFFBFBFB));
    wchar_t text[32];
    std::swprintf(text, 32, L"%d", static_cast<int>(Manager::GetCPUTemp()));
    graphics.DrawString(
        text, -1, &font, Gdiplus::RectF(static_cast<float>(width / 2 + 15), 100.0f, 120.0f, 60.0f), &format, &brush);
    std::swprintf(text, 32, L"%d", static_cast<int>(Manager::GetRPMTemp()));
    graphics.DrawString(
        text, -1, &font, Gdiplus::RectF(static_cast<float>(width / 2 - 160), 100.0f, 150.0f, 60.0f), &format, &brush);
}

void PaintManager::DrawMessage(Gdiplus::Graphics& graphics)
{
    const int alpha = m_nMsgAlpha;
    const RECT& r = m_rcMessage;
    const int width = r.right - r.left, height = r.bottom - r.top;
    Gdiplus::SolidBrush frame(WithAlpha(alpha, 0xE6E6E6));
    graphics.FillRectangle(&frame, static_cast<INT>(r.left), static_cast<INT>(r.top), width, height);
    Gdiplus::SolidBrush face(WithAlpha(alpha, 0xFEFEFE));
    graphics.FillRectangle(&face, static_cast<INT>(r.left + 2), static_cast<INT>(r.top + 2), width - 4, height - 4);

    Gdiplus::FontFamily* family = FindTempFont(m_strMsgFont.c_str());
    if (family != nullptr) {
        Gdiplus::Font font(family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
        Gdiplus::SolidBrush text(WithAlpha(alpha, 0x050505));
        Gdiplus::StringFormat format;
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        if (m_nProgress < 1) {
            format.SetAlignment(Gdiplus::StringAlignmentNear);
            graphics.DrawString(m_strMessage.c_str(), -1, &font,
                Gdiplus::RectF(static_cast<float>(r.left + 5), static_cast<float>(r.top + 5), 190.0f, 50.0f), &format,
                &text);
        } else {
            format.SetAlignment(Gdiplus::StringAlignmentCenter);
            graphics.DrawString(m_strMessage.c_str(), -1, &font,
                Gdiplus::RectF(static_cast<float>(r.left + 5), static_cast<float>(r.top + 5),
                    static_cast<float>(width - 10), 30.0f),
                &format, &text);
        }
    }
    if (m_nProgress >= 1) {
        Gdiplus::Pen line(Gdiplus::Color(0xC8C8C8C8), 1.0f);
        graphics.DrawLine(&line, static_cast<INT>(r.left + 10), static_cast<INT>(r.bottom - 15),
            static_cast<INT>(r.right - 20), static_cast<INT>(r.bottom - 15));
        Gdiplus::SolidBrush bar(Gdiplus::Color(0xFEFFE100));
        graphics.FillRectangle(&bar, static_cast<INT>(r.left + 10), static_cast<INT>(r.bottom - 16),
            PaintMath::ProgressBarWidth(m_nProgress, width), 3);
    }
}

void PaintManager::SetMessage(std::wstring text, RECT rect, MsgLevel level)
{
    if (IsLiveWindow()) {
        ::KillTimer(m_hPaintWnd, kMessageHoldTimer);
        ::KillTimer(m_hPaintWnd, kMessageFadeTimer);
    }
    m_nMsgAlpha = 255;
    m_strMessage = std::move(text);
    m_nMsgLevel = level;
    m_rcMessage = rect;
    m_nProgress = 0;
    InvalidateArea(m_rcMessage);
    if (IsLiveWindow())
        ::SetTimer(m_hPaintWnd, kMessageHoldTimer, 3000, nullptr);
}

void PaintManager::SetProgress(int percent, std::wstring text, RECT rect)
{
    if (percent == m_nProgressTarget)
        return;
    const bool live = IsLiveWindow();
    if (percent < 5 && live)
        ::KillTimer(m_hPaintWnd, kMessageFadeTimer);
    m_nMsgAlpha = 255;
    m_strMessage = std::move(text);
    m_nProgressTarget = percent;
    if (::IsRectEmpty(&rect)) {
        RECT client;
        GetClientRect(client);
        m_rcMessage = ToRect(PaintMath::ProgressBandRect(ToLayout(client)));
    } else {
        m_rcMessage = rect;
    }
    if (m_nProgressTarget - m_nProgress < 6) {
        m_nProgress = m_nProgressTarget;
        InvalidateArea(m_rcMessage);
        if (m_nProgress > 99 && live)
            ::SetTimer(m_hPaintWnd, kMessageFadeTimer, 50, nullptr);
    } else if (live) {
        ::SetTimer(m_hPaintWnd, kProgressTimer, 10, nullptr);
    }
}

int PaintManager::GetProgress() const { return m_nProgress; }
int PaintManager::GetMessageAlpha() const { return m_nMsgAlpha; }
RECT PaintManager::GetMessageRect() const { return m_rcMessage; }

void PaintManager::OnMessageTimer(UINT id)
{
    if (!IsLiveWindow())
        return;
    switch (id) {
    case kMessageHoldTimer:
        ::KillTimer(m_hPaintWnd, kMessageHoldTimer);
        ::SetTimer(m_hPaintWnd, kMessageFadeTimer, 50, nullptr);
        break;
    case kMessageFadeTimer:
        m_nMsgAlpha -= 10;
        if (m_nMsgAlpha < 20) {
            ::KillTimer(m_hPaintWnd, kMessageFadeTimer);
            m_nMsgAlpha = 0;
            m_nProgress = 0;
            Invalidate();
        }
        InvalidateArea(m_rcMessage);
        break;
    case kProgressTimer:
        // Steps of 2, never past the target.
        m_nProgress = m_nProgress + 2 < m_nProgressTarget ? m_nProgress + 2 : m_nProgressTarget;
        if (m_nProgress >= m_nProgressTarget)
            ::KillTimer(m_hPaintWnd, kProgressTimer);
        InvalidateArea(m_rcMessage);
        if (m_nProgress > 99)
            ::SetTimer(m_hPaintWnd, kMessageFadeTimer, 50, nullptr);
        break;
    default:
        break;
    }
}

// --- Caret ---

void PaintManager::CreateCaret(HBITMAP bitmap, int width, int height)
{
    if (IsLiveWindow())
        ::CreateCaret(m_hPaintWnd, bitmap, width, height);
    m_rcCaret.right = m_rcCaret.left + width;
    m_rcCaret.bottom = m_rcCaret.top + height;
}

int PaintManager::SetCaretPos(MControlFont* owner, int x, int y)
{
    if (!::SetCaretPos(x, y))
        return 0;
    m_pCaretOwner = owner;
    const RECT old = m_rcCaret;
    OffsetRect(&m_rcCaret, x - m_rcCaret.left, y - m_rcCaret.top);
    InvalidateArea(old);
    InvalidateArea(m_rcCaret);
    return 1;
}

int PaintManager::ShowCaret(int show)
{
    if ((show != 0) == (m_bCaretShown != 0))
        return 1;
    m_bCaretShown = show;
    if (show) {
        if (IsLiveWindow())
            ::SetTimer(m_hPaintWnd, kCaretTimer, GetCaretBlinkTime(), nullptr);
        if (!m_bCaretPhase) {
            InvalidateArea(m_rcCaret);
            m_bCaretPhase = 1;
        }
    } else {
        if (IsLiveWindow())
            ::KillTimer(m_hPaintWnd, kCaretTimer);
        if (m_bCaretPhase)
            InvalidateArea(m_rcCaret);
        m_bCaretPhase = 0;
    }
    return 1;
}

MControlFont* PaintManager::GetCurrentCaretObject() const { return m_pCaretOwner; }

void PaintManager::DrawCaret(HDC hdc, const RECT& rect)
{
    if (m_pCaretOwner == nullptr || !m_pCaretOwner->IsFocused() || GetFocus() != m_hPaintWnd) {
        if (m_bCaretShown && IsLiveWindow()) // the blink timer runs only while shown
            ::KillTimer(m_hPaintWnd, kCaretTimer);
        if (m_bCaretPhase)
            InvalidateArea(m_rcCaret);
        m_bCaretPhase = 0;
        return;
    }
    if (!m_bCaretPhase || !m_bCaretShown)
        return;
    RECT visible{};
    if (!::IntersectRect(&visible, &m_rcCaret, &rect))
        return;
    Gdiplus::Graphics graphics(hdc);
    Gdiplus::Color colour = m_pCaretOwner->GetTextColor();
    Gdiplus::SolidBrush brush(Gdiplus::Color(254, colour.GetR(), colour.GetG(), colour.GetB()));
    graphics.FillRectangle(&brush, static_cast<INT>(visible.left), static_cast<INT>(visible.top),
        static_cast<INT>(visible.right - visible.left), static_cast<INT>(visible.bottom - visible.top));
}

} // namespace Lumo
