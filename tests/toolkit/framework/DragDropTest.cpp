// Drag and drop: a control's image, drops of the accepted formats, and a
// whole drag of a control onto its own window through OLE.
#include "DialogFixtures.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

#include <vector>

namespace {

using FrameworkTest::PumpUntil;
using FrameworkTest::TestControl;
using FrameworkTest::TestDialog;

constexpr int kLeft = 250, kTop = 180;

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

DWORD BitmapPixel(HBITMAP bitmap, int x, int y)
{
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight; // top-down
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels[static_cast<size_t>(y) * info.bmWidth + x];
}

class DragDropTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(dialog.Open(kLeft, kTop, 200, 120), nullptr);
        dialog.ShowWindow(SW_SHOWNOACTIVATE);
        manager = dialog.GetPaintManager();
        control = static_cast<TestControl*>(manager->AddControl(1, new TestControl(&dialog, 5, RECT{10, 10, 40, 30})));
        control->fill = 0xFFFF0000;
        dialog.onMessage = [&](UINT msg, WPARAM, LPARAM lparam) {
            if (msg == STM_SETIMAGE)
                images.push_back(reinterpret_cast<HBITMAP>(lparam));
            if (msg == WM_LBUTTONUP)
                ++releases;
        };
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        for (HBITMAP image : images)
            DeleteObject(image);
    }

    TestDialog dialog;
    Lumo::PaintManager* manager = nullptr;
    TestControl* control = nullptr;
    std::vector<HBITMAP> images;
    int releases = 0;
};

TEST_F(DragDropTest, DropBitmapIsTheControlAlone)
{
    HBITMAP image = manager->GetDropBitmap(control, control->GetRect(), 0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(BitmapSize(image).cx, 30);
    EXPECT_EQ(BitmapSize(image).cy, 20);
    EXPECT_EQ(BitmapPixel(image, 0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(BitmapPixel(image, 29, 19) & 0xFFFFFF, 0xFF0000u);
    DeleteObject(image);
    EXPECT_EQ(manager->GetDropBitmap(nullptr, control->GetRect(), 0), nullptr);
}

TEST_F(DragDropTest, DroppedBitmapsReachTheWindow)
{
    HDC screen = GetDC(nullptr);
    HBITMAP dropped = CreateCompatibleBitmap(screen, 7, 5);
    ReleaseDC(nullptr, screen);
    FORMATETC format{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM medium{};
    medium.tymed = TYMED_GDI;
    medium.hBitmap = dropped;
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_FALSE(manager->OnDrop(&format, medium, &effect)); // the window keeps the very bitmap
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0], dropped);
    EXPECT_EQ(releases, 1); // the press that started the drag ends

    // A device-independent bitmap becomes a new bitmap of its size.
    const int width = 3, height = 2;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + width * height * 4);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    auto* pixels = reinterpret_cast<DWORD*>(header + 1);
    for (int i = 0; i < width * height; ++i)
        pixels[i] = 0x0000FF00;
    GlobalUnlock(dib);
    FORMATETC dibFormat{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM dibMedium{};
    dibMedium.tymed = TYMED_HGLOBAL;
    dibMedium.hGlobal = dib;
    EXPECT_TRUE(manager->OnDrop(&dibFormat, dibMedium, &effect));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(BitmapSize(images[1]).cx, 3);
    EXPECT_EQ(BitmapPixel(images[1], 1, 1) & 0xFFFFFF, 0x00FF00u);
    GlobalFree(dib);
}

TEST_F(DragDropTest, DroppedFilesAndMetafilesBecomeBitmaps)
{
    ToolkitTest::TempSkinFolder skins;
    skins.AddPng(L"dropped.png", 9, 4, [](int, int) { return 0xFF0000FF; });
    const std::wstring path = skins.FullPath(L"dropped.png");
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL files = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(files));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(files);
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = files;
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_TRUE(manager->OnDrop(&format, medium, &effect));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(BitmapSize(images[0]).cx, 9);
    EXPECT_EQ(BitmapPixel(images[0], 4, 2) & 0xFFFFFF, 0x0000FFu);
    GlobalFree(files);

    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 50, 40);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    FORMATETC emfFormat{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
    STGMEDIUM emfMedium{};
    emfMedium.tymed = TYMED_ENHMF;
    emfMedium.hEnhMetaFile = metafile;
    EXPECT_TRUE(manager->OnDrop(&emfFormat, emfMedium, &effect));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_NEAR(BitmapSize(images[1]).cx, 51, 2); // the picture's frame at the screen's resolution
    DeleteEnhMetaFile(metafile);
}

TEST_F(DragDropTest, DraggingAControlDropsItsImageWhereTheMouseIs)
{
    control->SetDragDrop(1);
    control->dragImage = true;
    // Over the window's empty part: the drop lands on the window itself.
    SetCursorPos(kLeft + 150, kTop + 90);
    dialog.SendMessageW(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_EQ(manager->GetHoverControl(), control);
    dialog.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    // A small move with the button down starts the drag; without a real
    // button held, OLE drops at once at the cursor.
    dialog.SendMessageW(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(21, 21));
    PumpUntil([&] { return !images.empty(); }, 2000);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(BitmapSize(images[0]).cx, 30);
    EXPECT_EQ(BitmapSize(images[0]).cy, 20);
    EXPECT_EQ(BitmapPixel(images[0], 15, 10) & 0xFFFFFF, 0xFF0000u);
    RECT clip{};
    GetClipCursor(&clip);
    EXPECT_GT(clip.right - clip.left, 200); // released again
}

} // namespace
