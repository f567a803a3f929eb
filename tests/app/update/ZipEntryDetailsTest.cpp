#include "app/update/EntryAttributes.h"
#include "app/update/ExtendedTimestamp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::uint32_t MadeBy(std::uint32_t host) { return host << 8 | 20; }

TEST(EntryAttributes, DosLikeHostsKeepTheirAttributeBits)
{
    for (std::uint32_t host : {0u, 7u, 11u, 14u}) {
        EXPECT_EQ(EntryFileAttributes(MadeBy(host), 0x01 | 0x02 | 0x04 | 0x20), 0x27u) << "host " << host;
        EXPECT_EQ(EntryFileAttributes(MadeBy(host), 0x10), kAttributeFolder) << "host " << host;
        EXPECT_EQ(EntryFileAttributes(MadeBy(host), 0xFFFFFFC8), 0u) << "host " << host; // other bits dropped
    }
}

TEST(EntryAttributes, UnixHostsMapTheFileMode)
{
    constexpr std::uint32_t kUnix = 3;
    EXPECT_EQ(EntryFileAttributes(MadeBy(kUnix), 0100444u << 16), kAttributeReadOnly | kAttributeArchive);
    EXPECT_EQ(EntryFileAttributes(MadeBy(kUnix), 0100644u << 16), kAttributeArchive);
    EXPECT_EQ(EntryFileAttributes(MadeBy(kUnix), (040755u << 16) | 0x10), kAttributeFolder | kAttributeArchive);
    EXPECT_EQ(EntryFileAttributes(MadeBy(kUnix), 0), kAttributeReadOnly | kAttributeArchive);
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutU16(out, static_cast<std::uint16_t>(v));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

std::vector<std::uint8_t> Block(std::uint16_t id, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> out;
    PutU16(out, id);
    PutU16(out, static_cast<std::uint16_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::uint8_t> TimestampData(std::uint8_t flags, std::initializer_list<std::uint32_t> times)
{
    std::vector<std::uint8_t> data{flags};
    for (std::uint32_t t : times)
        PutU32(data, t);
    return data;
}

std::optional<ExtendedTimestamp> Find(const std::vector<std::uint8_t>& field)
{
    return FindExtendedTimestamp(field.data(), field.size());
}

TEST(ExtendedTimestamp, ReadsTheFlaggedTimesAfterOtherBlocks)
{
    std::vector<std::uint8_t> field = Block(0x7875, {1, 4, 0, 0, 0, 0, 4, 0, 0, 0, 0}); // "ux" first
    const auto ut = Block(0x5455, TimestampData(7, {1000, 2000, 3000}));
    field.insert(field.end(), ut.begin(), ut.end());
    const auto times = Find(field);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->modification, 1000u);
    EXPECT_EQ(times->access, 2000u);
    EXPECT_EQ(times->creation, 3000u);
}

TEST(ExtendedTimestamp, TimesFollowInFlagOrder)
{
    const auto times = Find(Block(0x5455, TimestampData(4 | 1, {10, 30})));
    ASSERT_TRUE(times);
    EXPECT_EQ(times->modification, 10u);
    EXPECT_FALSE(times->access);
    EXPECT_EQ(times->creation, 30u);
}

TEST(ExtendedTimestamp, FirstBlockWins)
{
    auto field = Block(0x5455, TimestampData(1, {5}));
    const auto second = Block(0x5455, TimestampData(1, {6}));
    field.insert(field.end(), second.begin(), second.end());
    EXPECT_EQ(Find(field)->modification, 5u);
}

TEST(ExtendedTimestamp, ShortOrBrokenFieldsGiveWhatIsThere)
{
    // The central directory's form: flags announce three times, only one follows.
    const auto central = Find(Block(0x5455, TimestampData(7, {42})));
    ASSERT_TRUE(central);
    EXPECT_EQ(central->modification, 42u);
    EXPECT_FALSE(central->access);
    EXPECT_FALSE(central->creation);

    EXPECT_FALSE(Find({}));
    EXPECT_FALSE(Find({0x55, 0x54, 0x05}));
    EXPECT_FALSE(Find({0x55, 0x54, 0xFF, 0x00, 1, 2})) << "block runs past the field";
    EXPECT_FALSE(Find(Block(0x000A, std::vector<std::uint8_t>(32))));
    const auto empty = Find(Block(0x5455, {}));
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->modification);
}

TEST(ExtendedTimestamp, UnixSecondsBecomeFileTimes)
{
    EXPECT_EQ(UnixTimeToFileTime(0), 116444736000000000ULL);
    EXPECT_EQ(UnixTimeToFileTime(1700000000), 116444736000000000ULL + 17000000000000000ULL);
    EXPECT_EQ(UnixTimeToFileTime(0xFFFFFFFFu), 116444736000000000ULL + 0xFFFFFFFFULL * 10000000ULL);
}

} // namespace
