#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// Wraps one Win32 window: registers its class (or superclasses a system
// class), creates it with the object as creation parameter, routes every
// message to OnWindowMessage, runs a modal loop, and offers guarded wrappers
// that are safe to call before creation and after destruction.
//
// The object is never deleted by the framework; a self-owning window deletes
// itself in OnDestroyMessage (or a derived class's PostNcDestroy).
class LUMO_API MWindow {
public:
    MWindow();
    // Copies the handles and the procedure; copying makes no second window.
    MWindow(const MWindow& other);
    MWindow& operator=(const MWindow& other);

    // Virtual operations, in slot order.
    virtual ~MWindow(); // does not destroy the window
    virtual const wchar_t* GetWindowClassName() const; // "MWindow"
    virtual const wchar_t* GetSuperClassName() const; // null: no superclassing
    virtual int ShowWindow(int command);
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    virtual int PreTranslateMessage(MSG* msg); // non-zero: consumed
    virtual int OnInitDialog(); // called once Create's CreateWindowExW returned
    virtual void OnDestroyMessage(HWND hwnd); // after the final message

    // --- Creation ---
    // 1 when registered or already registered.
    int RegisterWindowClass();
    int RegisterSuperClass();
    // Returns the existing window when there is one; null when registration or
    // creation fails. OnInitDialog is called in both creation cases.
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect, HMENU menu);
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect);
    HWND Create(HWND parent, const RECT& rect); // "MWindow", style 0x80B
    HWND Create(HWND parent); // the same at (0, 0, 800, 600)

    // Window procedures: WndProc for registered classes (object in the user
    // data), ControlProc for superclassed ones (object in the "Control" property).
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

    // --- Guarded wrappers ---
    HWND GetSafeHwnd() const;
    HWND GetParentHwnd() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // 0 and nothing changed when the style stays the same; else stores it and,
    // with non-zero flags, applies it with SetWindowPos. Returns 1.
    int ModifyStyle(DWORD remove, DWORD add, UINT flags);
    int ModifyExStyle(DWORD remove, DWORD add, UINT flags);
    int GetClientRect(RECT* rect) const;
    int GetWindowRect(RECT* rect) const;
    void SetWindowTextW(const wchar_t* text);
    void GetWindowTextW(std::wstring& text) const;
    int GetWindowTextLengthW() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    void InvalidateRect(const RECT& rect, int erase);
    void InvalidateRect(const RECT* rect, int erase); // null: the whole client area
    HWND SetCapture();
    HWND SetFocus();
    int ReleaseCapture();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    int KillTimer(UINT_PTR id);
    int ClientToScreen(POINT* point) const;
    int ClientToScreen(RECT* rect) const;
    int ScreenToClient(POINT* point) const;
    int ScreenToClient(RECT* rect) const;
    int SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    int MoveWindow(int x, int y, int width, int height, int repaint);
    int MoveWindow(const RECT* rect, int repaint);
    int DestroyWindow();
    LRESULT SendMessageW(UINT msg, WPARAM wparam, LPARAM lparam);
    LRESULT PostMessageW(UINT msg, WPARAM wparam, LPARAM lparam);

    // --- Other operations ---
    // Loads icon resource `id` of the program at the large and small icon sizes.
    void SetIcon(UINT id);
    // Shows the window and runs its modal loop with the owner disabled. The
    // result is the wparam of a WM_CLOSE posted to the window; -1 without a
    // window. A quit message ends the loop and is posted again.
    UINT ShowModal(int showCommand);
    // Centres on the alternate owner, the parent or the owner (or the work
    // area), kept inside the parent's client area or the monitor's work area.
    void CenterWindow(MWindow* alternateOwner = nullptr);
    // Brings the window to the foreground, restoring it when minimised.
    void BringToTop();

protected:
    bool HasHandle() const; // neither null nor -1
    bool IsLive() const; // a live window

    HWND m_hParent;
    HWND m_hWnd;
    WNDPROC m_OldWndProc;
};

} // namespace Lumo
