#include "app/device/FirmwareVersion.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(FirmwareVersion, RequestIsReportSevenWithCommandFdAndZeros)
{
    const FirmwareReport request = FirmwareVersionRequest();
    EXPECT_EQ(request.size(), 64u);
    EXPECT_EQ(request[0], 0x07);
    EXPECT_EQ(request[1], 0xFD);
    EXPECT_TRUE(std::all_of(request.begin() + 2, request.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(FirmwareVersion, ReplyBytesGiveTheVersion)
{
    FirmwareReport reply{};
    reply[0] = 0x07;
    reply[1] = 0x01;
    reply[2] = 0x23;
    EXPECT_TRUE(IsFirmwareVersionReply(reply));
    EXPECT_EQ(FirmwareVersionFromReply(reply), 0x0123);
    reply[0] = 0x00;
    EXPECT_FALSE(IsFirmwareVersionReply(reply));
}

} // namespace
