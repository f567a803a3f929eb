#pragma once

#include "lumo/Export.h"
#include "lumo/MControlFont.h"
#include "lumo/Platform.h"

#include <string>

namespace Lumo {

// How a picture covers its rectangle with frame 0 of its image.
enum enumShowMode {
    SHOWMODE_ALIGNED = 0, // unscaled, placed by the alignments
    SHOWMODE_TILED = 1, // repeated from the top-left corner, cut at the edges
    SHOWMODE_STRETCHED = 2, // stretched over the whole control
    SHOWMODE_FRAME = 3, // nine-grid with one border for all sides
    SHOWMODE_FRAME_MID = 4, // nine-grid with four borders
    SHOWMODE_CUSTOM = 5, // a custom part of the image, stretched
};

// A skin picture. Unlike other controls it owns its image: it loads it
// itself (not through the paint manager's cache) and deletes it when it
// loads another and when it is destroyed.
class LUMO_API MPicture : public MControlFont {
public:
    MPicture(MObject* parent, UINT id, RECT rect, int visible, int enabled);
    ~MPicture() override;

    const wchar_t* GetClassNameW() const override; // "MPicture"
    int DrawControl(HDC& hdc, RECT clip) override;
    // From a resource of the program's module (Manager::SetInstance). The old
    // image is released first; repaints only when the new one loaded.
    int SetImage(UINT id, std::wstring type, int count) override;
    // The skin-folder file `name` with `count` frames side by side (below 1
    // counts as 1). The old image is released first; repaints when visible,
    // also when loading failed (the picture then shows nothing). Returns
    // whether it loaded.
    int SetImage(const wchar_t* name, int count) override;

    // 0 and nothing changes when the mode is already set (mode 3: with the
    // same border); else stores both, repaints when visible and returns 1.
    int SetShowMode(enumShowMode mode, int border);
    // Mode 4 with these borders; repaints when visible; returns 1.
    int SetShowModeMID(int left, int top, int right, int bottom);
    // The part of the image that mode 5 stretches; no repaint.
    void SetCustomRect(RECT rect);
    enumShowMode GetShowMode() const;

private:
    void TakeImage(Gdiplus::Image* image, int count);
    void Render(HDC cache, int width, int height);

    enumShowMode m_nShowMode;
    int m_nBorder;
    int m_nLeftBorder;
    int m_nTopBorder;
    int m_nRightBorder;
    int m_nBottomBorder;
    RECT m_rcCustom;
};

} // namespace Lumo
