#pragma once

#include "lumo/CriticalSection.h"
#include "lumo/Export.h"
#include "lumo/ImageCache.h"
#include "lumo/ImgResInfo.h"
#include "lumo/Platform.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Lumo {

class MControl;
class MWindow;

// The object through which a window's windowless controls are owned, drawn
// and served: image and font caches, focus, tooltip and animation timers.
// Embedded by value in its window object; not copied while a window exists.
class LUMO_API PaintManager {
public:
    PaintManager();
    virtual ~PaintManager();
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;

    // --- Binding ---
    // Binds the manager to its window once that exists; ignored unless hwnd
    // is a live window.
    void Init(HWND hwnd, MWindow* owner);
    MWindow* GetMDialog() const;
    HWND GetPaintWnd() const;
    HDC GetPaintDC() const;
    void SetLayeredWindow(int layered);
    int IsLayered() const;
    void Invalidate();
    // Layered windows are always repainted whole.
    void InvalidateRect(RECT rect, int erase);

    // --- Controls (owned; the manager deletes them) ---
    // Attaches a control made by a factory: the control gets this manager
    // (and InitControl), then kind 0 appends it to the area list and kind 1 to
    // the control list. Any other kind appends it nowhere and leaves it to
    // the caller. Returns the control.
    MControl* AddControl(UINT kind, MControl* control);
    MControl* GetControl(UINT id);
    std::vector<MControl*>* GetControls();
    // Deletes a control of the control list; areas are not searched.
    void RemoveControl(MControl* control);
    void ClearAreaControls();
    void ClearControls();
    void ClearAllControls();
    // Called by a control that is being deleted: drops every reference the
    // manager keeps to it (focus, hover, timers).
    void ForgetControl(MControl* control);

    // --- Resources ---
    ImgResInfo* AddImgResInfo(const wchar_t* file, int frameCount);
    ImgResInfo* AddImgResInfo(UINT id, std::wstring type, int frameCount, int fromProgram);
    void ClearImgResInfo();
    // Makes the library's "ttf" resource id usable by GDI in this process.
    void AddGDITempFont(UINT id);
    // Loads a font file (or the library's "ttf" resource) and caches its first
    // family under name; null on failure.
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, const wchar_t* file);
    Gdiplus::FontFamily* AddTempFont(const wchar_t* name, UINT id);
    // The cached family of name, else the installed family of that name
    // (cached); null when neither exists.
    Gdiplus::FontFamily* FindTempFont(const wchar_t* name);
    void ClearTempFont();
    void SetScrollResID(UINT vertical, UINT horizontal);
    UINT GetScrollVID() const;
    UINT GetScrollHID() const;
    COLORREF GetDefaultEnabledColor() const;
    void SetDefaultEnabledColor(COLORREF colour);

    // --- Focus and tooltip ---
    // The old focus control loses the focus, the new one gains it.
    void SetFocusControl(MControl* control);
    MControl* GetFocusControl() const;
    MControl* GetHoverControl() const;
    // Shows text in the window's standard tooltip (made on first use); empty
    // text deactivates it. The rectangle is not used.
    void SetTooltip(const wchar_t* text, RECT rect);
    void ClearTooltip();
    int GetTooltipCtrlID() const;
    void SetTooltipCtrlID(int id);

    // --- Animation list ---
    // Controls whose OnTimer runs on every tick of the animation timer.
    int AddMTimer(MControl* control);
    int DeleteFSTimer(MControl* control); // 1 when it was listed

private:
    // A cached family and the private collection that holds its font data;
    // families of a private collection are only valid while it lives.
    struct FontEntry {
        std::unique_ptr<Gdiplus::PrivateFontCollection> collection;
        std::unique_ptr<Gdiplus::FontFamily> family;
    };
    Gdiplus::FontFamily* StoreFirstFamily(
        const wchar_t* name, std::unique_ptr<Gdiplus::PrivateFontCollection> collection);
    void DeleteList(std::vector<MControl*>& list, CriticalSection& lock);
    bool IsLiveWindow() const;

    MWindow* m_pOwner;
    int m_bInitialised;
    HWND m_hPaintWnd;
    HDC m_hPaintDC;
    int m_bLayered;
    UINT m_nScrollVID;
    UINT m_nScrollHID;
    COLORREF m_defaultEnabledColor;

    std::vector<MControl*> m_areas;
    std::vector<MControl*> m_controls;
    CriticalSection m_areaLock;
    CriticalSection m_controlLock;

    ImageCache m_images;
    CriticalSection m_fontLock;
    std::map<std::wstring, std::unique_ptr<FontEntry>> m_fonts;
    std::vector<std::unique_ptr<FontEntry>> m_replacedFonts; // may still be in use until ClearTempFont
    std::vector<HANDLE> m_gdiFonts;

    MControl* m_pHoverControl;
    MControl* m_pFocusControl;
    HWND m_hTooltip;
    int m_nTooltipCtrlID;

    std::vector<MControl*> m_animated;
    CriticalSection m_animationLock;
};

} // namespace Lumo
