#include "lumo/MWindow.h"

#include "framework/WindowMath.h"
#include "lumo/Manager.h"

namespace Lumo {

namespace {

const wchar_t kControlProperty[] = L"Control";
const HWND kInvalidHandle = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));

Layout::Rect ToLayout(const RECT& r) { return Layout::Rect{r.left, r.top, r.right, r.bottom}; }

// The final message goes to the class's own procedure, not to the object.
LRESULT FinishWindow(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    return CallWindowProcW(previous ? previous : DefWindowProcW, hwnd, msg, wparam, lparam);
}

} // namespace

MWindow::MWindow()
    : m_hParent(nullptr)
    , m_hWnd(nullptr)
    , m_OldWndProc(DefWindowProcW)
{
}

MWindow::MWindow(const MWindow& other) = default;
MWindow& MWindow::operator=(const MWindow& other) = default;

MWindow::~MWindow()
{
    // A window that outlives its object must not reach it any more.
    if (IsLive()) {
        if (GetPropW(m_hWnd, kControlProperty) == this)
            SetPropW(m_hWnd, kControlProperty, nullptr);
        if (reinterpret_cast<MWindow*>(GetWindowLongPtrW(m_hWnd, GWLP_USERDATA)) == this)
            SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    }
    Manager::DeleteWnd(this);
}

const wchar_t* MWindow::GetWindowClassName() const { return L"MWindow"; }
const wchar_t* MWindow::GetSuperClassName() const { return nullptr; }

int MWindow::ShowWindow(int command)
{
    if (!IsLive())
        return 0;
    return ::ShowWindow(m_hWnd, command);
}

LRESULT MWindow::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    return CallWindowProcW(m_OldWndProc ? m_OldWndProc : DefWindowProcW, m_hWnd, msg, wparam, lparam);
}

int MWindow::PreTranslateMessage(MSG*) { return 0; }
int MWindow::OnInitDialog() { return 1; }
void MWindow::OnDestroyMessage(HWND) { }

bool MWindow::HasHandle() const { return m_hWnd != nullptr && m_hWnd != kInvalidHandle; }
bool MWindow::IsLive() const { return HasHandle() && ::IsWindow(m_hWnd); }

int MWindow::RegisterWindowClass()
{
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &MWindow::WndProc;
    wc.hInstance = Manager::m_hInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    if (RegisterClassW(&wc) != 0)
        return 1;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

int MWindow::RegisterSuperClass()
{
    const wchar_t* super = GetSuperClassName();
    if (super == nullptr)
        return 0;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(nullptr, super, &wc) && !GetClassInfoExW(Manager::m_hInstance, super, &wc))
        return 0;
    m_OldWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = &MWindow::ControlProc;
    wc.hInstance = Manager::m_hInstance;
    wc.lpszClassName = GetWindowClassName();
    if (RegisterClassExW(&wc) != 0)
        return 1;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

HWND MWindow::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect, HMENU menu)
{
    if (IsLive())
        return m_hWnd;
    m_hParent = parent;
    const int registered = GetSuperClassName() != nullptr ? RegisterSuperClass() : RegisterWindowClass();
    if (!registered)
        return nullptr;
    m_hWnd = nullptr;
    HWND created = CreateWindowExW(exStyle, GetWindowClassName(), name, style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent, menu, Manager::m_hInstance, this);
    // WM_NCCREATE stored the handle already; a window destroyed during its
    // creation leaves it null again.
    m_hWnd = created != nullptr && ::IsWindow(created) ? created : nullptr;
    OnInitDialog();
    return m_hWnd;
}

HWND MWindow::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect)
{
    return Create(parent, name, style, exStyle, rect, nullptr);
}

HWND MWindow::Create(HWND parent, const RECT& rect) { return Create(parent, L"MWindow", 0x80B, 0, rect, nullptr); }

HWND MWindow::Create(HWND parent)
{
    const RECT rect{0, 0, 800, 600};
    return Create(parent, rect);
}

LRESULT CALLBACK MWindow::WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    MWindow* window = nullptr;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        window = static_cast<MWindow*>(create->lpCreateParams);
        if (window != nullptr) {
            window->m_hWnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
            Manager::AddWnd(window);
        }
    } else {
        window = reinterpret_cast<MWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (window == nullptr)
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = FinishWindow(window->m_OldWndProc, hwnd, msg, wparam, lparam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->m_hWnd = nullptr;
        Manager::DeleteWnd(window);
        window->OnDestroyMessage(hwnd);
        return result;
    }
    return window->OnWindowMessage(msg, wparam, lparam);
}

