// MRender draws into real 32-bit DIBs; the tests read the rendered pixels back.
#include "ToolkitTestSupport.h"
#include "controls/DrawMath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using Lumo::MRender;
using ToolkitTest::DibCanvas;

constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;
constexpr DWORD kGrey = 0xFF808080, kCyan = 0xFF00FFFF, kWhite = 0xFFFFFFFF;

// A 24 × 24 image of 8 × 8 blocks: four coloured corners, cyan edges, grey centre.
DWORD FrameSource(int x, int y)
{
    const int bx = x / 8, by = y / 8;
    if (bx == 0 && by == 0)
        return kRed;
    if (bx == 2 && by == 0)
        return kGreen;
    if (bx == 0 && by == 2)
        return kBlue;
    if (bx == 2 && by == 2)
        return kYellow;
    return bx == 1 && by == 1 ? kGrey : kCyan;
}

std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int width, int height, DWORD (*colour)(int, int))
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->SetPixel(x, y, Gdiplus::Color(colour(x, y)));
    return bitmap;
}

TEST(MRender, NineGridKeepsCornersSharp)
{
    auto source = MakeBitmap(24, 24, FrameSource);
    DibCanvas canvas(100, 30);
    canvas.Fill(0);
    {
        Gdiplus::Graphics graphics(canvas.Dc());
        MRender::DrawImageFrame(graphics, source.get(), RECT{0, 0, 100, 30}, 0, 0, 24, 24, 8);
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(canvas.Pixel(x, y), kRed) << x << "," << y;
            ASSERT_EQ(canvas.Pixel(92 + x, y), kGreen) << x << "," << y;
            ASSERT_EQ(canvas.Pixel(x, 22 + y), kBlue) << x << "," << y;
            ASSERT_EQ(canvas.Pixel(92 + x, 22 + y), kYellow) << x << "," << y;
        }
    }
    // The middle parts are stretched from their own source blocks.
    EXPECT_EQ(canvas.Pixel(50, 15), kGrey);
    EXPECT_EQ(canvas.Pixel(50, 3), kCyan);
    EXPECT_EQ(canvas.Pixel(3, 15), kCyan);
}

TEST(MRender, NineGridWithSeparateBorders)
{
    auto source = MakeBitmap(24, 24, FrameSource);
    DibCanvas canvas(60, 60);
    canvas.Fill(0);
    {
        Gdiplus::Graphics graphics(canvas.Dc());
        MRender::DrawImageFrameMID(graphics, source.get(), RECT{10, 10, 50, 50}, 0, 0, 24, 24, 8, 8, 8, 8);
    }
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas.Pixel(49, 49), kYellow);
    EXPECT_EQ(canvas.Pixel(9, 9), 0u); // nothing outside the destination
    EXPECT_EQ(canvas.Pixel(50, 50), 0u);
}

// White blended onto black with a constant alpha leaves that alpha as the grey level.
struct TransitionCase {
    bool vertical;
    int start, end;
};

class Transition : public testing::TestWithParam<TransitionCase> { };

