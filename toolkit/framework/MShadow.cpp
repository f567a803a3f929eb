#include "lumo/MShadow.h"

#include "framework/ShadowMath.h"
#include "lumo/MRender.h"
#include "lumo/Manager.h"
#include "lumo/PaintManager.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Lumo {

int MShadow::s_bHasInit = 0;

namespace {

const wchar_t kShadowClass[] = L"ShadowWnd";

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Each row's first and last pixel inside the window's region (window
// coordinates). A window without a region of its own is its whole rectangle.
std::vector<ShadowMath::RowSpan> RegionRows(HWND parent, int width, int height)
{
    std::vector<ShadowMath::RowSpan> rows(static_cast<size_t>(height), ShadowMath::EmptySpan());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(parent, region);
    if (kind == ERROR || kind == NULLREGION) {
        DeleteObject(region);
        for (auto& row : rows)
            row = ShadowMath::RowSpan{0, width};
        return rows;
    }
    const DWORD bytes = GetRegionData(region, 0, nullptr);
    std::vector<BYTE> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (bytes != 0 && GetRegionData(region, bytes, data) == bytes) {
        const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            const RECT& r = rects[i];
            for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y) {
                ShadowMath::RowSpan& row = rows[static_cast<size_t>(y)];
                if (row.IsEmpty()) {
                    row = ShadowMath::RowSpan{static_cast<int>(r.left), static_cast<int>(r.right)};
                } else {
                    row.left = std::min<int>(row.left, r.left);
                    row.right = std::max<int>(row.right, r.right);
                }
            }
        }
    }
    DeleteObject(region);
    return rows;
}

} // namespace

std::map<HWND, MShadow*>& MShadow::GetShadowMap()
{
    static std::map<HWND, MShadow*> shadows;
    return shadows;
}

MShadow::MShadow()
    : m_pOwner(nullptr)
    , m_hWnd(nullptr)
    , m_OldParentProc(nullptr)
    , m_Status(0)
    , m_bImageMode(0)
    , m_bShow(0)
    , m_bDisabled(0)
    , m_pImage(nullptr)
    , m_nImageWidth(0)
    , m_nImageHeight(0)
    , m_nDarkness(150)
    , m_nSharpness(5)
    , m_nSize(0)
    , m_nxOffset(5)
    , m_nyOffset(5)
    , m_nLastWidth(0)
    , m_nLastHeight(0)
    , m_bUpdate(0)
    , m_Color(0)
    , m_nImageId(0)
    , m_rcCorner{0, 0, 0, 0}
{
}

MShadow::~MShadow()
{
    // A parent that outlives its shadow object must not call into it any more.
    auto& shadows = GetShadowMap();
    for (auto it = shadows.begin(); it != shadows.end(); ++it) {
        if (it->second == this) {
            if (::IsWindow(it->first) && m_OldParentProc != nullptr)
                SetWindowLongPtrW(it->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldParentProc));
            shadows.erase(it);
            break;
        }
    }
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    delete m_pImage;
}

int MShadow::Initialize(HINSTANCE instance, bool force)
{
    if (s_bHasInit && !force)
        return 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kShadowClass;
    RegisterClassExW(&wc);
    s_bHasInit = 1;
    return 1;
}

HWND MShadow::ParentWnd() const { return m_pOwner != nullptr ? m_pOwner->GetPaintWnd() : nullptr; }
bool MShadow::IsShown() const { return (m_Status & kShown) != 0; }
HWND MShadow::GetShadowWnd() const { return m_hWnd; }

void MShadow::StatusFromParent(HWND parent)
{
    const LONG_PTR style = GetWindowLongPtrW(parent, GWL_STYLE);
    if (!(style & WS_VISIBLE)) {
        m_Status = kEnabled;
    } else if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        m_Status = kEnabled | kParentVisible;
    } else {
        m_Status = kEnabled | kShown | kParentVisible;
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Update(parent);
    }
}

void MShadow::Create(PaintManager* owner)
{
    if (!m_bShow || owner == nullptr)
        return;
    HWND parent = owner->GetPaintWnd();
    if (parent == nullptr || !::IsWindow(parent) || (m_hWnd != nullptr && ::IsWindow(m_hWnd)))
        return;
    m_pOwner = owner;
    GetShadowMap()[parent] = this;
    const LONG_PTR parentStyle = GetWindowLongPtrW(parent, GWL_STYLE);
    m_hWnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClass, nullptr,
        WS_POPUP | WS_BORDER | WS_SYSMENU | static_cast<DWORD>(parentStyle & WS_DLGFRAME), CW_USEDEFAULT, 0, 0, 0,
        parent, nullptr, Manager::m_hInstance, nullptr);
    StatusFromParent(parent);
    m_OldParentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MShadow::ParentProc)));
}

void MShadow::ShowShadow(int show) { m_bShow = show; }
int MShadow::IsShowShadow() const { return m_bShow; }

void MShadow::DisableShadow(int disable)
{
    m_bDisabled = disable;
    if (m_hWnd == nullptr)
        return;
    HWND parent = ParentWnd();
    if (disable) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        m_Status &= static_cast<BYTE>(~kShown);
    } else if (parent != nullptr && ::IsWindow(parent)) {
        StatusFromParent(parent);
    }
}