LRESULT CALLBACK MWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    MWindow* window = nullptr;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        window = static_cast<MWindow*>(create->lpCreateParams);
        if (window != nullptr) {
            window->m_hWnd = hwnd;
            SetPropW(hwnd, kControlProperty, window);
            Manager::AddWnd(window);
        }
    } else {
        window = static_cast<MWindow*>(GetPropW(hwnd, kControlProperty));
    }
    if (window == nullptr)
        return DefWindowProcW(hwnd, msg, wparam, lparam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = FinishWindow(window->m_OldWndProc, hwnd, msg, wparam, lparam);
        SetPropW(hwnd, kControlProperty, nullptr);
        RemovePropW(hwnd, kControlProperty);
        window->m_hWnd = nullptr;
        Manager::DeleteWnd(window);
        window->OnDestroyMessage(hwnd);
        return result;
    }
    return window->OnWindowMessage(msg, wparam, lparam);
}

HWND MWindow::GetSafeHwnd() const { return m_hWnd; }
HWND MWindow::GetParentHwnd() const { return m_hParent; }

DWORD MWindow::GetStyle() const { return HasHandle() ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) : 0; }

DWORD MWindow::GetExStyle() const
{
    return HasHandle() ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)) : 0;
}

namespace {

int ModifyWindowLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = static_cast<DWORD>(GetWindowLongPtrW(hwnd, index));
    const DWORD updated = (old & ~remove) | add;
    if (updated == old)
        return 0;
    SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(updated));
    if (flags != 0)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

} // namespace

int MWindow::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return HasHandle() ? ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, flags) : 0;
}

int MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT flags)
{
    return HasHandle() ? ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, flags) : 0;
}

int MWindow::GetClientRect(RECT* rect) const { return IsLive() ? ::GetClientRect(m_hWnd, rect) : 0; }
int MWindow::GetWindowRect(RECT* rect) const { return IsLive() ? ::GetWindowRect(m_hWnd, rect) : 0; }

void MWindow::SetWindowTextW(const wchar_t* text)
{
    if (IsLive())
        ::SetWindowTextW(m_hWnd, text);
}

void MWindow::GetWindowTextW(std::wstring& text) const
{
    if (!IsLive())
        return;
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, &buffer[0], length + 1);
    buffer.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    text = buffer;
}

int MWindow::GetWindowTextLengthW() const { return IsLive() ? ::GetWindowTextLengthW(m_hWnd) : -1; }
int MWindow::EnableWindow(int enable) { return IsLive() ? ::EnableWindow(m_hWnd, enable) : 0; }
int MWindow::IsWindowEnabled() const { return IsLive() ? ::IsWindowEnabled(m_hWnd) : 0; }
int MWindow::IsWindowVisible() const { return IsLive() ? ::IsWindowVisible(m_hWnd) : 0; }
int MWindow::IsIconic() const { return IsLive() ? ::IsIconic(m_hWnd) : 0; }

void MWindow::InvalidateRect(const RECT& rect, int erase) { InvalidateRect(&rect, erase); }

void MWindow::InvalidateRect(const RECT* rect, int erase)
{
    if (IsLive())
        ::InvalidateRect(m_hWnd, rect, erase);
}

HWND MWindow::SetCapture() { return IsLive() ? ::SetCapture(m_hWnd) : nullptr; }
HWND MWindow::SetFocus() { return IsLive() ? ::SetFocus(m_hWnd) : nullptr; }
int MWindow::ReleaseCapture() { return IsLive() ? ::ReleaseCapture() : 0; }

UINT_PTR MWindow::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return IsLive() ? ::SetTimer(m_hWnd, id, elapse, proc) : 0;
}

int MWindow::KillTimer(UINT_PTR id) { return IsLive() ? ::KillTimer(m_hWnd, id) : 0; }
int MWindow::ClientToScreen(POINT* point) const { return IsLive() ? ::ClientToScreen(m_hWnd, point) : 0; }