TEST_P(Transition, BlendsEachLineWithItsAlpha)
{
    const TransitionCase& c = GetParam();
    DibCanvas src(40, 40), dst(40, 40);
    src.Fill(kWhite);
    dst.Fill(0xFF000000);
    const RECT rect{0, 0, 40, 40};
    const int last = c.vertical ? MRender::DrawVerticalTransition(dst.Dc(), src.Dc(), rect, rect, c.start, c.end)
                                : MRender::DrawHorizontalTransition(dst.Dc(), src.Dc(), rect, rect, c.start, c.end);
    EXPECT_EQ(last, Lumo::Draw::TransitionAlpha(c.start, c.end, 40, 39));
    for (int i = 0; i < 40; ++i) {
        const int expected = Lumo::Draw::TransitionAlpha(c.start, c.end, 40, i);
        const DWORD pixel = c.vertical ? dst.Pixel(20, i) : dst.Pixel(i, 20);
        EXPECT_NEAR(ToolkitTest::RedOf(pixel), expected, 1) << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Transition,
    testing::Values(TransitionCase{true, 80, 80}, TransitionCase{true, 0, 100}, TransitionCase{false, 100, 0},
        TransitionCase{false, 20, 60}));

TEST(MRender, EqualTransparenciesGiveAlpha51AndOpaqueStartsAt255)
{
    DibCanvas src(10, 10), dst(10, 10);
    src.Fill(kWhite);
    dst.Fill(0xFF000000);
    const RECT rect{0, 0, 10, 10};
    EXPECT_EQ(MRender::DrawVerticalTransition(dst.Dc(), src.Dc(), rect, rect, 80, 80), 51);
    EXPECT_NEAR(ToolkitTest::RedOf(dst.Pixel(5, 0)), 51, 1);
    EXPECT_NEAR(ToolkitTest::RedOf(dst.Pixel(5, 9)), 51, 1);
    dst.Fill(0xFF000000);
    MRender::DrawVerticalTransition(dst.Dc(), src.Dc(), rect, rect, 0, 100);
    EXPECT_EQ(ToolkitTest::RedOf(dst.Pixel(5, 0)), 255);
    EXPECT_LT(ToolkitTest::RedOf(dst.Pixel(5, 9)), ToolkitTest::RedOf(dst.Pixel(5, 5)));
    const RECT empty{0, 0, 10, 0};
    EXPECT_EQ(MRender::DrawVerticalTransition(dst.Dc(), src.Dc(), empty, empty, 0, 100), 255);
}

TEST(MRender, RightBottomFadeIsRadialInTheCorner)
{
    DibCanvas src(30, 30), dst(30, 30);
    src.Fill(kWhite);
    dst.Fill(0xFF000000);
    EXPECT_EQ(MRender::DrawRightBottomTransition(dst.Dc(), src.Dc(), RECT{0, 0, 30, 30}, 10, 0), 10);
    EXPECT_EQ(ToolkitTest::RedOf(dst.Pixel(20, 20)), 255); // the square's origin
    EXPECT_NEAR(ToolkitTest::RedOf(dst.Pixel(23, 24)), Lumo::Draw::CornerFadeAlpha(10, 3, 4), 1);
    EXPECT_EQ(ToolkitTest::RedOf(dst.Pixel(29, 29)), 0); // farther than n
    EXPECT_EQ(ToolkitTest::RedOf(dst.Pixel(19, 19)), 0); // outside the square
}

TEST(MRender, GeometryHelpers)
{
    const POINT inBox = MRender::GetOriginPoint(100, 50, 40, 10, 1, 8);
    EXPECT_EQ(inBox.x, 30);
    EXPECT_EQ(inBox.y, 40);
    const POINT inRect = MRender::GetOriginPoint(RECT{10, 20, 110, 70}, 40, 10, 1, 8);
    EXPECT_EQ(inRect.x, 40);
    EXPECT_EQ(inRect.y, 62);
    const RECT fitted = MRender::GetImageRect(200, 100, RECT{0, 0, 100, 100});
    EXPECT_TRUE(ToolkitTest::SameRect(fitted, RECT{0, 25, 100, 75}));
    const RECT small = MRender::GetImageRect(20, 10, RECT{0, 0, 100, 100});
    EXPECT_TRUE(ToolkitTest::SameRect(small, RECT{40, 45, 60, 55}));
}

TEST(MRender, CheckAlphaColorOnlyLiftsPureBlack)
{
    const struct {
        DWORD in, out;
    } cases[]
        = {{0xFF000000, 0xFF000001}, {0x00000000, 0x00000001}, {0x80010000, 0x80010000}, {0xFF0000FF, 0xFF0000FF}};
    for (const auto& c : cases) {
        DWORD colour = c.in;
        MRender::CheckAlphaColor(colour);
        EXPECT_EQ(colour, c.out) << std::hex << c.in;
    }
}

TEST(MRender, FillsAndGradients)
{
    DibCanvas canvas(20, 60);
    canvas.Fill(0xFF000000);
    MRender::FillSolidRect(canvas.Dc(), 0, 0, 5, 5, RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(4, 4) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(canvas.Pixel(5, 5) & 0xFFFFFF, 0u);

    MRender::DrawColor(canvas.Dc(), RECT{10, 0, 20, 10}, 0x00FF0000); // alpha 0: nothing
    EXPECT_EQ(canvas.Pixel(15, 5) & 0xFFFFFF, 0u);
    MRender::DrawColor(canvas.Dc(), RECT{10, 0, 20, 10}, 0xFF00FF00);
    EXPECT_EQ(canvas.Pixel(15, 5) & 0xFFFFFF, 0x00FF00u);

    MRender::DrawGradient(canvas.Dc(), RECT{0, 10, 20, 60}, 0xFFFF0000, 0xFF0000FF, true, 0);
    EXPECT_GT(ToolkitTest::RedOf(canvas.Pixel(10, 10)), 240);
    EXPECT_GT(ToolkitTest::BlueOf(canvas.Pixel(10, 59)), 240);
    EXPECT_LT(ToolkitTest::RedOf(canvas.Pixel(10, 59)), 15);

    // Half the opacity of both colours: blended onto black at about half strength.
    canvas.Fill(0xFF000000);
    MRender::DrawGradient(canvas.Dc(), RECT{0, 0, 20, 60}, 0x80FF0000, 0x80FF0000, false, 0);
    EXPECT_NEAR(ToolkitTest::RedOf(canvas.Pixel(10, 30)), 128, 2);
    canvas.Fill(0xFF000000);
    MRender::DrawGradient(canvas.Dc(), RECT{0, 0, 20, 60}, 0x00FF0000, 0x00FF0000, false, 0);
    EXPECT_EQ(ToolkitTest::RedOf(canvas.Pixel(10, 30)), 0);
}

TEST(MRender, SavedBitmapReadsBackAsAValidBmp)
{
    DibCanvas canvas(13, 7); // odd width: rows need padding
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            MRender::FillSolidRect(canvas.Dc(), x, y, 1, 1, RGB(x * 10, y * 30, 200));
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"lumo-save-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
    ASSERT_EQ(MRender::SaveBitmapToFile(canvas.Bitmap(), path), 1);

    const std::vector<unsigned char> bytes = ToolkitTest::ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 54u);
    auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24; };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(2), bytes.size());
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 13u);
    EXPECT_EQ(u32(22), 7u);
    const int bitCount = bytes[28] | bytes[29] << 8;
    EXPECT_EQ(bitCount, 24); // displays above 8 bits per pixel
    EXPECT_EQ(bytes.size(), 54u + 7u * ((13u * 3u + 3u) / 4u * 4u));
    {
        Gdiplus::Bitmap loaded(path.c_str());
        ASSERT_EQ(loaded.GetLastStatus(), Gdiplus::Ok);
        Gdiplus::Color colour;
        loaded.GetPixel(12, 6, &colour);
        EXPECT_EQ(colour.GetRed(), 120);
        EXPECT_EQ(colour.GetGreen(), 180);
        EXPECT_EQ(colour.GetBlue(), 200);
    }
    DeleteFileW(path.c_str());

    EXPECT_EQ(MRender::SaveBitmapToFile(nullptr, path), 0);
    EXPECT_EQ(MRender::SaveBitmapToFile(canvas.Bitmap(), L"Z:\\no\\such\\folder\\x.bmp"), 0);
}

