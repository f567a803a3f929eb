#pragma once

#include "lumo/CIDropTarget.h"
#include "lumo/CriticalSection.h"
#include "lumo/Export.h"
#include "lumo/ImageCache.h"
#include "lumo/ImgResInfo.h"
#include "lumo/MShadow.h"
#include "lumo/Platform.h"
#include "lumo/RKTimer.h"
#include "lumo/Types.h"

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Lumo {

class MAirBladder;
class MControl;
class MControlFont;
class MObject;
class MWindow;

// Owns a window's windowless controls and paints them into a fresh 32-bit
// bitmap per paint, then copies the changed rectangle to the window or, for a
// layered window, pushes the whole bitmap with per-pixel alpha. It draws the
// background (a skin image or a two-colour frame), an information overlay
// with the sensor values, a transient message or progress box and a software
// caret; keeps the window's image and font caches; routes input to the
// controls; and runs their window timers and animation timer.
//
// Embedded by value in its window object. Everything runs on the window
// thread except the multimedia-timer callback, which only posts one animation
// tick at a time to the window; the controls then animate on the window
// thread, so nothing they touch races with painting or input. The list, cache
// and font locks guard the structures themselves; a timer lock may be held
// while a list lock is taken, never the reverse.
class LUMO_API PaintManager : public RKTimer, public CIDropTarget {
public:
    PaintManager();
    ~PaintManager() override;

    // --- Virtual operations ---
    using RKTimer::OnMTimer;
    // Timer thread: posts an animation tick for the animation timer.
    void OnMTimer(UINT id) override;
    bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect) override;

    // --- Binding and geometry ---
    // Binds the manager to its window: paint DC, drop target, scroll-bar
    // images and the embedded face. Ignored unless hwnd is a live window.
    void Init(HWND hwnd, MWindow* owner);
    MWindow* GetMDialog() const;
    HWND GetPaintWnd() const;
    HDC GetPaintDC() const;
    void GetClientRect(RECT& rect) const;
    void GetWindowRect(RECT& rect) const;
    void GetClientSize(int& width, int& height) const;
    void SetCaptionRect(RECT rect);
    void GetCaptionRect(RECT& rect) const;
    void SetWindowMaxSize(int width, int height);
    void GetWindowManSize(int& width, int& height) const;
    void SetWindowMixSize(int width, int height);
    void GetWindowMinSize(int& width, int& height) const;
    void SetLayeredWindow(int layered);
    int IsLayered() const;
    void EnableWndDrag(int enable);
    void EnableDrawInfo(int enable);
    LRESULT SendMessageW(UINT msg, WPARAM wparam, LPARAM lparam);
    LRESULT PostMessageW(UINT msg, WPARAM wparam, LPARAM lparam);

    // --- Painting ---
    void Invalidate();
    // Layered windows are always repainted whole.
    void InvalidateRect(RECT rect, int erase);
    // A control's request to be repainted; also redraws what lies above it.
    LRESULT OnControlUpdate(RECT rect, int rebuild, MControl* control);
    int LoadBKImage(std::wstring file);
    int LoadBKImage(UINT id, std::wstring type);
    void SetBackMode(enumBackMode mode, int parameter);
    void SetBackColor(COLORREF inner, COLORREF border);
    // The WM_PAINT handler: 0 when there is nothing to paint.
    int OnPaint();
    // Renders one frame exactly as OnPaint does, into a caller's 32-bit
    // bottom-up DIB of width × height selected into memoryDC: everything but
    // pushing it to the window and the frame-cap sleep. Used by OnPaint, and
    // by tests and benchmarks that read the pixels back.
    void PaintFrame(HDC memoryDC, BYTE* bits, int width, int height, const RECT& update);
    void DrawBackImage(Gdiplus::Graphics& graphics, RECT rect);
    void DrawControl(HDC& hdc, RECT rect);
    void DrawCaret(HDC hdc, const RECT& rect);
    void SetMessage(std::wstring text, RECT rect, MsgLevel level);
    void SetProgress(int percent, std::wstring text, RECT rect);
    int GetProgress() const;
    int GetMessageAlpha() const;
    RECT GetMessageRect() const;

    // --- Shadow (forwarded to the embedded MShadow) ---
    void CreateShadow(int show, bool flag);
    int SetSize(int size);
    int SetSharpness(UINT sharpness);
    int SetDarkness(UINT darkness);
    int SetPosition(int x, int y);
    int SetShadowColor(DWORD colour);
    int SetShadowImage(const wchar_t* file, RECT corners);
    int SetShadowImage(UINT id, RECT corners);
    void SetShadowShow(int show);
    void DisableShadow(int disable);
    MShadow* GetShadow();

    // --- Controls (owned; the manager deletes them) ---
    // The control factory by class name (exact and case-sensitive): the
    // control gets this manager and InitControl, then kind 0 appends it to
    // the area list and kind 1 to the control list; any other kind appends it
    // nowhere and leaves it to the caller. Null for an empty name, a name the
    // paint manager's factory does not accept or whose class the library
    // does not have.
    MControl* CreateControl(UINT kind, MObject* parent, const wchar_t* className, UINT id, RECT rect,
        const wchar_t* text, int int1, int int2);
    MControl* CreateControl(
        MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    MControl* CreateArea(
        MObject* parent, const wchar_t* className, UINT id, RECT rect, const wchar_t* text, int int1, int int2);
    // Attaches a control made by a factory: the control gets this manager
    // (and InitControl), then kind 0 appends it to the area list and kind 1 to
    // the control list, each under its lock. Any other kind appends it
    // nowhere and leaves it to the caller. Returns the control.
    MControl* AddControl(UINT kind, MControl* control);
    MControl* GetControl(UINT id);
    std::vector<MControl*>* GetControls();
    // Deletes a control of the control list; areas are not searched.
    void RemoveControl(MControl* control);
    void ClearAreaControls();
    void ClearControls();
    void ClearAllControls();
    // Called by a control that is being deleted: drops every reference the
    // manager keeps to it (focus, hover, caret, timers).
    void ForgetControl(MControl* control);

    // --- Resources ---
    ImgResInfo* AddImgResInfo(const wchar_t* file, int frameCount);
    ImgResInfo* AddImgResInfo(UINT id, std::wstring type, int frameCount, int fromProgram);
    void ClearImgResInfo();
    void AddGDITempFont(UINT id);
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, const wchar_t* file);
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, UINT id);
    Gdiplus::FontFamily* FindTempFont(const wchar_t* name);
    void ClearTempFont();
    void SetScrollResID(UINT vertical, UINT horizontal);
    UINT GetScrollVID() const;
    UINT GetScrollHID() const;
    COLORREF GetDefaultEnabledColor() const;
    void SetDefaultEnabledColor(COLORREF colour);

    // --- Caret (software-drawn for rich-edit controls; the owner is the
    // control that placed it and whose text colour it takes) ---
    void CreateCaret(HBITMAP bitmap, int width, int height);
    int SetCaretPos(MControlFont* owner, int x, int y);
    int ShowCaret(int show);
    MControlFont* GetCurrentCaretObject() const;

    // --- Teardown ---
    // Releases what the window used: timers, controls, caches, fonts.
    void DestroyData();
    void OnDestroyMessage(HWND hwnd);

    // --- Input ---
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    int PreTranslateMessage(MSG* msg);
    int OnMouseMove(UINT keys, POINT point);
    int OnMouseLeave(WPARAM wparam, LPARAM lparam);
    int OnMouseWheel(UINT keys, short delta, POINT screenPoint);
    int OnLButtonDown(UINT keys, POINT point);
    int OnLButtonUp(UINT keys, POINT point);
    int OnLButtonDblClk(UINT keys, POINT point);
    int OnRButtonDown(UINT keys, POINT point);
    int OnRButtonUp(UINT keys, POINT point);
    int OnRButtonDblClk(UINT keys, POINT point);
    int OnKeyDown(UINT key, LPARAM lparam);
    int OnKeyUp(UINT key, LPARAM lparam);
    int OnNcActivate(int active);
    void OnTimer(UINT id);
    HWND SetCapture();
    int ReleaseCapture();
    int IsCaptured() const;
    // The modifier code passed with key events: 0x10 Shift, 0x11 Ctrl, 0x12
    // Alt, or-ed; 0 without modifiers.
    static UINT ModifierCode();

    // --- Focus, tooltip and bubble ---
    void SetFocusControl(MControl* control);
    MControl* GetFocusControl() const;
    MControl* GetHoverControl() const;
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();
    void SetTooltip(const wchar_t* text, RECT rect);
    void ClearTooltip();
    int GetTooltipCtrlID() const;
    void SetTooltipCtrlID(int id);
    HWND GetTooltipWnd() const;
    int SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
    int ShowAirBladder(int show, int type);
    MAirBladder* GetAirBladder() const;

    // --- Timers ---
    // Window timers of controls: ids 17, 18, ... modulo 240 per window. 1 when
    // started or restarted, 0 when it already runs or the system refuses.
    int SetTimer(MControl* control, UINT key, UINT elapse);
    int KillTimer(MControl* control, UINT key); // stopped, kept for a restart
    void KillTimer(MControl* control); // stopped and removed
    void ClearTimers();
    using RKTimer::KillTimer;
    using RKTimer::SetTimer;
    // The animation timer: a multimedia timer whose ticks run OnTimer of the
    // controls of the animation list (on the window thread).
    UINT SetMTimer(UINT delay);
    void KillMTimer(UINT id);
    void KillMTimer();
    int AddMTimer(MControl* control);
    int DeleteFSTimer(MControl* control); // 1 when it was listed

    // --- Drag and drop ---
    int InitDragDrop();
    // The control drawn alone, cut to rect, as a new 32-bit bitmap the caller owns.
    HBITMAP GetDropBitmap(MControl* control, const RECT& rect, DWORD flags);

