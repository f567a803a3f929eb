#pragma once

#include "lumo/lumo.h"

// What a dialog's OnPaint does for one frame, short of pushing it to the
// window and sleeping the frame cap: a fresh 32-bit DIB painted whole.
inline void PaintOneFrame(Lumo::MDialog& dialog, int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BYTE* bits = nullptr;
    HBITMAP bitmap = Lumo::MRender::CreateARGB32Bitmap(memory, width, height, &bits);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    dialog.GetPaintManager()->PaintFrame(memory, bits, width, height, RECT{0, 0, width, height});
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}
