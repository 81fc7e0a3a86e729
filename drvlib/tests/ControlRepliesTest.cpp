// The control replies' decoders, one line per input; the printer's bytes are untrusted, so cut and
// malformed replies are cases of their own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ControlReplies.h"

namespace {

using drvlib::kReplyBusy;
using drvlib::kReplyDone;
using drvlib::kReplyNotAvailable;
using drvlib::kReplyUnexpected;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// A binary status block: the head, the length, the fields as given.
std::vector<std::uint8_t> BinaryBlock(const std::vector<std::uint8_t>& fields, int declaredLength = -1) {
    std::vector<std::uint8_t> block = Bytes("@BDC ST2\r\n");
    block.push_back(0);
    block.push_back(0);
    block.insert(block.end(), fields.begin(), fields.end());
    const std::size_t length = declaredLength < 0 ? block.size() : static_cast<std::size_t>(declaredLength);
    block[10] = static_cast<std::uint8_t>(length & 0xFF);
    block[11] = static_cast<std::uint8_t>(length >> 8);
    return block;
}

std::string BinaryText(const std::vector<std::uint8_t>& block) {
    return drvlib::ControlReplyText(block.data(), block.size());
}

// A record whose every field holds a value no decoder writes, so that "unchanged" shows.
STATUSINF Marked() {
    STATUSINF status;
    status.nStatus = 77;
    status.nError = 77;
    std::fill(std::begin(status.nInkQuality), std::end(status.nInkQuality), 77);
    std::fill(std::begin(status.nWarning), std::end(status.nWarning), 77);
    status.strWarning = "old";
    status.cRV = 'z';
    std::fill(std::begin(status.nAICW), std::end(status.nAICW), 77);
    status.nMI = 77;
    status.nTC = 77;
    return status;
}

STATUSINF Decoded(std::string_view reply) {
    STATUSINF status = Marked();
    drvlib::DecodeStatus(reply, &status);
    return status;
}

TEST(BinaryStatus, FieldsBecomeDecimalGroupsWithAtLeastTwoDigits) {
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 4})), "@BDC ST\n\rST:04;");
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 123})), "@BDC ST\n\rST:123;");
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 0, 2, 1, 10, 4, 2, 10, 12, 4, 0})),
              "@BDC ST\n\rST:00;ER:10;WR:1012;WR:;");
    EXPECT_EQ(BinaryText(BinaryBlock({11, 2, 1, 2, 19, 1, 255})), "@BDC ST\n\rAICW:0102;CA:255;");
}

TEST(BinaryStatus, UnknownTypesArePassedOver) {
    EXPECT_EQ(BinaryText(BinaryBlock({0, 1, 9, 20, 2, 1, 2, 2, 1, 6})), "@BDC ST\n\rER:06;");
}

TEST(BinaryStatus, TheWalkEndsAtTheDeclaredLengthAndAtTheBytesReceived) {
    // Fields at or past the declared length are not the block's.
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 4, 2, 1, 6}, 15)), "@BDC ST\n\rST:04;");
    // A declared length far past the bytes received, and a field whose count runs past them.
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 4, 2, 200, 6}, 0xFFFF)), "@BDC ST\n\rST:04;");
    EXPECT_EQ(BinaryText(BinaryBlock({1, 1, 4, 2}, 0xFFFF)), "@BDC ST\n\rST:04;");
    // The head alone, and a head cut before the length.
    EXPECT_EQ(BinaryText(BinaryBlock({})), "@BDC ST\n\r");
    const std::vector<std::uint8_t> cut = Bytes("@BDC ST2\r");
    EXPECT_EQ(drvlib::ControlReplyText(cut.data(), cut.size()), "@BDC ST\n\r");
}