private:
    // A button release or double click: it goes to the hover control (the
    // one that took the press, even when the mouse has left it), which stops
    // being the hover control when the point lies outside it.
    void PassReleaseToHover(UINT keys, POINT point, int (MControl::*handler)(UINT, POINT));
    void EndCapture();

    // A cached family and the private collection that holds its font data;
    // families of a private collection are only valid while it lives.
    struct FontEntry {
        std::unique_ptr<Gdiplus::PrivateFontCollection> collection;
        std::unique_ptr<Gdiplus::FontFamily> family;
    };
    struct ControlTimer {
        HWND hwnd;
        MControl* control;
        UINT key;
        UINT id;
        int stopped;
    };

    Gdiplus::FontFamily* StoreFirstFamily(
        const wchar_t* name, std::unique_ptr<Gdiplus::PrivateFontCollection> collection);
    void DeleteList(std::vector<MControl*>& list, CriticalSection& lock);
    bool IsLiveWindow() const;
    void InvalidateArea(const RECT& rect);
    void FillDefaultFrame(BYTE* bits, int width, int height);
    void DrawInformation(Gdiplus::Graphics& graphics, int width);
    void DrawMessage(Gdiplus::Graphics& graphics);
    void OnMessageTimer(UINT id);
    void DispatchControlTimers(UINT id);
    void DispatchAnimationTick();
    void StartDrag();
    MControl* FocusableFrom(bool forward);

    // Window binding
    MWindow* m_pOwner;
    int m_bInitialised;
    HWND m_hPaintWnd;
    HDC m_hPaintDC;
    std::atomic<HWND> m_hTickWnd; // read by the timer thread
    int m_bDropTarget;

    // Background and frame
    enumBackMode m_nBackMode;
    int m_nBackParameter;
    Gdiplus::Image* m_pBkImage;
    int m_nBkWidth;
    int m_nBkHeight;
    COLORREF m_innerColor;
    COLORREF m_borderColor;
    int m_bLayered;
    int m_bDrawInfo;
    RECT m_rcCaption;
    SIZE m_maxSize;
    SIZE m_minSize;
    COLORREF m_defaultEnabledColor;
    UINT m_nScrollVID;
    UINT m_nScrollHID;

    // Controls
    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    CriticalSection m_areaLock;
    CriticalSection m_controlLock;

    // Caches
    ImageCache m_images;
    CriticalSection m_fontLock;
    std::map<std::wstring, std::unique_ptr<FontEntry>> m_fonts;
    std::vector<std::unique_ptr<FontEntry>> m_replacedFonts; // may still be in use until ClearTempFont
    std::vector<HANDLE> m_gdiFonts;

    // Message overlay
    std::wstring m_strMessage;
    MsgLevel m_nMsgLevel;
    int m_nMsgAlpha;
    int m_nProgress;
    int m_nProgressTarget;
    std::wstring m_strMsgFont;
    RECT m_rcMessage;

    // Shadow
    MShadow m_shadow;
    int m_bShadowShow;

    // Caret
    RECT m_rcCaret;
    int m_bCaretPhase;
    int m_bCaretShown;
    MControlFont* m_pCaretOwner;

    // Input
    MControl* m_pHoverControl;
    MControl* m_pFocusControl;
    int m_bTracking;
    int m_bPressed;
    int m_bCaptured;
    int m_bWndDrag;
    int m_bDragPending;
    POINT m_ptLastDrag;
    HBITMAP m_hDragBitmap;
    HWND m_hTooltip;
    int m_nTooltipCtrlID;
    MAirBladder* m_pAirBladder;
    int m_nAirBladderType;

    // Timers
    std::vector<ControlTimer> m_controlTimers;
    CriticalSection m_timerLock;
    UINT m_nTimerCounter;
    std::atomic<UINT> m_nAnimationTimerId;
    std::atomic<bool> m_bTickPending;
    std::vector<MControl*> m_animated;
    CriticalSection m_animationLock;
};

} // namespace Lumo
