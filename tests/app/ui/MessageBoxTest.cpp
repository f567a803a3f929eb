// The program's skinned message box, run modally on this thread as the
// program runs it, looked at on the screen and answered with real clicks.
#include "app/ui/CUIMessageBox.h"

#include "ProgramTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

using namespace ProgramTest;

// While the box's modal loop runs, a thread timer of this thread looks at the
// box and answers it.
struct BoxVisit {
    std::function<void(HWND box, const RECT& rect)> look;
    POINT click = {}; // client point of the box to click
    bool seen = false;
};

BoxVisit* g_visit = nullptr;

void CALLBACK VisitBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND box = FindWindowW(nullptr, L"MessageBox");
    if (!box)
        return;
    g_visit->seen = true;
    RECT rect = {};
    GetWindowRect(box, &rect);
    g_visit->look(box, rect);
    Click(rect.left + g_visit->click.x, rect.top + g_visit->click.y);
}

unsigned ShowAndVisit(const wchar_t* text, const wchar_t* title, int style, BoxVisit& visit)
{
    g_visit = &visit;
    SetTimer(nullptr, 0, 1200, VisitBox);
    const unsigned result = ShowMessageBox(text, title, style);
    g_visit = nullptr;
    return result;
}

bool LooksLikeButton(const ScreenImage& image, int x, int y, DWORD background)
{
    return ColourDistance(image.At(x, y), background) > 15;
}

int WhitePixels(const ScreenImage& image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += ColourDistance(image.At(x, y), 0xFFFFFF) < 40 ? 1 : 0;
    return count;
}

TEST(UiMessageBox, StyleZeroShowsOneOkButtonCentredAndAnswersOne)
{
    BoxVisit visit;
    visit.click = {190, 175};
    visit.look = [](HWND box, const RECT& rect) {
        RECT area = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_EQ(rect.right - rect.left, 380);
        EXPECT_EQ(rect.bottom - rect.top, 200);
        EXPECT_EQ(rect.left, (area.left + area.right) / 2 - 190);
        EXPECT_EQ(rect.top, (area.top + area.bottom) / 2 - 100);
        EXPECT_NE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "the box stays above the main window";
        const ScreenImage image = CaptureScreen(rect);
        SaveScreenshot(image, L"message-box-ok.png");
        const DWORD background = image.At(12, 100);
        EXPECT_TRUE(LooksLikeButton(image, 65, 175, background)) << "OK spans (60, 160)-(320, 190)";
        EXPECT_TRUE(LooksLikeButton(image, 190, 175, background));
        EXPECT_TRUE(LooksLikeButton(image, 315, 175, background));
        EXPECT_FALSE(LooksLikeButton(image, 55, 175, background));
        EXPECT_GT(WhitePixels(image, 20, 15, 360, 40), 20) << "the title line";
        EXPECT_GT(WhitePixels(image, 20, 70, 360, 130), 20) << "the message";
    };
    EXPECT_EQ(ShowAndVisit(L"The software is the latest version!", L"Software Updates", 0, visit), 1u);
    EXPECT_TRUE(visit.seen);
}

struct YesNoCase {
    POINT click;
    unsigned result;
};

void PrintTo(const YesNoCase& c, std::ostream* os) { *os << "click at (" << c.click.x << ", " << c.click.y << ")"; }

class YesNoBox : public testing::TestWithParam<YesNoCase> { };

TEST_P(YesNoBox, ShowsYesAndNoBesideTheCentreLineAndWrapsALongMessage)
{
    BoxVisit visit;
    visit.click = GetParam().click;
    visit.look = [](HWND, const RECT& rect) {
        const ScreenImage image = CaptureScreen(rect);
        SaveScreenshot(image, L"message-box-yes-no.png");
        const DWORD background = image.At(12, 100);
        EXPECT_TRUE(LooksLikeButton(image, 75, 175, background)) << "YES spans (70, 160)-(170, 190)";
        EXPECT_TRUE(LooksLikeButton(image, 165, 175, background));
        EXPECT_FALSE(LooksLikeButton(image, 190, 175, background)) << "nothing on the centre line";
        EXPECT_TRUE(LooksLikeButton(image, 215, 175, background)) << "NO spans (210, 160)-(310, 190)";
        EXPECT_TRUE(LooksLikeButton(image, 305, 175, background));
        EXPECT_FALSE(LooksLikeButton(image, 65, 175, background));
        // The prompt is longer than one line: it wraps inside the message area.
        EXPECT_GT(WhitePixels(image, 20, 70, 360, 100), 20);
        EXPECT_GT(WhitePixels(image, 20, 100, 360, 130), 20);
    };
    const unsigned result = ShowAndVisit(
        L"Detected the latest version:v1.0.0.4, update now? The download starts at once and the program restarts.",
        L"Software Updates", 4, visit);
    EXPECT_TRUE(visit.seen);
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Answers, YesNoBox, testing::Values(YesNoCase{{120, 175}, 1}, YesNoCase{{260, 175}, 2}),
    [](const testing::TestParamInfo<YesNoCase>& info) { return info.param.result == 1 ? "Yes" : "No"; });

} // namespace
