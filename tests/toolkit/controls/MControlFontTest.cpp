// Text attributes: defaults, the report rules and the image and font lookups.
#include "ToolkitTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ToolkitTest::RecordingParent;

class Label : public Lumo::MControlFont {
public:
    Label(Lumo::MObject* parent, const wchar_t* title)
        : MControlFont(parent, 7, RECT{0, 0, 100, 20}, title, 1, 1, 1)
    {
    }
    int DrawControl(HDC&, RECT) override { return 1; }
};

TEST(MControlFont, Defaults)
{
    Label label(nullptr, L"Hello");
    EXPECT_EQ(label.GetTitle(), L"Hello");
    EXPECT_EQ(label.GetTextColor().GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(label.GetFontStyle(), 0);
    UINT h = 99, v = 99;
    label.GetAlignment(h, v);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(v, 4u);
    EXPECT_EQ(label.GetTextRenderingHint(), Gdiplus::TextRenderingHintClearTypeGridFit);
    EXPECT_EQ(label.GetImageCount(), 4);
    EXPECT_EQ(label.GetImage(), nullptr);
    EXPECT_EQ(label.GetTextFont(), Lumo::Manager::GetFontName());
    EXPECT_EQ(label.GetFontWidth(), Lumo::Manager::GetFontWidth());
    EXPECT_TRUE(label.GetImagePath().empty());
    Label untitled(nullptr, nullptr);
    EXPECT_TRUE(untitled.GetTitle().empty());
}

TEST(MControlFont, AlignmentReportsOnlyChangesButTitleReportsAlways)
{
    RecordingParent parent;
    Label label(&parent, L"Same");
    label.SetAlignment(1);
    label.SetAlignment(1);
    EXPECT_EQ(parent.updates.size(), 1u);
    label.SetAlignment(1, 4); // both unchanged
    label.SetVAlignment(4);
    EXPECT_EQ(parent.updates.size(), 1u);
    label.SetAlignment(2, 8);
    EXPECT_EQ(parent.updates.size(), 2u);

    label.SetTitle(L"Same");
    label.SetTitle(L"Same");
    ASSERT_EQ(parent.updates.size(), 4u);
    EXPECT_EQ(parent.updates.back().rebuild, 1);

    // Colour, font and hint changes never report.
    label.SetTextColor(Gdiplus::Color(255, 1, 2, 3));
    label.SetFont(L"Arial", 20, Gdiplus::FontStyleBold);
    label.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    EXPECT_EQ(parent.updates.size(), 4u);
    EXPECT_EQ(label.GetTextColor().GetValue(), 0xFF010203u);

    label.SetVisible(0);
    const size_t reports = parent.updates.size();
    label.SetTitle(L"Hidden");
    label.SetAlignment(0);
    EXPECT_EQ(parent.updates.size(), reports);
}

TEST(MControlFont, SkinImagesComeFromThePaintManagerCache)
{
    ToolkitTest::TempSkinFolder skins;
    const std::wstring name = skins.AddPng(L"img_button.png", 80, 30, [](int, int) { return 0xFF204060; });
    Lumo::PaintManager manager;
    RecordingParent parent;
    Label label(&parent, L"");
    EXPECT_EQ(label.SetImage(name.c_str(), 4), 0); // no paint manager yet
    label.SetManager(&manager);

    ASSERT_EQ(label.SetImage(name.c_str(), 4), 1);
    EXPECT_EQ(label.GetImage(), manager.AddImgResInfo(name.c_str(), 4)->m_image);
    EXPECT_EQ(label.GetImageSize().cx, 20);
    EXPECT_EQ(label.GetImageSize().cy, 30);
    ASSERT_EQ(parent.updates.size(), 1u);
    EXPECT_EQ(parent.updates[0].rebuild, 1);

    Gdiplus::Image* kept = label.GetImage();
    EXPECT_EQ(label.SetImage(skins.Name(L"missing.png").c_str(), 1), 0);
    EXPECT_EQ(label.GetImage(), kept);
    EXPECT_EQ(label.GetImageCount(), 4);
    EXPECT_EQ(parent.updates.size(), 1u);

    EXPECT_EQ(label.SetImage(201, L"PNG", 2), 1); // the program's own resource
    EXPECT_EQ(label.GetImageSize().cx, 4);
    EXPECT_EQ(label.SetImage(999, L"PNG", 1), 0);
}

TEST(MControlFont, GdiFontUsesTheToolkitFaceAndKeepsItUntilCleared)
{
    const std::wstring original = Lumo::Manager::GetFontName();
    Lumo::Manager::SetFontName(L"An Extraordinarily Long Font Face Name Beyond The Limit");
    Label label(nullptr, L"x");
    label.SetFontStyle(Gdiplus::FontStyleBold | Gdiplus::FontStyleItalic);
    label.SetFontWidth(18);
    HFONT font = label.GetGDIFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(label.GetGDIFont(), font);
    LOGFONTW logFont{}, stock{};
    GetObjectW(font, sizeof(logFont), &logFont);
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    EXPECT_EQ(std::wstring(logFont.lfFaceName), std::wstring(L"An Extraordinarily Long Font Fa"));
    EXPECT_EQ(logFont.lfWeight, stock.lfWeight + 700);
    EXPECT_EQ(logFont.lfHeight, -18);
    EXPECT_TRUE(logFont.lfItalic);
    EXPECT_FALSE(logFont.lfUnderline);
    Lumo::Manager::SetFontName(original);

    // A new size does not touch the existing font until it is cleared.
    label.SetFont(L"Arial", 30, Gdiplus::FontStyleRegular);
    EXPECT_EQ(label.GetGDIFont(), font);
    label.ClearGDIFont();
    HFONT renewed = label.GetGDIFont();
    GetObjectW(renewed, sizeof(logFont), &logFont);
    EXPECT_EQ(logFont.lfHeight, -30);
    EXPECT_EQ(logFont.lfWeight, stock.lfWeight);
}

TEST(MControlFont, FontFamilyComesFromThePaintManager)
{
    Label label(nullptr, L"x");
    EXPECT_EQ(label.GetFontFamily(L"Arial"), nullptr); // no paint manager
    Lumo::PaintManager manager;
    label.SetManager(&manager);
    Gdiplus::FontFamily* arial = label.GetFontFamily(L"Arial");
    ASSERT_NE(arial, nullptr);
    wchar_t name[LF_FACESIZE] = {};
    arial->GetFamilyName(name);
    EXPECT_NE(name[0], L'\0');
    EXPECT_EQ(label.GetFontFamily(L"No Such Face At All"), nullptr);

    // The library's embedded face, registered as a private font under a name.
    ASSERT_NE(manager.AddTempFont(L"Embedded", 106u), nullptr);
    Gdiplus::FontFamily* embedded = label.GetFontFamily(L"Embedded");
    ASSERT_NE(embedded, nullptr);
    embedded->GetFamilyName(name);
    EXPECT_EQ(std::wstring(name), L"Open Sans Semibold");
    Gdiplus::Font font(embedded, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    EXPECT_EQ(font.GetLastStatus(), Gdiplus::Ok);
}

} // namespace
