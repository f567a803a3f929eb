#include "app/core/DpiRule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ScreenCase {
    int width;
    int height;
    bool aware;
};

class DpiRule : public testing::TestWithParam<ScreenCase> { };

TEST_P(DpiRule, SmallScreensMakeTheProcessDpiAware)
{
    EXPECT_EQ(NeedsDpiAwareness(GetParam().width, GetParam().height), GetParam().aware);
}

INSTANTIATE_TEST_SUITE_P(Screens, DpiRule,
    testing::Values(ScreenCase{1366, 768, true}, ScreenCase{1920, 1080, false}, ScreenCase{1400, 800, false},
        ScreenCase{1399, 1080, true}, ScreenCase{2560, 799, true}),
    [](const testing::TestParamInfo<ScreenCase>& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

} // namespace