TEST(MRender, LoadsImagesFromFilesAndResources)
{
    ToolkitTest::TempSkinFolder skins;
    skins.AddPng(L"strip.png", 40, 10, [](int x, int) { return x < 20 ? kRed : kBlue; });
    const std::wstring path = skins.FullPath(L"strip.png");

    std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(path));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 40u);
    image.reset();

    std::unique_ptr<Gdiplus::Image> thumbnail(MRender::LoadImageFromFileEx(path, 20, 5));
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->GetWidth(), 20u);
    EXPECT_EQ(thumbnail->GetHeight(), 5u);
    std::unique_ptr<Gdiplus::Image> ownSize(MRender::LoadImageFromFileEx(path, 0, 0));
    ASSERT_NE(ownSize, nullptr);
    EXPECT_EQ(ownSize->GetWidth(), 40u);

    EXPECT_EQ(MRender::LoadImageFromFile(skins.FullPath(L"missing.png")), nullptr);
    EXPECT_EQ(MRender::LoadImageFromFileEx(skins.FullPath(L"missing.png"), 0, 0), nullptr);

    HMODULE library = GetModuleHandleW(L"Lumo.dll");
    std::unique_ptr<Gdiplus::Image> scroll(MRender::LoadImageFromIDResource(101, L"PNG", library));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->GetWidth(), 22u);
    EXPECT_EQ(scroll->GetHeight(), 20u);
    EXPECT_EQ(MRender::LoadImageFromIDResource(999, L"PNG", library), nullptr);
}

