#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <map>
#include <string>

namespace Lumo {

class PaintManager;

// A soft drop shadow for a borderless window: a layered, click-through popup
// ("ShadowWnd") right below its parent in the Z order, slightly larger than
// the parent. It shows either a blurred, offset silhouette of the parent's
// shape in a colour, or a skin image stretched as a nine-part frame. The
// shadow follows the parent by subclassing the parent's window procedure.
class LUMO_API MShadow {
public:
    MShadow();
    virtual ~MShadow(); // also undoes the subclassing of a parent that still lives
    MShadow(const MShadow&) = delete;
    MShadow& operator=(const MShadow&) = delete;

    // Registers the "ShadowWnd" class unless done before (force: again).
    static int Initialize(HINSTANCE instance, bool force);
    // Makes the shadow window for the owner's paint window; nothing while the
    // show flag is 0 or when the shadow was made already.
    void Create(PaintManager* owner);

    void ShowShadow(int show);
    int IsShowShadow() const;
    // While disabled, the parent's messages pass without any shadow work.
    void DisableShadow(int disable);
    int IsDisableShadow() const;

    // Setters return 0 and change nothing for a value out of range; otherwise
    // they store it, redraw a shown shadow and return 1.
    int SetSize(int size); // -35..35
    int SetSharpness(UINT sharpness); // 0..35
    int SetDarkness(UINT darkness); // 0..255
    int SetPosition(int x, int y); // each -35..35
    int SetColor(DWORD colour);
    int SetShadowCorner(int left, int top, int right, int bottom); // none negative
    // Image mode: the skin-folder file (0 for a null name) or the program's
    // "PNG" resource; 1 once set.
    int SetImage(const wchar_t* file);
    int SetImage(UINT id);
    // Copies these settings into `other` through its setters.
    int CopyShadow(MShadow* other);

    // Redraws the shadow for the parent's current size and position.
    void Update(HWND parent);
    // Computes the silhouette shadow of `parent` into `pixels`, a bottom-up
    // 32-bit bitmap of (parent width + 2 × size) × (parent height + 2 × size)
    // premultiplied pixels, as the shadow window shows it.
    void MakeShadow(UINT32* pixels, HWND parent, RECT* parentRect);

    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    static std::map<HWND, MShadow*>& GetShadowMap();
    // The shadow window, null before Create and after the parent is gone.
    HWND GetShadowWnd() const;

    static int s_bHasInit;

private:
    enum Status : BYTE { kEnabled = 1, kShown = 2, kParentVisible = 4 };
    HWND ParentWnd() const;
    void Move(HWND parent);
    void StatusFromParent(HWND parent);
    void Push(HDC memory, int width, int height, POINT position);
    bool IsShown() const;

    PaintManager* m_pOwner;
    HWND m_hWnd;
    WNDPROC m_OldParentProc;
    BYTE m_Status;
    int m_bImageMode;
    int m_bShow;
    int m_bDisabled;
    Gdiplus::Image* m_pImage;
    int m_nImageWidth;
    int m_nImageHeight;
    BYTE m_nDarkness;
    BYTE m_nSharpness;
    signed char m_nSize;
    signed char m_nxOffset;
    signed char m_nyOffset;
    WORD m_nLastWidth;
    WORD m_nLastHeight;
    int m_bUpdate;
    DWORD m_Color;
    std::wstring m_strImage;
    UINT m_nImageId;
    RECT m_rcCorner;
};

} // namespace Lumo
