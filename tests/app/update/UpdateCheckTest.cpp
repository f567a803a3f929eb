// The checks end to end against the local host over HTTPS: fetch, decide,
// post to a real window, and the window's answer through OnUpdateResult.
#include "app/update/UpdateCheck.h"

#include "PrintWide.h"
#include "UpdateTestSupport.h"
#include "app/update/UpdateMessages.h"
#include "app/update/UpdateResult.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kCurrentVersion[] = L"1.0.0.3";

const TestUpdateServer& Server() { return TestUpdateServer::Get(); }

// What the user sees: the box the window shows for each posted result.
struct Box {
    std::wstring text;
    std::wstring title;
    int style;

    bool operator==(const Box& o) const { return text == o.text && title == o.title && style == o.style; }
};

void PrintTo(const Box& box, std::ostream* os)
{
    PrintWide(box.text.c_str(), os);
    *os << " / ";
    PrintWide(box.title.c_str(), os);
    *os << " / " << box.style;
}

std::vector<Box> BoxesFor(const MessageRecorder& recorder, const LatestVersion& software, const LatestVersion& firmware)
{
    std::vector<Box> boxes;
    for (const PostedMessage& m : recorder.UpdateResults()) {
        OnUpdateResult(
            m.wparam, m.lparam, software, firmware,
            [&](const std::wstring& text, const std::wstring& title, int style) {
                boxes.push_back({text, title, style});
                return 2u; // "NO"
            },
            [](UpdateChannel) { ADD_FAILURE() << "nothing is queued after no"; });
    }
    return boxes;
}

const Box kSoftwareCurrent{L"The software is the latest version!", L"Software Updates", 0};
const Box kFirmwareCurrent{L"The Firmware is the latest version!", L"Firmware Updates", 0};

Box SoftwarePrompt(const wchar_t* version)
{
    return {std::wstring(L"Detected the latest version:v") + version + L", update now?", L"Software Updates", 4};
}

Box FirmwarePrompt(const wchar_t* version)
{
    return {std::wstring(L"Detected the latest version:v") + version + L", update now?", L"Firmware Updates", 4};
}

struct SoftwareCase {
    const char* name;
    const char* file;
    std::vector<Box> loud;
    std::vector<Box> quiet;
};

void PrintTo(const SoftwareCase& c, std::ostream* os) { *os << c.name; }

class SoftwareCheck : public testing::TestWithParam<SoftwareCase> { };

