// Drag and drop of the paint manager: the window as a drop target, and a
// drag-enabled control dragged out of it as a bitmap.
#include "lumo/PaintManager.h"

#include "framework/DragObjects.h"
#include "lumo/MControl.h"
#include "lumo/MRender.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace Lumo {

namespace {

// Hands a bitmap to the window; the bitmap it replaces is deleted.
void SendImage(HWND window, HBITMAP bitmap)
{
    if (bitmap == nullptr)
        return;
    auto* replaced = reinterpret_cast<HBITMAP>(
        ::SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (replaced != nullptr && replaced != bitmap)
        DeleteObject(replaced);
}

HBITMAP BitmapFromDib(HGLOBAL dib)
{
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(dib));
    if (info == nullptr)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1u << header.biBitCount;
    const BYTE* pixels = reinterpret_cast<const BYTE*>(info) + header.biSize + colours * sizeof(RGBQUAD)
        + (header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, pixels, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    return bitmap;
}

HBITMAP BitmapFromFile(const std::wstring& path)
{
    Gdiplus::Bitmap image(path.c_str());
    HBITMAP bitmap = nullptr;
    if (image.GetLastStatus() != Gdiplus::Ok || image.GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

HBITMAP BitmapFromMetafile(HENHMETAFILE metafile)
{
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(metafile, sizeof(header), &header) == 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    // The frame is in 0.01 mm; the screen's size in mm and pixels converts it.
    const int width = MulDiv(header.rclFrame.right - header.rclFrame.left, GetDeviceCaps(screen, HORZRES),
        GetDeviceCaps(screen, HORZSIZE) * 100);
    const int height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, GetDeviceCaps(screen, VERTRES),
        GetDeviceCaps(screen, VERTSIZE) * 100);
    HBITMAP bitmap = width > 0 && height > 0 ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap != nullptr) {
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        RECT area{0, 0, width, height};
        PlayEnhMetaFile(memory, metafile, &area);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace

int PaintManager::InitDragDrop()
{
    if (!IsLiveWindow())
        return 0;
    if (m_bDropTarget)
        return 1;
    if (FAILED(RegisterDragDrop(m_hPaintWnd, static_cast<IDropTarget*>(this))))
        return 0;
    m_bDropTarget = 1;
    if (m_formats.empty()) {
        AddSuportedFormat(FORMATETC{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI});
        AddSuportedFormat(FORMATETC{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        AddSuportedFormat(FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        AddSuportedFormat(FORMATETC{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF});
    }
    SetTargetWnd(m_hPaintWnd);
    return 1;
}

bool PaintManager::OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD*)
{
    if (format == nullptr || !IsLiveWindow())
        return true;
    // The press that started a drag over this window ends here.
    POINT cursor{};
    GetCursorPos(&cursor);
    ::ScreenToClient(m_hPaintWnd, &cursor);
    ::SendMessageW(m_hPaintWnd, WM_LBUTTONUP, 0, MAKELPARAM(cursor.x, cursor.y));
    switch (format->cfFormat) {
    case CF_DIB:
        SendImage(m_hPaintWnd, BitmapFromDib(medium.hGlobal));
        return true;
    case CF_BITMAP:
        // The receiver keeps this very bitmap: the medium must not be released.
        SendImage(m_hPaintWnd, medium.hBitmap);
        return false;
    case CF_HDROP: {
        auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        if (length > 0) {
            std::wstring path(length + 1, L'\0');
            DragQueryFileW(drop, 0, &path[0], length + 1);
            path.resize(length);
            SendImage(m_hPaintWnd, BitmapFromFile(path));
        }
        return true;
    }
    case CF_ENHMETAFILE:
        SendImage(m_hPaintWnd, BitmapFromMetafile(medium.hEnhMetaFile));
        return true;
    default:
        return true;
    }
}

HBITMAP PaintManager::GetDropBitmap(MControl* control, const RECT& rect, DWORD)
{
    int width = 0, height = 0;
    GetClientSize(width, height);
    const int cutWidth = rect.right - rect.left, cutHeight = rect.bottom - rect.top;
    if (control == nullptr || width <= 0 || height <= 0 || cutWidth <= 0 || cutHeight <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC whole = CreateCompatibleDC(screen);
    HDC cut = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BYTE* bits = nullptr;
    HBITMAP canvas = MRender::CreateARGB32Bitmap(whole, width, height, &bits);
    HBITMAP result = MRender::CreateARGB32Bitmap(cut, cutWidth, cutHeight, &bits);
    if (canvas != nullptr && result != nullptr) {
        HGDIOBJ previousWhole = SelectObject(whole, canvas);
        HGDIOBJ previousCut = SelectObject(cut, result);
        HDC target = whole;
        control->Draw(target, RECT{0, 0, width, height});
        ::BitBlt(cut, 0, 0, cutWidth, cutHeight, whole, rect.left, rect.top, SRCCOPY);
        SelectObject(cut, previousCut);
        SelectObject(whole, previousWhole);
    } else if (result != nullptr) {
        DeleteObject(result);
        result = nullptr;
    }
    if (canvas != nullptr)
        DeleteObject(canvas);
    DeleteDC(whole);
    DeleteDC(cut);
    return result;
}

void PaintManager::StartDrag()
{
    if (!IsLiveWindow())
        return;
    RECT window{};
    ::GetWindowRect(m_hPaintWnd, &window);
    ClipCursor(&window);
    ::ReleaseCapture();
    m_bCaptured = 0;
    auto* data = new Drag::DataObject;
    auto* source = new Drag::DropSource;
    if (m_hDragBitmap != nullptr) {
        data->AddBitmap(static_cast<HBITMAP>(CopyImage(m_hDragBitmap, IMAGE_BITMAP, 0, 0, 0)));
        data->AddEnhMetaFile(Drag::MetafileFromBitmap(m_hDragBitmap));
        IDragSourceHelper* helper = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                reinterpret_cast<void**>(&helper)))) {
            BITMAP info{};
            GetObjectW(m_hDragBitmap, sizeof(info), &info);
            SHDRAGIMAGE image{};
            image.sizeDragImage = SIZE{info.bmWidth, info.bmHeight};
            image.ptOffset = POINT{info.bmWidth / 2, info.bmHeight / 2};
            image.hbmpDragImage = static_cast<HBITMAP>(CopyImage(m_hDragBitmap, IMAGE_BITMAP, 0, 0, 0));
            image.crColorKey = GetSysColor(COLOR_WINDOW);
            // On success the helper owns the image bitmap.
            if (FAILED(helper->InitializeFromBitmap(&image, data)) && image.hbmpDragImage != nullptr)
                DeleteObject(image.hbmpDragImage);
            helper->Release();
        }
    }
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    data->Release();
    source->Release();
    m_bDragPending = 0;
    m_bPressed = 0;
    ClipCursor(nullptr);
}

} // namespace Lumo