int MWindow::ClientToScreen(RECT* rect) const
{
    if (!IsLive())
        return 0;
    auto* corners = reinterpret_cast<POINT*>(rect);
    return ::ClientToScreen(m_hWnd, &corners[0]) && ::ClientToScreen(m_hWnd, &corners[1]) ? 1 : 0;
}

int MWindow::ScreenToClient(POINT* point) const { return IsLive() ? ::ScreenToClient(m_hWnd, point) : 0; }

int MWindow::ScreenToClient(RECT* rect) const
{
    if (!IsLive())
        return 0;
    auto* corners = reinterpret_cast<POINT*>(rect);
    return ::ScreenToClient(m_hWnd, &corners[0]) && ::ScreenToClient(m_hWnd, &corners[1]) ? 1 : 0;
}

int MWindow::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return IsLive() ? ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags) : 0;
}

int MWindow::MoveWindow(int x, int y, int width, int height, int repaint)
{
    return IsLive() ? ::MoveWindow(m_hWnd, x, y, width, height, repaint) : 0;
}

int MWindow::MoveWindow(const RECT* rect, int repaint)
{
    if (!IsLive() || rect == nullptr)
        return 0;
    return ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

int MWindow::DestroyWindow() { return IsLive() ? ::DestroyWindow(m_hWnd) : 0; }

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wparam, LPARAM lparam)
{
    return HasHandle() ? ::SendMessageW(m_hWnd, msg, wparam, lparam) : 0;
}

LRESULT MWindow::PostMessageW(UINT msg, WPARAM wparam, LPARAM lparam)
{
    return HasHandle() ? ::PostMessageW(m_hWnd, msg, wparam, lparam) : 0;
}

void MWindow::SetIcon(UINT id)
{
    if (!IsLive())
        return;
    HINSTANCE instance = Manager::m_hInstance;
    auto* big = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
        GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    auto* small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

UINT MWindow::ShowModal(int showCommand)
{
    if (!IsLive())
        return static_cast<UINT>(-1);
    UINT result = 0;
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    ShowWindow(showCommand);
    if (owner != nullptr)
        ::EnableWindow(owner, FALSE);

    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (IsLive()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = got == 0;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == m_hWnd) {
            result = static_cast<UINT>(msg.wParam);
            // Before the window goes, so that activation passes back to the owner.
            if (owner != nullptr) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (owner != nullptr) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    if (quit)
        PostQuitMessage(quitCode);
    return result;
}

void MWindow::CenterWindow(MWindow* alternateOwner)
{
    if (!IsLive())
        return;
    const DWORD style = GetStyle();
    const bool child = (style & WS_CHILD) != 0;
    HWND reference = nullptr;
    if (alternateOwner != nullptr && alternateOwner->IsLive())
        reference = alternateOwner->m_hWnd;
    else
        reference = child ? ::GetParent(m_hWnd) : GetWindow(m_hWnd, GW_OWNER);

    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    RECT area{}, referenceRect{};
    if (child) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        if (reference != nullptr) {
            ::GetClientRect(reference, &referenceRect);
            MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&referenceRect), 2);
        } else {
            referenceRect = area;
        }
    } else {
        if (reference != nullptr && (!::IsWindowVisible(reference) || ::IsIconic(reference)))
            reference = nullptr;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(
            MonitorFromWindow(reference != nullptr ? reference : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        area = monitor.rcWork;
        if (reference != nullptr)
            ::GetWindowRect(reference, &referenceRect);
        else
            referenceRect = area;
    }
    const Layout::Point position = WindowMath::CentredPosition(ToLayout(own), ToLayout(referenceRect), ToLayout(area));
    ::SetWindowPos(m_hWnd, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop()
{
    if (!IsLive())
        return;
    HWND foreground = GetForegroundWindow();
    const DWORD ownThread = GetWindowThreadProcessId(m_hWnd, nullptr);
    const DWORD foregroundThread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    if (foregroundThread == ownThread) {
        SetForegroundWindow(m_hWnd);
    } else {
        AttachThreadInput(foregroundThread, ownThread, TRUE);
        AllowSetForegroundWindow(ASFW_ANY);
        SetForegroundWindow(m_hWnd);
        AttachThreadInput(foregroundThread, ownThread, FALSE);
    }
    ::ShowWindow(m_hWnd, ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
}

} // namespace Lumo