int MShadow::IsDisableShadow() const { return m_bDisabled; }

int MShadow::SetSize(int size)
{
    if (!InRange(size, -35, 35))
        return 0;
    m_nSize = static_cast<signed char>(size);
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetSharpness(UINT sharpness)
{
    if (sharpness > 35)
        return 0;
    m_nSharpness = static_cast<BYTE>(sharpness);
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetDarkness(UINT darkness)
{
    if (darkness > 255)
        return 0;
    m_nDarkness = static_cast<BYTE>(darkness);
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetPosition(int x, int y)
{
    if (!InRange(x, -35, 35) || !InRange(y, -35, 35))
        return 0;
    m_nxOffset = static_cast<signed char>(x);
    m_nyOffset = static_cast<signed char>(y);
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetColor(DWORD colour)
{
    m_Color = colour;
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetShadowCorner(int left, int top, int right, int bottom)
{
    if (left < 0 || top < 0 || right < 0 || bottom < 0)
        return 0;
    m_rcCorner = RECT{left, top, right, bottom};
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetImage(const wchar_t* file)
{
    if (file == nullptr)
        return 0;
    m_bImageMode = 1;
    m_strImage = file;
    delete m_pImage;
    m_pImage = MRender::LoadImageFromFile(GetSkinPath() + file);
    m_nImageWidth = m_pImage != nullptr ? static_cast<int>(m_pImage->GetWidth()) : 0;
    m_nImageHeight = m_pImage != nullptr ? static_cast<int>(m_pImage->GetHeight()) : 0;
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return 1;
}

int MShadow::SetImage(UINT id)
{
    delete m_pImage;
    m_bImageMode = 1;
    m_nImageId = id;
    m_pImage = MRender::LoadImageFromIDResource(id, L"PNG", Manager::m_hInstance);
    m_nImageWidth = m_pImage != nullptr ? static_cast<int>(m_pImage->GetWidth()) : 0;
    m_nImageHeight = m_pImage != nullptr ? static_cast<int>(m_pImage->GetHeight()) : 0;
    if (m_hWnd != nullptr && IsShown())
        Update(ParentWnd());
    return m_pImage != nullptr ? 1 : 0;
}

int MShadow::CopyShadow(MShadow* other)
{
    if (other == nullptr)
        return 0;
    if (m_bImageMode) {
        other->SetImage(m_strImage.c_str());
        other->SetShadowCorner(m_rcCorner.left, m_rcCorner.top, m_rcCorner.right, m_rcCorner.bottom);
        other->SetSize(m_nSize);
    } else {
        other->SetSize(m_nSize);
        other->SetSharpness(m_nSharpness);
        other->SetDarkness(m_nDarkness);
        other->SetColor(m_Color);
        other->SetPosition(m_nxOffset, m_nyOffset);
    }
    if (other->m_hWnd != nullptr && other->IsShown())
        other->Update(other->ParentWnd());
    other->m_bShow = m_bShow;
    return 1;
}

void MShadow::Move(HWND parent)
{
    if (m_hWnd == nullptr)
        return;
    RECT rect{};
    ::GetWindowRect(parent, &rect);
    const int x = m_bImageMode ? rect.left - m_rcCorner.left : rect.left + m_nxOffset - m_nSize;
    const int y = m_bImageMode ? rect.top - m_rcCorner.top : rect.top + m_nyOffset - m_nSize;
    ::SetWindowPos(m_hWnd, parent, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void MShadow::MakeShadow(UINT32* pixels, HWND parent, RECT* parentRect)
{
    if (pixels == nullptr || parent == nullptr)
        return;
    RECT rect{};
    if (parentRect != nullptr)
        rect = *parentRect;
    else
        ::GetWindowRect(parent, &rect);
    ShadowMath::Params params;
    params.width = rect.right - rect.left;
    params.height = rect.bottom - rect.top;
    params.size = m_nSize;
    params.sharpness = m_nSharpness;
    params.darkness = m_nDarkness;
    params.colour = m_Color;
    params.offsetX = m_nxOffset;
    params.offsetY = m_nyOffset;
    const std::vector<uint32_t> shadow = ShadowMath::Compose(RegionRows(parent, params.width, params.height), params);
    const int width = params.width + 2 * params.size;
    const int height = params.height + 2 * params.size;
    if (shadow.empty())
        return;
    // The composed rows run top-down; the bitmap's rows bottom-up.
    for (int row = 0; row < height; ++row)
        std::memcpy(pixels + static_cast<size_t>(height - 1 - row) * width,
            shadow.data() + static_cast<size_t>(row) * width, static_cast<size_t>(width) * sizeof(UINT32));
}

void MShadow::Push(HDC memory, int width, int height, POINT position)
{
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(m_hWnd, nullptr, &position, &size, memory, &source, 0, &blend, ULW_ALPHA);
}

void MShadow::Update(HWND parent)
{
    if (!m_bShow || !IsShown() || m_hWnd == nullptr || parent == nullptr)
        return;
    RECT rect{};
    ::GetWindowRect(parent, &rect);
    const int extraX = m_bImageMode ? m_rcCorner.left + m_rcCorner.right : 2 * m_nSize;
    const int extraY = m_bImageMode ? m_rcCorner.top + m_rcCorner.bottom : 2 * m_nSize;
    const bool drawable = m_bImageMode ? (!m_strImage.empty() || m_nImageId != 0) : m_nSize != 0;
    const int width = rect.right - rect.left + (drawable ? extraX : 0);
    const int height = rect.bottom - rect.top + (drawable ? extraY : 0);
    if (width <= 0 || height <= 0)
        return;
    HDC memory = CreateCompatibleDC(nullptr);
    BYTE* bits = nullptr;
    HBITMAP bitmap = MRender::CreateARGB32Bitmap(memory, width, height, &bits);
    if (memory == nullptr || bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    POINT position{rect.left, rect.top};
    if (drawable && m_bImageMode) {
        if (m_pImage != nullptr) {
            Gdiplus::Graphics graphics(memory);
            MRender::DrawImageFrameMID(graphics, m_pImage, RECT{0, 0, width, height}, 0, 0, m_nImageWidth,
                m_nImageHeight, m_rcCorner.left, m_rcCorner.top, m_rcCorner.right, m_rcCorner.bottom);
        }
        position = POINT{rect.left - m_rcCorner.left, rect.top - m_rcCorner.top};
    } else if (drawable) {
        MakeShadow(reinterpret_cast<UINT32*>(bits), parent, &rect);
        position = POINT{rect.left + m_nxOffset - m_nSize, rect.top + m_nyOffset - m_nSize};
    }
    // Nothing to draw leaves a fully transparent shadow over the parent.
    ::MoveWindow(m_hWnd, position.x, position.y, width, height, FALSE);
    Push(memory, width, height, position);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

LRESULT CALLBACK MShadow::ParentProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto& shadows = GetShadowMap();
    const auto found = shadows.find(hwnd);
    if (found == shadows.end())
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    MShadow* shadow = found->second;
    const WNDPROC previous = shadow->m_OldParentProc;
    if (!shadow->m_bDisabled) {
        switch (msg) {
        case WM_DESTROY:
            if (shadow->m_hWnd != nullptr)
                ::DestroyWindow(shadow->m_hWnd);
            shadow->m_hWnd = nullptr;
            break;
        case WM_MOVE:
            if (shadow->IsShown())
                shadow->Move(hwnd);
            break;
        case WM_SIZE:
            if (shadow->m_Status & kEnabled) {
                if (wparam == SIZE_MINIMIZED || wparam == SIZE_MAXIMIZED) {
                    ::ShowWindow(shadow->m_hWnd, SW_HIDE);
                    shadow->m_Status &= static_cast<BYTE>(~kShown);
                } else {
                    if (shadow->m_Status & kParentVisible) {
                        const WORD width = LOWORD(lparam), height = HIWORD(lparam);
                        // Growing: redraw with the parent's next paint; shrinking: now.
                        if (width > shadow->m_nLastWidth || height > shadow->m_nLastHeight)
                            shadow->m_bUpdate = 1;
                        else
                            shadow->Update(hwnd);
                    }
                    if (!shadow->IsShown()) {
                        ::ShowWindow(shadow->m_hWnd, SW_SHOWNOACTIVATE);
                        shadow->m_Status |= kShown;
                    }
                }
                shadow->m_nLastWidth = LOWORD(lparam);
                shadow->m_nLastHeight = HIWORD(lparam);
            }
            break;
        case WM_PAINT:
            if (shadow->m_bUpdate) {
                shadow->Update(hwnd);
                shadow->m_bUpdate = 0;
            }
            break;
        case WM_SHOWWINDOW:
            if (shadow->m_Status & kEnabled) {
                if (wparam && !(shadow->m_Status & kParentVisible)) {
                    shadow->m_bUpdate = 1;
                    ::ShowWindow(shadow->m_hWnd, SW_SHOWNOACTIVATE);
                    shadow->m_Status |= kShown | kParentVisible;
                } else if (!wparam) {
                    ::ShowWindow(shadow->m_hWnd, SW_HIDE);
                    shadow->m_Status &= static_cast<BYTE>(~(kShown | kParentVisible));
                }
            }
            break;
        case WM_ACTIVATEAPP:
        case WM_NCACTIVATE:
            ::SetWindowPos(shadow->m_hWnd, hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
            break;
        case WM_WINDOWPOSCHANGED:
            shadow->Move(hwnd);
            break;
        case WM_EXITSIZEMOVE:
            if (shadow->IsShown())
                shadow->Update(hwnd);
            break;
        default:
            break;
        }
    }
    if (msg == WM_NCDESTROY) {
        shadows.erase(hwnd);
        shadow->m_OldParentProc = nullptr;
    }
    return CallWindowProcW(previous != nullptr ? previous : DefWindowProcW, hwnd, msg, wparam, lparam);
}

} // namespace Lumo