TEST(MRender, TextBoundsFollowTheFontLineHeight)
{
    Gdiplus::FontFamily family(L"Arial");
    ASSERT_EQ(family.GetLastStatus(), Gdiplus::Ok);
    Gdiplus::Font font(&family, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    const Gdiplus::Size shortText = MRender::GetTextBounds(font, L"Temp");
    const Gdiplus::Size longText = MRender::GetTextBounds(font, L"Temperature");
    EXPECT_GT(shortText.Width, 10);
    EXPECT_GT(longText.Width, shortText.Width);
    const float lineHeight
        = 14.0f * family.GetLineSpacing(Gdiplus::FontStyleRegular) / family.GetEmHeight(Gdiplus::FontStyleRegular);
    EXPECT_EQ(shortText.Height, Lumo::Draw::TextBoxHeight(lineHeight));

    Gdiplus::StringFormat wrapping;
    const Gdiplus::Size wrapped = MRender::GetTextBounds(font, wrapping, 60, L"one two three four five six");
    EXPECT_LE(wrapped.Width, 60);
    EXPECT_GT(wrapped.Height, shortText.Height); // several lines
}

// A 16 × 16 32-bit icon file, written byte by byte.
std::vector<BYTE> IconFileBytes()
{
    std::vector<BYTE> bytes;
    auto put16 = [&](unsigned v) {
        bytes.push_back(static_cast<BYTE>(v));
        bytes.push_back(static_cast<BYTE>(v >> 8));
    };
    auto put32 = [&](unsigned v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const unsigned imageBytes = 40 + 16 * 16 * 4 + 16 * 4;
    put16(0); // icon directory
    put16(1);
    put16(1);
    bytes.push_back(16); // entry: 16 x 16, no palette
    bytes.push_back(16);
    bytes.push_back(0);
    bytes.push_back(0);
    put16(1);
    put16(32);
    put32(imageBytes);
    put32(6 + 16);
    put32(40); // BITMAPINFOHEADER, height doubled for the mask
    put32(16);
    put32(32);
    put16(1);
    put16(32);
    for (int i = 0; i < 6; ++i)
        put32(0);
    for (int i = 0; i < 16 * 16; ++i)
        put32(0xFF2080C0);
    for (int i = 0; i < 16 * 4; ++i)
        bytes.push_back(0);
    return bytes;
}

TEST(MRender, IconOfAFileComesFromTheShell)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"lumo-icon-" + std::to_wstring(GetCurrentProcessId()) + L".ico";
    const std::vector<BYTE> bytes = IconFileBytes();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);

    HICON icon = MRender::LoadIconFromFile(path);
    EXPECT_NE(icon, nullptr);
    ICONINFO info{};
    if (icon != nullptr && GetIconInfo(icon, &info)) {
        EXPECT_TRUE(info.fIcon);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    if (icon != nullptr)
        DestroyIcon(icon);
    DeleteFileW(path.c_str());
}

} // namespace