TEST(BinaryStatus, ZeroBytesOfTheHeadReadAsZeroDigits) {
    // "ST" followed by a zero byte: the head reads "ST0", not "ST2"; zero bytes are dropped.
    const std::vector<std::uint8_t> text = {'S', 'T', 0, ':', '0', '4', ';'};
    EXPECT_FALSE(drvlib::IsBinaryStatusReply(text.data(), text.size()));
    EXPECT_EQ(drvlib::ControlReplyText(text.data(), text.size()), "ST:04;");
    // "ST2" found across what the head holds only: past byte 12 it is text.
    const std::vector<std::uint8_t> late = Bytes("0123456789abST2");
    EXPECT_FALSE(drvlib::IsBinaryStatusReply(late.data(), late.size()));
}

TEST(StatusCode, HexadecimalWhenALetterIsThereElseDecimal) {
    EXPECT_EQ(drvlib::StatusCode("04"), 4);
    EXPECT_EQ(drvlib::StatusCode("10"), 10);
    EXPECT_EQ(drvlib::StatusCode("0A"), 10);
    EXPECT_EQ(drvlib::StatusCode("1f"), 31);
    EXPECT_EQ(drvlib::StatusCode("4"), 4);
    EXPECT_EQ(drvlib::StatusCode("x7"), 0);
}

TEST(StatusRecord, TheVirtualPrintersTextReply) {
    const STATUSINF status = Decoded("@BDC ST\r\nST:04;ER:00;TP:01;WR:;IQ:00000000;MI:00;TC:0;");
    EXPECT_EQ(status.nStatus, 4);
    EXPECT_EQ(status.nError, 0);
    EXPECT_EQ(std::vector<int>(status.nInkQuality, status.nInkQuality + 7),
              (std::vector<int>{0, 0, 0, 0, -1, -1, -1}));
    EXPECT_EQ(std::vector<int>(status.nWarning, status.nWarning + 7), std::vector<int>(7, 0));
    EXPECT_EQ(status.strWarning, "");
    EXPECT_EQ(status.nMI, 0);
    EXPECT_EQ(status.nTC, 0);
    EXPECT_EQ(status.cRV, 'z');      // no RV: group
    EXPECT_EQ(status.nAICW[0], 77);  // no AICW: group
}

TEST(StatusRecord, ErrorCodes) {
    EXPECT_EQ(Decoded("ST:00;ER:0A;").nError, 10);
    EXPECT_EQ(Decoded("ST:00;ER:10;").nError, 10);
    EXPECT_EQ(Decoded("ST:00;ER:04;").nError, 4);
    EXPECT_EQ(Decoded("ST:00;").nError, 1);  // no ER: group
    EXPECT_EQ(Decoded("ST:0A;").nStatus, 10);
    EXPECT_EQ(Decoded("ST:4;ER:6;").nStatus, 4);
    EXPECT_EQ(Decoded("ST:4;ER:6;").nError, 6);
}

TEST(StatusRecord, TheBinaryFormDecodesThroughItsText) {
    const std::vector<std::uint8_t> block = BinaryBlock({1, 1, 0, 2, 1, 10});
    STATUSINF status = Marked();
    ASSERT_EQ(drvlib::StatusReply(BinaryText(block), &status), kReplyDone);
    EXPECT_EQ(status.nStatus, 0);
    EXPECT_EQ(status.nError, 10);
    EXPECT_EQ(status.nTC, -1);
}

TEST(StatusRecord, InkQualityByGroupLength) {
    const auto values = [](std::string_view reply) {
        const STATUSINF status = Decoded(reply);
        return std::vector<int>(status.nInkQuality, status.nInkQuality + 7);
    };
    EXPECT_EQ(values("ST:00;IQ:0A0B0C0D;"), (std::vector<int>{10, 11, 12, 13, -1, -1, -1}));
    EXPECT_EQ(values("ST:00;IQ:0A0B0C0D0E;"), (std::vector<int>{10, 11, 12, 13, 14, -1, -1}));
    EXPECT_EQ(values("ST:00;IQ:0A0B0C0D0E0F10;"), (std::vector<int>{10, 11, 12, 13, 14, 15, 16}));
    // Cut inside a value: that value and the ones after it are not there.
    EXPECT_EQ(values("ST:00;IQ:0A0B0C0D0E0;"), (std::vector<int>{10, 11, 12, 13, 14, -1, -1}));
    EXPECT_EQ(values("ST:00;IQ:0A0B0;"), (std::vector<int>{10, 11, 77, 77, -1, -1, -1}));
    // The group ends at its ";": the next group's characters are not values.
    EXPECT_EQ(values("ST:00;IQ:0A;MI:11223344556677;"), (std::vector<int>{10, 77, 77, 77, -1, -1, -1}));
    // At the very end of the text without a ";".
    EXPECT_EQ(values("ST:00;IQ:0A0B0C0D0E0F1"), (std::vector<int>{10, 11, 12, 13, 14, 15, -1}));
}

