// Driver statuses to messages and codes, box captions and the disk text.
#include <gtest/gtest.h>

#include "device/status_messages.h"
#include "twain/twain.h"

TEST(StatusMessages, StatusesSelectTheirMessagesAndCodes) {
    const struct {
        uint16_t status, message;
    } cases[] = {{0x8217, 208}, {0x8321, 209}, {0x8414, 210}, {0x8216, 200}, {0x0001, 200}, {0xffff, 200}};
    for (const auto& c : cases) {
        EXPECT_EQ(StatusMessageId(c.status), c.message) << std::hex << c.status;
        EXPECT_EQ(ConditionForMessage(c.message), TWCC_OPERATIONERROR);
    }
    EXPECT_EQ(ConditionForMessage(109), TWCC_LOWMEMORY);
    EXPECT_EQ(ConditionForMessage(5), TWCC_OPERATIONERROR);
    EXPECT_TRUE(IsNotReadyMessage(200));
    EXPECT_TRUE(IsNotReadyMessage(201));
    EXPECT_FALSE(IsNotReadyMessage(208));
}

TEST(StatusMessages, CaptionJoinsBrandAndNameWithTwoSpaces) {
    char caption[64];
    BuildBoxCaption("Korvan ", "F/B Scanner (N)", caption, sizeof caption);
    EXPECT_STREQ(caption, "Korvan  F/B Scanner (N)");
    BuildBoxCaption("", "F/B Scanner (N)", caption, sizeof caption);
    EXPECT_STREQ(caption, " F/B Scanner (N)");
    char small[8];
    BuildBoxCaption("Korvan ", "F/B Scanner (N)", small, sizeof small);
    EXPECT_STREQ(small, "Korvan ");
}

TEST(StatusMessages, DiskTextWritesLargeCountsInKilobytes) {
    const struct {
        int64_t required, available;
        const char* expected;
    } cases[] = {
        {1024, 1024, "a1024b1024c"},
        {1025, 1025, "a1Kb1Kc"},
        {0, 0, "a0b0c"},
        {-1, 500, "a0Kb500c"},
        {-4096, 3 * 1024 * 1024, "a-4Kb3072Kc"},
        {int64_t(5) << 30, 2047, "a5242880Kb1Kc"},
    };
    for (const auto& c : cases) {
        char text[128];
        FormatDiskSpaceText("a", "b", "c", c.required, c.available, text, sizeof text);
        EXPECT_STREQ(text, c.expected) << c.required << " " << c.available;
    }
}
