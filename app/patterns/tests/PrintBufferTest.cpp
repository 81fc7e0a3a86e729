#include "PatternTestSupport.h"

namespace {

TEST(PrintBuffer, StartsEmptyAndAppendsBehindTheWritePosition) {
    CPattern pattern(TestModel());
    EXPECT_EQ(pattern.WritePosition(), 0u);
    EXPECT_TRUE(pattern.Append(B({0x01, 0x02}).data(), 2));
    EXPECT_TRUE(pattern.AppendTextWithNul("ab"));
    EXPECT_TRUE(pattern.AppendText("c"));
    EXPECT_EQ(Contents(pattern), B({0x01, 0x02, 'a', 'b', 0x00, 'c'}));

    pattern.EmptyBuffer();
    EXPECT_EQ(pattern.WritePosition(), 0u);
    EXPECT_TRUE(pattern.Append(B({0x07}).data(), 1));
    EXPECT_EQ(Contents(pattern), B({0x07}));
}

TEST(PrintBuffer, HoldsExactlyFourMebibytes) {
    CPattern pattern(TestModel());
    const Bytes filler(4194303, 0x55);
    ASSERT_TRUE(pattern.Append(filler.data(), filler.size()));
    EXPECT_TRUE(pattern.Append(B({0x66}).data(), 1));
    EXPECT_EQ(pattern.WritePosition(), 4194304u);
    EXPECT_FALSE(pattern.Overflowed());
    EXPECT_EQ(pattern.Bytes().back(), 0x66);
}

TEST(PrintBuffer, RefusesAnAppendPastTheEndAndEverythingAfterItUntilEmptied) {
    CPattern pattern(TestModel());
    const Bytes filler(4194300, 0x55);
    ASSERT_TRUE(pattern.Append(filler.data(), filler.size()));

    EXPECT_FALSE(pattern.AppendTextWithNul("abcd"));  // five bytes, four free
    EXPECT_TRUE(pattern.Overflowed());
    EXPECT_EQ(pattern.WritePosition(), 4194300u);
    // A later step that would fit must not leave a gap in the job.
    EXPECT_FALSE(pattern.Initialise());
    EXPECT_EQ(pattern.WritePosition(), 4194300u);
    EXPECT_EQ(pattern.Bytes().back(), 0x55);

    pattern.EmptyBuffer();
    EXPECT_FALSE(pattern.Overflowed());
    EXPECT_TRUE(pattern.Initialise());
    EXPECT_EQ(Contents(pattern), B({0x1B, 0x40}));
}

TEST(PrintBuffer, RefusesAHugeRepeatWithoutWritingAnyOfIt) {
    CPattern pattern(TestModel());
    EXPECT_FALSE(pattern.RepeatByte('E', 0x7FFFFFFF));
    EXPECT_FALSE(pattern.BitString("11111111", 5000000));
    EXPECT_EQ(pattern.WritePosition(), 0u);
    EXPECT_TRUE(pattern.Overflowed());
}

TEST(PrintBuffer, ABlockThatDoesNotFitReportsFailureAndLeavesTheEarlierJobIntact) {
    CPattern pattern(TestModel());
    const Bytes filler(4194304 - 100, 0x55);
    ASSERT_TRUE(pattern.Append(filler.data(), filler.size()));
    EXPECT_FALSE(pattern.NeedleCheck());
    EXPECT_TRUE(pattern.Overflowed());
    EXPECT_LE(pattern.WritePosition(), 4194304u);
}

}  // namespace