TEST(StatusRecord, Warnings) {
    const STATUSINF both = Decoded("ST:00;WR:1012;");
    EXPECT_EQ(std::vector<int>(both.nWarning, both.nWarning + 7), (std::vector<int>{1, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(both.strWarning, "1012");
    const STATUSINF outside = Decoded("ST:00;WR:0917160A;");
    EXPECT_EQ(std::vector<int>(outside.nWarning, outside.nWarning + 7),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    // Cleared and emptied even when the reply lists none, or has no WR: group at all.
    const STATUSINF none = Decoded("ST:00;");
    EXPECT_EQ(std::vector<int>(none.nWarning, none.nWarning + 7), std::vector<int>(7, 0));
    EXPECT_EQ(none.strWarning, "");
    EXPECT_EQ(Decoded("ST:00;WR:1").strWarning, "1");
}

TEST(StatusRecord, OtherGroups) {
    EXPECT_EQ(Decoded("ST:00;RV:B;").cRV, 'B');
    EXPECT_EQ(Decoded("ST:00;MI:1A;").nMI, 26);
    EXPECT_EQ(Decoded("ST:00;MI:1;").nMI, 77);
    EXPECT_EQ(Decoded("ST:00;TC:1F0;").nTC, 0x1F0);
    EXPECT_EQ(Decoded("ER:04;TC:1;").nTC, 77);  // nothing is decoded without ST:
}

TEST(StatusRecord, AicwValuesUpToTheComma) {
    const auto values = [](std::string_view reply) {
        const STATUSINF status = Decoded(reply);
        return std::vector<int>(status.nAICW, status.nAICW + 7);
    };
    EXPECT_EQ(values("ST:00;AICW:abc01020304,99;"), (std::vector<int>{1, 2, 3, 4, -1, -1, 77}));
    EXPECT_EQ(values("ST:00;AICW:abc01020304050,;"), (std::vector<int>{1, 2, 3, 4, 5, -1, -1}));
    EXPECT_EQ(values("ST:00;AICW:abc01020304050607;"), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(values("ST:00;AICW:ab;"), (std::vector<int>{77, 77, 77, 77, -1, -1, 77}));
}

TEST(StatusReplyResult, NotAvailableAndForeignReplies) {
    STATUSINF status = Marked();
    EXPECT_EQ(drvlib::StatusReply("st:NA;", &status), kReplyNotAvailable);
    EXPECT_EQ(drvlib::StatusReply("\x12\x9a noise", &status), kReplyUnexpected);
    EXPECT_EQ(status.nStatus, 77);
    EXPECT_EQ(drvlib::StatusReply("@BDC ST\r\nST:02;ER:00;", &status), kReplyDone);
    EXPECT_EQ(status.nStatus, 2);
}

TEST(ReplyWords, TestedInTheirOrder) {
    EXPECT_EQ(drvlib::StandardReply("rs:OK;"), kReplyDone);
    EXPECT_EQ(drvlib::StandardReply("NA"), kReplyNotAvailable);
    EXPECT_EQ(drvlib::StandardReply("rs:BUSY;"), kReplyBusy);
    EXPECT_EQ(drvlib::StandardReply("rs:??;"), kReplyUnexpected);
    // Cold start and the carriage position take "NA" for a reply of another form.
    EXPECT_EQ(drvlib::ColdStartReply("rs:NA;"), kReplyUnexpected);
    EXPECT_EQ(drvlib::ColdStartReply("anything"), kReplyDone);
    EXPECT_EQ(drvlib::CarriagePositionReply("cx:NA;"), kReplyUnexpected);
    EXPECT_EQ(drvlib::CarriagePositionReply("cx:01;"), kReplyBusy);
    EXPECT_EQ(drvlib::RollPaperModeReply("EX:0000000501;"), 2);
    EXPECT_EQ(drvlib::RollPaperModeReply("EX:0000000502;"), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgePositionReply("cx:FF;"), 2);
    EXPECT_EQ(drvlib::CartridgePositionReply("cx:NA;"), kReplyNotAvailable);
}

TEST(CartridgeStatus, TextFromSixAfterTheKey) {
    std::string text = "old";
    EXPECT_EQ(drvlib::CartridgeStatusReply("cs:abcdefg;", &text), kReplyDone);
    EXPECT_EQ(text, "defg");
    EXPECT_EQ(drvlib::CartridgeStatusReply("cs:abcd;", &text), kReplyDone);
    EXPECT_EQ(text, "d");
    text = "old";
    EXPECT_EQ(drvlib::CartridgeStatusReply("cs:abc;", &text), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeStatusReply("cs:abcdefg", &text), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeStatusReply("xx:abcdefg;", &text), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeStatusReply("cs:NA;", &text), kReplyNotAvailable);
    EXPECT_EQ(text, "old");
}

TEST(PaperSetting, TwoPairsAfterTheKey) {
    int a = 77;
    int b = 77;
    EXPECT_EQ(drvlib::PaperSettingReply("mr:MR:xx1A2B;", &a, &b), kReplyDone);
    EXPECT_EQ(a, 0x1A);
    EXPECT_EQ(b, 0x2B);
    a = b = 77;
    EXPECT_EQ(drvlib::PaperSettingReply("MR:xx1A2;", &a, &b), kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperSettingReply("MR:xx1;", &a, &b), kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperSettingReply("xx1A2B;", &a, &b), kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperSettingReply("mr:NA;", &a, &b), kReplyNotAvailable);
    EXPECT_EQ(a, 77);
}

TEST(PaperInformation, NameAndNumbersAtTheirOffsets) {
    const std::string name = "Continuous paper 10 inch           ABCDE";  // 40 characters
    ASSERT_EQ(name.size(), 40u);
    const std::string reply = "CM:07" + name + "0102" + "1020" + "3040" + "50" + ";";
    PAPERINF paper;
    ASSERT_EQ(drvlib::PaperInformationReply(reply, &paper), kReplyDone);
    EXPECT_EQ(paper.strName, name.c_str());
    EXPECT_EQ(paper.nValue1, 1);
    EXPECT_EQ(paper.nValue2, 2);
    EXPECT_EQ(paper.nSum1, 0x10 + 0x20 + 256);
    EXPECT_EQ(paper.nSum2, 0x30 + 0x40 + 256);
    EXPECT_EQ(paper.nValue5, 0x40);
    EXPECT_EQ(paper.nValue6, 0x50);

    PAPERINF untouched;
    untouched.nValue1 = 77;
    EXPECT_EQ(drvlib::PaperInformationReply(reply.substr(0, reply.size() - 2) + ";", &untouched),
              kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperInformationReply("CM:07short;", &untouched), kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperInformationReply(name, &untouched), kReplyUnexpected);
    EXPECT_EQ(drvlib::PaperInformationReply("cm:NA;", &untouched), kReplyNotAvailable);
    EXPECT_EQ(untouched.nValue1, 77);
}

TEST(CartridgeInformation, TwoEntriesFromTheirBlocks) {
    const std::string reply =
        "II:IQ:0A;TSH:1234;PDY:26;PDM:01;IC1:00FF;IC2:0100;IK1:11;IK2:22;TOV:33;TVU:44;LOG:ABCDEFG;ORLEX;"
        "IQ:01,02,03,04,05;PDY:27;LOG:XY;ORLEX;";
    CSICINF csic;
    csic.entry[1].nSlot[5] = 77;
    ASSERT_EQ(drvlib::CartridgeInformationReply(reply, &csic), kReplyDone);
    const CSICENTRY& first = csic.entry[0];
    EXPECT_EQ(std::vector<int>(first.nSlot, first.nSlot + 14),
              (std::vector<int>{10, -1, 0, 0, 0, 0x1234, 0x26, 1, 0xFF, 0x100, 0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(first.strLog, "ABCDE");
    const CSICENTRY& second = csic.entry[1];
    // The second entry's keys come from its own block only.
    EXPECT_EQ(std::vector<int>(second.nSlot, second.nSlot + 14),
              (std::vector<int>{1, 2, 3, 4, 5, 77, 0x27, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(second.strLog, "XY");
}

TEST(CartridgeInformation, ShortBlocksAndMissingMarkers) {
    CSICINF csic;
    csic.entry[1].nSlot[3] = 77;
    ASSERT_EQ(drvlib::CartridgeInformationReply("II:IQ:;ORLEX;IQ:01,02,03,0;", &csic), kReplyDone);
    EXPECT_EQ(csic.entry[0].nSlot[0], -1);
    EXPECT_EQ(csic.entry[1].nSlot[2], 3);
    EXPECT_EQ(csic.entry[1].nSlot[3], 77);  // cut before its two characters
    EXPECT_EQ(drvlib::CartridgeInformationReply("IQ:0A;ORLEX;", &csic), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeInformationReply("II:0A;ORLEX;", &csic), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeInformationReply("II:IQ:0A;", &csic), kReplyUnexpected);
    EXPECT_EQ(drvlib::CartridgeInformationReply("ii:NA;", &csic), kReplyNotAvailable);
}

TEST(FlashControl, CharactersFromOffsetSixByKind) {
    std::string text = "old";
    EXPECT_EQ(drvlib::FlashControlReply("fl:OK;12345678", 1, &text), kReplyDone);
    EXPECT_EQ(text, "12");
    EXPECT_EQ(drvlib::FlashControlReply("fl:OK;12345678", 2, &text), kReplyDone);
    EXPECT_EQ(text, "123456");
    EXPECT_EQ(drvlib::FlashControlReply("fl:OK;1234", 2, &text), kReplyUnexpected);
    EXPECT_EQ(drvlib::FlashControlReply("fl:NA;", 1, &text), kReplyUnexpected);
}

TEST(EepromByte, TheTwoDigitsBeforeTheSemicolonAfterTheKey) {
    unsigned char value = 0x77;
    EXPECT_EQ(drvlib::EepromByteReply("EE:00A2 VALUE:5A;", "EE", &value), kReplyDone);
    EXPECT_EQ(value, 0x5A);
    EXPECT_EQ(drvlib::EepromByteReply("IC:01c3;", "IC", &value), kReplyDone);
    EXPECT_EQ(value, 0xC3);
    value = 0x77;
    EXPECT_EQ(drvlib::EepromByteReply("NA;", "EE", &value), kReplyUnexpected);
    EXPECT_EQ(drvlib::EepromByteReply("EE:00A2 VALUE:5A", "EE", &value), kReplyUnexpected);
    EXPECT_EQ(drvlib::EepromByteReply("EE5;", "EE", &value), kReplyUnexpected);
    EXPECT_EQ(drvlib::EepromByteReply("EE:0G;", "EE", &value), kReplyUnexpected);
    EXPECT_EQ(value, 0x77);
}

TEST(DeviceIdText, DescriptionOrMakerAndModel) {
    std::string id;
    EXPECT_EQ(drvlib::DeviceIdReply("MFG:ORLEX;MDL:VK-572D;CMD:VXPRINT24,D4;DES:ORLEX VK-572D II;", &id),
              kReplyDone);
    EXPECT_EQ(id, "ORLEX VK-572D II");
    EXPECT_EQ(drvlib::DeviceIdReply("MFG:ORLEX;MDL:VK-2240II;CMD:VXPRINT24,D4;", &id), kReplyDone);
    EXPECT_EQ(id, "ORLEX VK-2240II");
    EXPECT_EQ(drvlib::DeviceIdReply("di:NA;", &id), kReplyNotAvailable);
}

}  // namespace
