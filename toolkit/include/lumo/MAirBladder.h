#pragma once

#include "lumo/Export.h"
#include "lumo/MWindow.h"
#include "lumo/Platform.h"
#include "lumo/Types.h"

#include <memory>
#include <string>

namespace Lumo {

// A speech bubble: a small borderless layered popup showing a short,
// possibly multi-line text in white on a skinned background next to a screen
// point. It sizes itself to the text, sits on one side of the point, and
// hides after 5 seconds (except mode 4) or when it loses the focus (except
// mode 5).
class LUMO_API MAirBladder : public MWindow {
public:
    MAirBladder();
    ~MAirBladder() override;

    // Virtual operations after MWindow's, in slot order.
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    int PreTranslateMessage(MSG* msg) override;
    int OnInitDialog() override;
    virtual LRESULT OnUserCloseWindow(WPARAM code, LPARAM lparam);
    virtual void CloseWindow();
    virtual int OnCreate(CREATESTRUCTW* create);
    virtual int OnSize(UINT type, int width, int height);
    virtual int OnMouseMove(UINT keys, POINT point);
    virtual int OnMouseLeave(WPARAM wparam, LPARAM lparam);
    virtual int OnMouseHover(WPARAM wparam, LPARAM lparam);
    virtual int OnMouseWheel(UINT keys, short delta, POINT point);
    virtual int OnLButtonDown(UINT keys, POINT point);
    virtual int OnLButtonUp(UINT keys, POINT point);
    virtual int OnLButtonDblClk(UINT keys, POINT point);
    virtual int OnRButtonDown(UINT keys, POINT point);
    virtual int OnRButtonUp(UINT keys, POINT point);
    virtual int OnRButtonDblClk(UINT keys, POINT point);
    virtual int OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual int OnNcHitTest(POINT point);
    virtual int OnGetMinMaxInfo(MINMAXINFO* info);
    virtual int OnNcCalcSize(int calcValidRects, NCCALCSIZE_PARAMS* params);
    virtual int OnNcActivate(int active);
    virtual int OnSetFocus(MWindow* previous);
    virtual int OnKillFocus(MWindow* next);
    virtual int OnWindowPosChanging(WINDOWPOS* position);
    virtual int OnWindowPosChanged(WINDOWPOS* position);
    virtual int OnPaint();
    virtual void OnTimer(UINT id);
    virtual int OnNcPaint();
    virtual int OnClose();
    virtual int PostNcDestroy();
    virtual int OnDestroy();

    // Skin images from the skin folder or the program's resources; 1 on success.
    int LoadBKImage(std::wstring file);
    int LoadArrowLImage(std::wstring file);
    int LoadArrowRImage(std::wstring file);
    int LoadArrowTImage(std::wstring file);
    int LoadBKImage(UINT id, std::wstring type);
    int LoadArrowLImage(UINT id, std::wstring type);
    int LoadArrowRImage(UINT id, std::wstring type);
    int LoadArrowTImage(UINT id, std::wstring type);
    void SetBackMode(enumBackMode mode, int parameter);

    // Shows `text` pointing at `anchor` (screen coordinates): fits, places
    // and paints the window; the caller shows it. An identical repeated call
    // changes nothing. 0 for a null text.
    int SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);
    int GetLineCount() const;

protected:
    void SetupRegion(int corner);
    void AutoFit();
    void LoadTempFont();

private:
    struct Picture {
        std::unique_ptr<Gdiplus::Image> image;
        int width = 0;
        int height = 0;
        int Load(Gdiplus::Image* loaded);
    };
    Gdiplus::FontFamily* TextFamily();

    std::wstring m_strText;
    int m_nAnchorX;
    int m_nAnchorY;
    AIRBLADDER_TYPE m_nType;
    AIRBLADDER_MODE m_nMode;
    std::unique_ptr<Gdiplus::PrivateFontCollection> m_pFontCollection; // holds the family's font data
    std::unique_ptr<Gdiplus::FontFamily> m_pFontFamily;
    std::unique_ptr<Gdiplus::StringFormat> m_pStringFormat;
    Picture m_background;
    Picture m_arrowTop;
    Picture m_arrowLeft;
    Picture m_arrowRight;
    enumBackMode m_nBackMode;
    int m_nBackParameter;
    int m_nLines;
};

} // namespace Lumo
