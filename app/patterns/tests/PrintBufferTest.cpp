#include <algorithm>

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
    CPattern alone(TestModel());
    ASSERT_TRUE(alone.NeedleCheck());
    const Bytes block = Contents(alone);

    CPattern pattern(TestModel());
    const Bytes filler(4194304 - 100, 0x55);
    ASSERT_TRUE(pattern.Append(filler.data(), filler.size()));
    EXPECT_FALSE(pattern.NeedleCheck());
    EXPECT_TRUE(pattern.Overflowed());
    // The earlier job is untouched and what follows it is the block's own beginning: the steps after
    // the refused one, small enough to fit the 100 free bytes, added nothing.
    const Bytes contents = Contents(pattern);
    ASSERT_GT(contents.size(), filler.size());
    ASSERT_LT(contents.size(), 4194304u);
    EXPECT_TRUE(std::equal(filler.begin(), filler.end(), contents.begin()))
        << "the earlier job was overwritten";
    EXPECT_EQ(Tail(contents, contents.size() - filler.size()), Head(block, contents.size() - filler.size()));
}

}  // namespace
