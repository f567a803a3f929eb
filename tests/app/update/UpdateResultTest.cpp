#include "app/update/UpdateResult.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct ResultCase {
    const char* name;
    WPARAM wparam;
    LPARAM lparam;
    unsigned answer;
    std::optional<std::wstring> text; // nullopt: no box
    std::wstring title;
    int style;
    std::optional<UpdateChannel> queued;
};

void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }

class UpdateResultAnswer : public testing::TestWithParam<ResultCase> { };

TEST_P(UpdateResultAnswer, ShowsTheBoxAndQueuesOnYes)
{
    const ResultCase& c = GetParam();
    LatestVersion software;
    software.Set(L"1.0.0.4");
    LatestVersion firmware;
    firmware.Set(L"106");
    int boxes = 0;
    std::wstring text, title;
    int style = -1;
    std::vector<UpdateChannel> queued;
    const LRESULT result = OnUpdateResult(
        c.wparam, c.lparam, software, firmware,
        [&](const std::wstring& t, const std::wstring& ti, int s) {
            ++boxes;
            text = t;
            title = ti;
            style = s;
            return c.answer;
        },
        [&](UpdateChannel channel) { queued.push_back(channel); });

    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes, c.text ? 1 : 0);
    if (c.text) {
        EXPECT_EQ(text, *c.text);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(style, c.style);
    }
    EXPECT_EQ(queued, c.queued ? std::vector<UpdateChannel>{*c.queued} : std::vector<UpdateChannel>{});
}

const std::wstring kSoftwarePrompt = L"Detected the latest version:v1.0.0.4, update now?";
const std::wstring kFirmwarePrompt = L"Detected the latest version:v106, update now?";

INSTANTIATE_TEST_SUITE_P(Results, UpdateResultAnswer,
    testing::Values(
        ResultCase{"SoftwareCurrent", 1, 0, 1, L"The software is the latest version!", L"Software Updates", 0, {}},
        ResultCase{"SoftwareNewerYes", 1, 1, 1, kSoftwarePrompt, L"Software Updates", 4, UpdateChannel::Software},
        ResultCase{"SoftwareNewerNo", 1, 1, 2, kSoftwarePrompt, L"Software Updates", 4, {}},
        ResultCase{"SoftwareNewerAnyLParam", 1, 7, 1, kSoftwarePrompt, L"Software Updates", 4, UpdateChannel::Software},
        ResultCase{"FirmwareCurrent", 2, 0, 1, L"The Firmware is the latest version!", L"Firmware Updates", 0, {}},
        ResultCase{"FirmwareNewerYes", 2, 1, 1, kFirmwarePrompt, L"Firmware Updates", 4, UpdateChannel::Firmware},
        ResultCase{"FirmwareNewerBoxFailed", 2, 1, 0, kFirmwarePrompt, L"Firmware Updates", 4, {}},
        ResultCase{"OtherWParam", 3, 1, 1, std::nullopt, L"", 0, {}},
        ResultCase{"ZeroWParam", 0, 0, 1, std::nullopt, L"", 0, {}}),
    [](const testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });

} // namespace
