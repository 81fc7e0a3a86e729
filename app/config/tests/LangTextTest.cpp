#include <gtest/gtest.h>

#include <string>

#include "ConfigTest.h"
#include "config/CTolvLangText.h"

namespace {

class LangTextTest : public ConfigTest {
protected:
    void SetUp() override {
        ConfigTest::SetUp();
        folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n");
    }
    void WriteMenu(const std::string& text) { folder_.Write("Parameter/VK-572D/English.mnu", text); }
    void WriteDescriptions(const std::string& text) {
        folder_.Write("Parameter/VK-572D/EnglishText.dat", text);
    }
};

TEST_F(LangTextTest, FilesOfTheProfileAndLanguage) {
    const CTolvLangText& t = *CTolvLangText::Instance();
    EXPECT_EQ(t.GetMenuPath(), folder_.Path() + "Parameter\\VK-572D\\English.mnu");
    EXPECT_EQ(t.GetDescriptionPath(), folder_.Path() + "Parameter\\VK-572D\\EnglishText.dat");
}

TEST_F(LangTextTest, MissingMenuFileGivesTheDefaultTexts) {
    const CTolvLangText& t = *CTolvLangText::Instance();
    EXPECT_EQ(t.strStatus[5], "Status - ERROR 05");
    EXPECT_EQ(t.strError[30], "Status - ERROR 30");
    EXPECT_EQ(t.strFatalError[0x1A], "Unkonwn Fatal Error");
    EXPECT_EQ(t.strMessage[0], "");
    EXPECT_TRUE(t.GetMenuTable().names.empty());
    EXPECT_TRUE(t.GetPartsTable().names.empty());
    EXPECT_TRUE(t.GetSequence().empty());
    EXPECT_EQ(t.GetText("BID_ADJUST"), "");
}

TEST_F(LangTextTest, ReadsEverySectionAndParsesTheTables) {
    WriteMenu(
        "[MENU]\r\nstrMenu00=Information||100\r\nstrMenu02=Bi-d||102||Bi-d alignment\r\n"
        "[SEQUENCE]\r\nstrSequence=100,102\r\n"
        "[PARTS]\r\nstrParts00=Head||102\r\nstrParts100=Board||100,102\r\n"
        "[STATUS]\r\nstrStatus05=Paper out\r\n[ERROR]\r\nstrError30=Carriage\r\n"
        "[FATAL_ERROR]\r\nstrFatalError1A=Fan\r\nstrFatalError26=Motor\r\nstrFatalErrorFF=Last\r\n"
        "[MESSAGE]\r\nstrMessage19=Done\r\n[CUSTOM_MESSAGE]\r\nstrCustomMsg00=Hello\r\n");
    const CTolvLangText& t = *CTolvLangText::Instance();
    EXPECT_EQ(t.strStatus[5], "Paper out");
    EXPECT_EQ(t.strStatus[4], "Status - ERROR 04");
    EXPECT_EQ(t.strError[30], "Carriage");
    // Fatal error keys carry the code in hexadecimal.
    EXPECT_EQ(t.strFatalError[0x1A], "Fan");
    EXPECT_EQ(t.strFatalError[0x26], "Motor");
    EXPECT_EQ(t.strFatalError[0x19], "Unkonwn Fatal Error");
    EXPECT_EQ(t.strFatalError[0xFF], "Last");
    EXPECT_EQ(t.strMessage[19], "Done");
    EXPECT_EQ(t.strCustomMsg[0], "Hello");

    EXPECT_EQ(t.GetMenuTable().names.size(), 3u);
    EXPECT_EQ(t.GetPartsTable().names.size(), 101u);
    EXPECT_EQ(t.GetPartsTable().names[100], "Board");
    EXPECT_EQ(t.GetSequence(), (std::vector<std::string>{"100", "102"}));
    EXPECT_EQ(t.GetMenuName(102), "Bi-d");
    EXPECT_EQ(t.GetSequenceCaption(102), "Bi-d alignment");
    EXPECT_EQ(t.GetSequenceCaption(100), "Information");
    EXPECT_EQ(t.GetMenuName(101), "");
}

TEST_F(LangTextTest, SwitchingLanguageOrProfileReloadsEveryText) {
    WriteMenu("[STATUS]\r\nstrStatus00=Ready\r\n[MENU]\r\nstrMenu00=Info||100\r\n");
    folder_.Write("Parameter/VK-572D/Japanese.mnu", "[STATUS]\r\nstrStatus01=x\r\n");
    folder_.Write("Parameter/VK-2240II/Japanese.mnu", "[MENU]\r\nstrMenu00=Wide||101\r\n");
    CTolvLangText& t = *CTolvLangText::Instance();
    EXPECT_EQ(t.strStatus[0], "Ready");
    t.SetLanguage("Japanese");
    EXPECT_EQ(t.GetLanguageName(), "Japanese");
    EXPECT_EQ(t.strStatus[0], "Status - ERROR 00");
    EXPECT_EQ(t.strStatus[1], "x");
    EXPECT_TRUE(t.GetMenuTable().names.empty());
    t.SetProfile("VK-2240II");
    EXPECT_EQ(t.GetMenuPath(), folder_.Path() + "Parameter\\VK-2240II\\Japanese.mnu");
    EXPECT_EQ(t.GetMenuName(101), "Wide");
}

TEST_F(LangTextTest, GetTextJoinsTheLinesAndExpandsEscapes) {
    struct Case {
        const char* section;
        const char* expected;
    } const cases[] = {
        {"[K]\r\nCOUNT=2\r\nTEXT1=first\\n\r\nTEXT2=second\r\n", "first\r\nsecond"},
        {"[K]\r\nCOUNT=2\r\nTEXT1=first\r\nTEXT2=second\r\n", "firstsecond"},
        {"[K]\r\nCOUNT=1\r\nTEXT1=\\tindented; not a comment\r\n", "    indented; not a comment"},
        {"[K]\r\nCOUNT=3\r\nTEXT1=a\r\nTEXT3=c\r\n", "ac"},
        {"[K]\r\nCOUNT=1\r\nTEXT2=b\r\n", ""},
        {"[K]\r\nTEXT1=no count\r\n", ""},
        {"[K]\r\nCOUNT=-4\r\nTEXT1=a\r\n", ""},
        {"[K]\r\nCOUNT=2000000000\r\nTEXT1=a\r\n", "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        WriteDescriptions(c.section);
        EXPECT_EQ(CTolvLangText::Instance()->GetText("K"), c.expected);
    }
    EXPECT_EQ(CTolvLangText::Instance()->GetText("UNKNOWN"), "");
}

TEST_F(LangTextTest, OverlongDescriptionLineIsReportedAndKept) {
    MessageRecorder messages;
    WriteDescriptions("[K]\r\nCOUNT=3\r\nTEXT1=" + std::string(253, 'a') +
                      "\r\nTEXT2=" + std::string(300, 'b') + "\r\nTEXT3=c\r\n");
    EXPECT_EQ(CTolvLangText::Instance()->GetText("K"), std::string(253, 'a') + std::string(254, 'b') + "c");
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "Language.datで指定する2行目の文字列が長すぎます。");
    EXPECT_EQ(messages.Messages()[0].icon, platform::MessageIcon::Stop);
}

}  // namespace
