// The string object that crosses between our modules: growth, formatting, the clamped substring
// operations the reply decoders lean on, and the cases where the text comes from its own buffer.
#include "platform/CString.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace platform {
namespace {

TEST(CString, GrowsPastItsFirstAllocationKeepingEveryCharacter) {
    CString text;
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        const char c = static_cast<char>('a' + i % 26);
        text += c;
        expected.push_back(c);
        ASSERT_EQ(text.GetLength(), i + 1);
        ASSERT_GT(text.GetAllocLength(), text.GetLength());  // room for the NUL
    }
    EXPECT_EQ(text.ToStdString(), expected);
    EXPECT_EQ(text.GetString()[300], '\0');

    text += CString(std::string(5000, 'z'));
    EXPECT_EQ(text.GetLength(), 5300);
    EXPECT_EQ(text.Right(3), "zzz");
    EXPECT_EQ(text.Mid(298, 4), "mnzz");
}

TEST(CString, FormatsResultsOfAnyLength) {
    const std::string longText(3000, 'x');
    CString text("old");
    text.Format("%s-%04d-%c", longText.c_str(), 42, 'E');
    EXPECT_EQ(text.GetLength(), 3007);
    EXPECT_EQ(text.Right(8), "x-0042-E");

    // The string's own text as an argument: the old text is read before it is replaced.
    CString own("ab");
    own.Format("%s%s%s", own.GetString(), own.GetString(), own.GetString());
    EXPECT_EQ(own, "ababab");

    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetString()[0], '\0');
}

TEST(CString, FindAndSubstringsClampToTheText) {
    const CString text("ST:04;ER:00;");
    EXPECT_EQ(text.Find("ER:"), 6);
    EXPECT_EQ(text.Find(';'), 5);
    EXPECT_EQ(text.Find(';', 6), 11);
    EXPECT_EQ(text.Find("ST:", 1), -1);
    EXPECT_EQ(text.Find("ER:", 12), -1);  // start at the end: nothing follows
    EXPECT_EQ(text.Find("ER:", 13), -1);  // start past the end
    EXPECT_EQ(text.Find("ER:", -1), -1);
    EXPECT_EQ(text.Find(static_cast<const char*>(nullptr)), -1);

    EXPECT_EQ(text.Mid(9, 2), "00");
    EXPECT_EQ(text.Mid(9, 100), "00;");
    EXPECT_EQ(text.Mid(-4, 2), "ST");
    EXPECT_EQ(text.Mid(12), "");
    EXPECT_EQ(text.Mid(50, 2), "");
    EXPECT_EQ(text.Mid(3, -1), "");
    EXPECT_EQ(text.Mid(6), "ER:00;");
    EXPECT_EQ(text.Left(2), "ST");
    EXPECT_EQ(text.Left(0), "");
    EXPECT_EQ(text.Left(-3), "");
    EXPECT_EQ(text.Left(99), text);
    EXPECT_EQ(text.Right(3), "00;");
    EXPECT_EQ(text.Right(-1), "");
    EXPECT_EQ(text.Right(99), text);
    EXPECT_EQ(text.GetAt(0), 'S');
    EXPECT_EQ(text.GetAt(12), '\0');
    EXPECT_EQ(text.GetAt(-1), '\0');
}

TEST(CString, ReplacesEveryOccurrence) {
    CString text("a;b;;c");
    EXPECT_EQ(text.Replace(";", ", "), 3);
    EXPECT_EQ(text, "a, b, , c");
    EXPECT_EQ(text.Replace(", ", ""), 3);
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(text.Replace("x", "y"), 0);
    EXPECT_EQ(text.Replace("", "y"), 0);
    EXPECT_EQ(text, "abc");

    // The replacement grows the text far past its allocation, and may be the string's own text.
    CString grown("..........");
    EXPECT_EQ(grown.Replace(".", "0123456789"), 10);
    EXPECT_EQ(grown.GetLength(), 100);
    CString own("ab");
    EXPECT_EQ(own.Replace("a", own.GetString()), 1);
    EXPECT_EQ(own, "abb");
}

TEST(CString, AppendsItsOwnText) {
    CString text("0123456789012345678901234567890");  // 31 characters: the next byte reallocates
    text += text;
    EXPECT_EQ(text.GetLength(), 62);
    EXPECT_EQ(text.Mid(31), "0123456789012345678901234567890");

    text.Append(text.GetString() + 60, 2);
    EXPECT_EQ(text.Right(4), "9090");

    text = text.GetString() + 58;  // assigning a tail of itself
    EXPECT_EQ(text, "789090");

    // A pointer into the buffer taken before the text was emptied still holds the old characters;
    // they are copied out before the text grows over them.
    CString reused(std::string(40, 'q'));
    const char* stale = reused.GetString() + 8;
    reused.Empty();
    reused.Append(stale, 20);
    EXPECT_EQ(reused, std::string(20, 'q').c_str());
}

TEST(CString, KeepsEmbeddedNulsInItsLength) {
    CString text("ab\0cd", 5);
    EXPECT_EQ(text.GetLength(), 5);
    EXPECT_EQ(std::string(text.GetString()), "ab");  // what a C caller sees
    EXPECT_EQ(text.Find("cd"), 3);
    text += '\0';
    text += "e";
    EXPECT_EQ(text.GetLength(), 7);
    EXPECT_EQ(text.View(), std::string_view("ab\0cd\0e", 7));
    EXPECT_FALSE(text == "ab");
    EXPECT_EQ(CString(text).GetLength(), 7);
}

TEST(CString, MovingLeavesTheSourceEmptyAndUsable) {
    CString source(std::string(100, 'm'));
    CString moved(std::move(source));
    EXPECT_EQ(moved.GetLength(), 100);
    EXPECT_TRUE(source.IsEmpty());  // NOLINT(bugprone-use-after-move): the state after a move is defined
    EXPECT_EQ(source.GetString()[0], '\0');

    CString target("old text");
    target = std::move(moved);
    EXPECT_EQ(target.GetLength(), 100);
    EXPECT_TRUE(moved.IsEmpty());  // NOLINT(bugprone-use-after-move)
    moved += "again";
    EXPECT_EQ(moved, "again");
}

TEST(CString, NullTextsCountAsEmpty) {
    CString text(static_cast<const char*>(nullptr));
    EXPECT_TRUE(text.IsEmpty());
    text = "x";
    text += static_cast<const char*>(nullptr);
    text.Append(nullptr, 4);
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(text == static_cast<const char*>(nullptr));
    EXPECT_TRUE(CString() == static_cast<const char*>(nullptr));
    EXPECT_EQ(CString("abc", -2), "");
}

}  // namespace
}  // namespace platform
