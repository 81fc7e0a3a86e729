#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StatusReply.h"
#include "printer/ReceiveWindow.h"

namespace {

using printer::kCodeAbsent;
using printer::kStatusReplyParsed;
using printer::kStatusReplyUnparsable;
using printer::ParseStatusReply;
using printer::StatusReplyCodes;

struct Row {
    const char* name;
    std::string reply;
    std::uint16_t result;
    int status, error, third;  // expected codes when parsed
};

const Row kRows[] = {
    {"printer's usual reply", "@BDC ST\r\nST:04;ER:00;TP:01;WR:;IQ:00000000;MI:00;TC:0;", kStatusReplyParsed,
     4, 0, 1},
    {"ST alone", "@BDC ST\r\nST:04;", kStatusReplyParsed, 4, kCodeAbsent, kCodeAbsent},
    {"hex letters of either case", "@BDC ST\r\nST:0A;ER:1f;TP:Fe;", kStatusReplyParsed, 0x0A, 0x1F, 0xFE},
    {"error state", "@BDC ST\r\nST:00;ER:06;TP:01;", kStatusReplyParsed, 0, 6, 1},
    {"codes 16 and 30 sent as hex", "@BDC ST\r\nST:10;ER:1E;", kStatusReplyParsed, 0x10, 0x1E, kCodeAbsent},
    {"groups in another order", "@BDC ST\r\nTP:02;ER:03;ST:00;", kStatusReplyParsed, 0, 3, 2},
    {"unknown groups around", "@BDC ST\r\nXX:zz;ST:02;QQ:;ER:01;", kStatusReplyParsed, 2, 1, kCodeAbsent},
    {"ST at the very end", "@BDC ST\r\nST:04", kStatusReplyParsed, 4, kCodeAbsent, kCodeAbsent},
    {"text before the marker", "junk@BDC ST\r\nST:07;", kStatusReplyParsed, 7, kCodeAbsent, kCodeAbsent},
    {"first ST wins", "@BDC ST\r\nST:02;ST:04;", kStatusReplyParsed, 2, kCodeAbsent, kCodeAbsent},
    {"empty", "", kStatusReplyUnparsable, 0, 0, 0},
    {"marker only", "@BDC ST\r\n", kStatusReplyUnparsable, 0, 0, 0},
    {"no marker line", "ST:04;ER:00;", kStatusReplyUnparsable, 0, 0, 0},
    {"marker with LF CR", "@BDC ST\n\rST:04;", kStatusReplyUnparsable, 0, 0, 0},
    {"marker without line end", "@BDC STST:04;", kStatusReplyUnparsable, 0, 0, 0},
    {"binary form", std::string("@BDC ST2\r\n\x10\x00\x01\x01\x04", 15), kStatusReplyUnparsable, 0, 0, 0},
    {"one character of ST", "@BDC ST\r\nST:4", kStatusReplyUnparsable, 0, 0, 0},
    {"ST key at the end", "@BDC ST\r\nST:", kStatusReplyUnparsable, 0, 0, 0},
    {"odd hex in ST", "@BDC ST\r\nST:0G;", kStatusReplyUnparsable, 0, 0, 0},
    {"sign in ST", "@BDC ST\r\nST:-1;", kStatusReplyUnparsable, 0, 0, 0},
    {"space in ST", "@BDC ST\r\nST: 4;", kStatusReplyUnparsable, 0, 0, 0},
    {"odd hex in ER", "@BDC ST\r\nST:04;ER:x1;", kStatusReplyUnparsable, 0, 0, 0},
    {"ER cut short", "@BDC ST\r\nST:04;ER:1", kStatusReplyUnparsable, 0, 0, 0},
    {"odd hex in TP", "@BDC ST\r\nST:04;ER:00;TP:;", kStatusReplyUnparsable, 0, 0, 0},
    {"NUL ends the text",
     std::string("@BDC ST\r\nST:0\0"
                 "4;",
                 16),
     kStatusReplyUnparsable, 0, 0, 0},
    {"nothing after a NUL is read", std::string("@BDC ST\r\nST:04;\0ER:zz;", 22), kStatusReplyParsed, 4,
     kCodeAbsent, kCodeAbsent},
};

TEST(StatusReplyParse, EachReplyGivesItsCodesOrFails) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        StatusReplyCodes codes;
        codes.status = 0x55;
        codes.error = 0x66;
        codes.third = 0x77;
        ASSERT_EQ(ParseStatusReply(row.reply.data(), row.reply.size(), &codes), row.result);
        if (row.result == kStatusReplyParsed) {
            EXPECT_EQ(codes.status, row.status);
            EXPECT_EQ(codes.error, row.error);
            EXPECT_EQ(codes.third, row.third);
        } else {
            // A failed parse leaves the caller's codes as they were.
            EXPECT_EQ(codes.status, 0x55);
            EXPECT_EQ(codes.error, 0x66);
            EXPECT_EQ(codes.third, 0x77);
        }
    }
}

// The channel library fills a fixed buffer; a reply that fills it without a terminator must not be
// read past its end. The buffer is put at the end of a page-sized block whose tail is poisoned, and
// the sizes are chosen so that any read past them would pick up the poisoned bytes as a group.
TEST(StatusReplyParse, ReadsNoFurtherThanTheBufferWithoutTerminator) {
    std::string block(2048, 'x');
    const std::string reply = "@BDC ST\r\nST:0";
    const std::string tail = "4;ER:01;";
    block.replace(0, reply.size(), reply);
    block.replace(reply.size(), tail.size(), tail);
    StatusReplyCodes codes;
    EXPECT_EQ(ParseStatusReply(block.data(), reply.size(), &codes), kStatusReplyUnparsable);
    EXPECT_EQ(ParseStatusReply(block.data(), reply.size() + 1, &codes), kStatusReplyParsed);
    EXPECT_EQ(codes.status, 4);
    EXPECT_EQ(codes.error, kCodeAbsent);

    // A full receive window of the printer's groups with no NUL anywhere.
    char full[printer::kReceiveWindow];
    std::memset(full, ';', sizeof full);
    std::memcpy(full, "@BDC ST\r\nST:04;", 15);
    std::memcpy(full + sizeof full - 4, "ER:0", 4);
    EXPECT_EQ(ParseStatusReply(full, sizeof full, &codes), kStatusReplyUnparsable);
    std::memcpy(full + sizeof full - 5, "ER:01", 5);
    ASSERT_EQ(ParseStatusReply(full, sizeof full, &codes), kStatusReplyParsed);
    EXPECT_EQ(codes.error, 1);
}

TEST(StatusReplyParse, NullArgumentsFail) {
    StatusReplyCodes codes;
    EXPECT_EQ(ParseStatusReply(nullptr, 10, &codes), kStatusReplyUnparsable);
    EXPECT_EQ(ParseStatusReply("@BDC ST\r\nST:04;", 15, nullptr), kStatusReplyUnparsable);
}

}  // namespace