TEST_P(SoftwareCheck, AnswersByTheVersionFile)
{
    const SoftwareCase& c = GetParam();
    const std::wstring folder = L"checks/software-" + std::wstring(c.name, c.name + strlen(c.name));
    Server().Put(folder + L"/display-k9/K9X/software/version", c.file);
    const std::wstring address = Server().Https(L"/" + folder + L"/display-k9/K9X/software/");

    for (CheckMode mode : {CheckMode::Loud, CheckMode::Quiet}) {
        MessageRecorder recorder;
        LatestVersion software;
        LatestVersion firmware;
        recorder.RunOnWorker([&] { CheckSoftwareUpdate(recorder.Window(), address, kCurrentVersion, software, mode); });
        EXPECT_EQ(BoxesFor(recorder, software, firmware), mode == CheckMode::Loud ? c.loud : c.quiet)
            << (mode == CheckMode::Loud ? "loud" : "quiet");
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, SoftwareCheck,
    testing::Values(SoftwareCase{"Newer1004", "1.0.0.4", {SoftwarePrompt(L"1.0.0.4")}, {SoftwarePrompt(L"1.0.0.4")}},
        SoftwareCase{"Same1003", "1.0.0.3", {kSoftwareCurrent}, {}},
        SoftwareCase{"Older1002", "1.0.0.2", {kSoftwareCurrent}, {}},
        SoftwareCase{"ThreeParts101", "1.0.1", {SoftwarePrompt(L"1.0.1")}, {SoftwarePrompt(L"1.0.1")}},
        SoftwareCase{"OnePart2", "2", {SoftwarePrompt(L"2")}, {SoftwarePrompt(L"2")}},
        SoftwareCase{"LineBreak1004", "1.0.0.4\n", {SoftwarePrompt(L"1.0.0.4")}, {SoftwarePrompt(L"1.0.0.4")}},
        SoftwareCase{"CrLf1003", "1.0.0.3\r\n", {kSoftwareCurrent}, {}},
        SoftwareCase{"TooLong", "1.0.0.4-beta1", {}, {}}, SoftwareCase{"Empty", "", {}, {}}),
    [](const testing::TestParamInfo<SoftwareCase>& info) { return std::string(info.param.name); });

struct FirmwareCase {
    const char* name;
    const char* file;
    int display;
    std::vector<Box> loud;
    std::vector<Box> quiet;
};

void PrintTo(const FirmwareCase& c, std::ostream* os) { *os << c.name; }

class FirmwareCheck : public testing::TestWithParam<FirmwareCase> { };

TEST_P(FirmwareCheck, ComparesWithTheDisplay)
{
    const FirmwareCase& c = GetParam();
    const std::wstring folder = L"checks/firmware-" + std::wstring(c.name, c.name + strlen(c.name));
    Server().Put(folder + L"/display-k9/K9X/firmware/version", c.file);
    const std::wstring address = Server().Https(L"/" + folder + L"/display-k9/K9X/firmware/");

    for (CheckMode mode : {CheckMode::Loud, CheckMode::Quiet}) {
        MessageRecorder recorder;
        LatestVersion software;
        LatestVersion firmware;
        firmware.Set(L"stale");
        recorder.RunOnWorker([&] {
            CheckFirmwareUpdate(
                recorder.Window(), address, firmware, [&] { return c.display; }, mode);
        });
        EXPECT_EQ(BoxesFor(recorder, software, firmware), mode == CheckMode::Loud ? c.loud : c.quiet)
            << (mode == CheckMode::Loud ? "loud" : "quiet");
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, FirmwareCheck,
    testing::Values(FirmwareCase{"Newer106", "106", 0x0105, {FirmwarePrompt(L"106")}, {FirmwarePrompt(L"106")}},
        FirmwareCase{"Same105", "105", 0x0105, {kFirmwareCurrent}, {}},
        FirmwareCase{"DigitsStopAtA", "2", 0x001A, {FirmwarePrompt(L"2")}, {FirmwarePrompt(L"2")}},
        FirmwareCase{"OneAgainst1A", "1", 0x001A, {kFirmwareCurrent}, {}},
        FirmwareCase{"NoDisplay", "106", -1, {kFirmwareCurrent}, {}}),
    [](const testing::TestParamInfo<FirmwareCase>& info) { return std::string(info.param.name); });

struct FailedFetch {
    const char* name;
    std::wstring (*address)(const std::wstring& folder);
};

void PrintTo(const FailedFetch& c, std::ostream* os) { *os << c.name; }

class FailedCheck : public testing::TestWithParam<FailedFetch> { };

// The version files hold newer versions, so only the transfer keeps them away.
TEST_P(FailedCheck, PostsNothingAndKeepsTheTexts)
{
    Server().Put(L"checks/failing/display-k9/K9X/software/version", "1.0.0.4");
    Server().Put(L"checks/failing/display-k9/K9X/firmware/version", "106");
    MessageRecorder recorder;
    LatestVersion software;
    software.Set(L"1.0.0.3");
    LatestVersion firmware;
    firmware.Set(L"stale");
    bool displayAsked = false;
    recorder.RunOnWorker([&] {
        const std::wstring base = GetParam().address(L"/checks/failing/display-k9/K9X/");
        CheckSoftwareUpdate(recorder.Window(), base + L"software/", kCurrentVersion, software, CheckMode::Loud);
        CheckFirmwareUpdate(
            recorder.Window(), base + L"firmware/", firmware,
            [&] {
                displayAsked = true;
                return 0x0105;
            },
            CheckMode::Loud);
    });
    EXPECT_TRUE(recorder.All().empty());
    EXPECT_EQ(software.Get(), L"1.0.0.3");
    EXPECT_EQ(firmware.Get(), L"");
    EXPECT_FALSE(displayAsked);
}

INSTANTIATE_TEST_SUITE_P(Transfers, FailedCheck,
    testing::Values(FailedFetch{"NotFound", [](const std::wstring& f) { return Server().Https(L"/_fault/404" + f); }},
        FailedFetch{"ServerError", [](const std::wstring& f) { return Server().Https(L"/_fault/500" + f); }},
        FailedFetch{"StallThenClose", [](const std::wstring& f) { return Server().Https(L"/_fault/stall" + f); }},
        FailedFetch{"ClosedMidBody", [](const std::wstring& f) { return Server().Https(L"/_fault/close" + f); }},
        FailedFetch{"Unreachable", [](const std::wstring& f) { return UnreachableAddress(f); }}),
    [](const testing::TestParamInfo<FailedFetch>& info) { return std::string(info.param.name); });

TEST(UpdateCheck, TheNewerTextIsStoredTrimmedForTheDownload)
{
    Server().Put(L"checks/stored/display-k9/K9X/software/version",
        "\xEF\xBB\xBF"
        "1.0.0.4\r\n");
    MessageRecorder recorder;
    LatestVersion software;
    recorder.RunOnWorker([&] {
        CheckSoftwareUpdate(recorder.Window(), Server().Https(L"/checks/stored/display-k9/K9X/software/"),
            kCurrentVersion, software, CheckMode::Quiet);
    });
    ASSERT_EQ(recorder.UpdateResults().size(), 1u);
    EXPECT_EQ(recorder.UpdateResults()[0].wparam, 1u);
    EXPECT_EQ(recorder.UpdateResults()[0].lparam, 1);
    EXPECT_EQ(software.Get(), L"1.0.0.4");
}

} // namespace
