#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "ConfigTest.h"
#include "config/CParamLoaderIniFile.h"

namespace {

// One member of every kind, bound to [S] of one file.
struct Members {
    std::string text;
    int number = -1;
    double real = -1;
    BOOL flag = -1;
    WORD word = 1;
    DWORD hex = 1;
    std::vector<int> numbers;
    std::vector<double> reals;
    std::vector<int> map;

    explicit Members(const std::string& path) {
        loader.AddString("S", "strText", &text, "default text");
        loader.AddInt("S", "nNumber", &number, 7);
        loader.AddDouble("S", "dReal", &real, 2.5);
        loader.AddBool("S", "bFlag", &flag, 1);
        loader.AddWord("S", "wWord", &word, 0x1234);
        loader.AddHex("S", "dwHex", &hex, 0xBEEF);
        loader.AddIntList("S", "pnNumbers", &numbers, "-12 12");
        loader.AddDoubleList("S", "pdReals", &reals, "0.5 1.5");
        loader.AddIntListSlice("S", "pnSlice0", &map, 0, 4, "1 1 1 1");
        loader.AddIntListSlice("S", "pnSlice1", &map, 4, 4, "2 2 2 2");
        loader.SetPath(path);
    }
    CParamLoaderIniFile loader;
};

class ParamLoaderTest : public ConfigTest {
protected:
    std::unique_ptr<Members> LoadFrom(const std::string& fileText) {
        folder_.Write("test.ini", fileText);
        auto members = std::make_unique<Members>(folder_.File("test.ini"));
        members->loader.Load();
        return members;
    }
    // The value of one key, with the other keys absent.
    std::unique_ptr<Members> LoadKey(const std::string& key, const std::string& value) {
        return LoadFrom("[S]\r\n" + key + "=" + value + "\r\n");
    }
};

TEST_F(ParamLoaderTest, MissingFileAndMissingKeysGiveTheDefaults) {
    for (const bool fileExists : {false, true}) {
        if (fileExists) {
            folder_.Write("test.ini", "[Other]\r\nstrText=x\r\n");
        }
        Members m(folder_.File("test.ini"));
        m.loader.Load();
        EXPECT_EQ(m.text, "default text");
        EXPECT_EQ(m.number, 7);
        EXPECT_EQ(m.real, 2.5);
        EXPECT_EQ(m.flag, 1);
        EXPECT_EQ(m.word, 0x1234);
        EXPECT_EQ(m.hex, 0xBEEFu);
        EXPECT_EQ(m.numbers, (std::vector<int>{-12, 12}));
        EXPECT_EQ(m.reals, (std::vector<double>{0.5, 1.5}));
        EXPECT_EQ(m.map, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2}));
    }
}

TEST_F(ParamLoaderTest, EmptyValueIsEmptyForStringsAndTheDefaultForOtherKinds) {
    auto m = LoadFrom("[S]\r\nstrText=\r\nnNumber=\r\nwWord=\r\npnNumbers=\r\npnSlice1=\r\n");
    EXPECT_EQ(m->text, "");
    EXPECT_EQ(m->number, 7);
    EXPECT_EQ(m->word, 0x1234);
    EXPECT_EQ(m->numbers, (std::vector<int>{-12, 12}));
    EXPECT_EQ(m->map, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2}));
}

TEST_F(ParamLoaderTest, IntegerKindsReadDecimalAndLowerCaseHexadecimal) {
    struct Case {
        const char* value;
        int number;
        WORD word;
        DWORD hex;
    } const cases[] = {
        {"42", 42, 42, 42},
        {"-3", -3, 0xFFFD, 0xFFFFFFFD},
        {"0x10", 16, 16, 16},
        {"0X10", 0, 0, 0},  // only a lower-case x marks hexadecimal
        {"0xffffffff", -1, 0xFFFF, 0xFFFFFFFF},
        {"70000", 70000, 4464, 70000},  // a word keeps the low 16 bits
        {"12abc", 12, 12, 12},
        {"abc", 0, 0, 0},
        {"99999999999", 2147483647, 0xFFFF, 2147483647},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string v = c.value;
        EXPECT_EQ(LoadKey("nNumber", v)->number, c.number);
        EXPECT_EQ(LoadKey("bFlag", v)->flag, c.number);
        EXPECT_EQ(LoadKey("wWord", v)->word, c.word);
        EXPECT_EQ(LoadKey("dwHex", v)->hex, c.hex);
    }
    EXPECT_EQ(LoadKey("dReal", "-1.25e2")->real, -125.0);
    EXPECT_EQ(LoadKey("dReal", "x")->real, 0.0);
}

TEST_F(ParamLoaderTest, CommentsAndEscapes) {
    struct Case {
        const char* line;
        const char* text;
    } const cases[] = {
        {"abc ;a comment", "abc"},
        {"a\\;b", "a;b"},  // an escaped ';' is part of the value, without its backslash
        {";abc", ";abc"},  // a ';' at the start is part of the value
        {";a;b", ";a"},
        {"one\\ntwo", "one\r\ntwo"},
        {"tab\\tstays", "tab\\tstays"},
        {"trailing   \t", "trailing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(LoadKey("strText", c.line)->text, c.text);
    }
    auto m = LoadKey("nNumber", "5 ;five");
    EXPECT_EQ(m->number, 5);
}

// The texts Save hands to the store, before any INI file function sees them (those drop the leading
// blanks of a value).
class RecordingLoader : public CParamLoaderBase {
public:
    int ReadValue(ParamRecord&, std::string& value, const char* defaultValue) override {
        value = defaultValue;
        return 0;
    }
    int WriteValue(const ParamRecord& record, const std::string& value) override {
        written.push_back(record.key + "=" + value);
        return 0;
    }
    std::vector<std::string> written;
};

TEST(ParamLoaderFormatTest, SaveWritesEveryKindInItsFormatInBindingOrder) {
    RecordingLoader loader;
    std::vector<int> numbers{1, -12, 255};
    std::vector<int> map{0, 1, 22, 333, 4, 5, 6, 7};
    std::vector<double> reals{1.5, 2};
    int number = -5;
    double real = 1.5;
    BOOL flag = 1;
    WORD word = 0x1F;
    DWORD hex = 0xABCD;
    std::string text = "name";
    loader.AddIntList("S", "pnNumbers", &numbers, "");
    loader.AddInt("S", "nNumber", &number, 0);
    loader.AddDouble("S", "dReal", &real, 0);
    loader.AddBool("S", "bFlag", &flag, 0);
    loader.AddWord("S", "wWord", &word, 0);
    loader.AddHex("S", "dwHex", &hex, 0);
    loader.AddIntListSlice("S", "pnSlice1", &map, 4, 4, "");
    loader.AddString("S", "strText", &text, "");
    loader.AddDoubleList("S", "pdReals", &reals, "");
    loader.AddIntListSlice("S", "pnSlice0", &map, 0, 4, "");
    loader.Save();
    EXPECT_EQ(loader.written, (std::vector<std::string>{
                                  "pnNumbers=  1 -12  255",
                                  "nNumber=-5",
                                  "dReal=1.500000",
                                  "bFlag=1",
                                  "wWord=0x1f",
                                  "dwHex=0xabcd",
                                  "pnSlice1=  4   5   6   7 ",  // slices keep their last blank
                                  "strText=name",
                                  "pdReals=1.500000 2.000000",
                                  "pnSlice0=  0   1  22  333 ",
                              }));
}

TEST_F(ParamLoaderTest, SaveWritesTheCommentsReadBackInColumn32) {
    auto m = LoadFrom("[S]\r\nnNumber=5 ;five\r\nstrText=a-value-long-enough-to-pass-column-31;c\r\n");
    m->loader.Save();
    const std::string file = folder_.Read("test.ini");
    // Key and value padded to 31 characters: the ';' stands in column 32, counted from 0.
    const std::string shortLine = "nNumber=5" + std::string(23, ' ') + ";five\r\n";
    EXPECT_NE(file.find(shortLine), std::string::npos) << file;
    EXPECT_EQ(shortLine.find(';'), 32u);
    EXPECT_NE(file.find("strText=a-value-long-enough-to-pass-column-31;c\r\n"), std::string::npos) << file;

    // A later load without the comment forgets it.
    folder_.Write("test.ini", "[S]\r\nnNumber=6\r\n");
    m->loader.Load();
    m->loader.Save();
    EXPECT_NE(folder_.Read("test.ini").find("nNumber=6\r\n"), std::string::npos);
}

// The original wrote ';' and line breaks unescaped, which cut the value at the next read.
TEST_F(ParamLoaderTest, SavedStringsReadBackUnchanged) {
    Members m(folder_.File("test.ini"));
    m.text = ";first; second\r\nthird";
    m.loader.Save();
    EXPECT_NE(folder_.Read("test.ini").find("strText=\\;first\\; second\\nthird\r\n"), std::string::npos);
    m.text.clear();
    m.loader.Load();
    EXPECT_EQ(m.text, ";first; second\r\nthird");
}

// Each of these texts once changed its value between the first and the second start of the program:
// Load, Save and Load again must give what the first Load gave.
TEST_F(ParamLoaderTest, SavedValuesLoadBackUnchanged) {
    struct Case {
        const char* key;
        const char* value;
    } const cases[] = {
        {"pnNumbers", "none of them"},  // an empty list, once written as "" and read as the default
        {"pdReals", "-"},               // a lone '-' is a number without digits: 0
        {"pdReals", "abc"},
        {"dReal", "1e999"},  // once infinity, written "inf" and read back as 0
        {"dReal", "-1e999"},
        {"pdReals", "1 1e999 2"},
        {"dReal", "1e-7"},  // "%f" writes 0.000000
        {"pdReals", "1e-310 0.1"},
        {"strText", "a-value-long-enough-to-reach-column-31\\ ;c"},  // backslash, then the comment
        {"strText", "\" ;only a comment\""},
        {"strText", "\"  blanks around  \""},
        {"strText", "'\"quoted twice\"'"},
        {"strText", "\"x\x1A\""},      // the end-of-file mark is trimmed by the profile functions
        {"nNumber", "\"4 ;four  \""},  // a comment ending in blanks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        auto first = LoadKey(c.key, c.value);
        first->loader.Save();
        const std::string saved = folder_.Read("test.ini");
        Members second(folder_.File("test.ini"));
        second.loader.Load();
        EXPECT_EQ(second.text, first->text) << saved;
        EXPECT_EQ(second.number, first->number);
        EXPECT_EQ(second.real, first->real) << saved;
        EXPECT_EQ(second.numbers, first->numbers) << saved;
        EXPECT_EQ(second.reals, first->reals) << saved;
        second.loader.Save();
        EXPECT_EQ(folder_.Read("test.ini"), saved) << "a second Save must change nothing";
    }
    // What the first Load reads, for the record.
    EXPECT_TRUE(LoadKey("pnNumbers", "none of them")->numbers.empty());
    EXPECT_EQ(LoadKey("dReal", "1e999")->real, std::numeric_limits<double>::max());
    EXPECT_EQ(LoadKey("dReal", "-1e999")->real, -std::numeric_limits<double>::max());
}

// Keys of 31 characters or more get no padding before their comment.
TEST_F(ParamLoaderTest, CommentOfALongKeyStaysACommentBehindABackslash) {
    const std::string key = "strAKeyOfThirtyOneCharactersLong";
    ASSERT_GE(key.size(), 31u);
    folder_.Write("test.ini", "[S]\r\n" + key + "=C:\\Tools\\ ;folder\r\n");
    std::string value;
    CParamLoaderIniFile loader;
    loader.AddString("S", key, &value, "");
    loader.SetPath(folder_.File("test.ini"));
    loader.Load();
    ASSERT_EQ(value, "C:\\Tools\\");
    loader.Save();
    EXPECT_EQ(folder_.Read("test.ini"), "[S]\r\n" + key + "=C:\\Tools\\ ;folder\r\n");
    value.clear();
    loader.Load();
    EXPECT_EQ(value, "C:\\Tools\\");
}

TEST_F(ParamLoaderTest, SlicesGrowTheVectorAndReplaceOnlyTheirOwnElements) {
    std::vector<int> map{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    CParamLoaderIniFile loader;
    loader.SetPath(folder_.File("missing.ini"));
    std::vector<std::size_t> sizes;
    for (int first : {0, 16, 32}) {
        loader.AddIntListSlice("S", "p" + std::to_string(first), &map, first, 16, "7");
    }
    folder_.Write("slices.ini", "[S]\r\np16=1 2 3\r\n");
    loader.SetPath(folder_.File("slices.ini"));
    loader.Load();
    ASSERT_EQ(map.size(), 48u);
    // Numbers the text lacks come from the default, and past the default's end are 0.
    EXPECT_EQ(map[0], 7);
    EXPECT_EQ(map[1], 0);
    EXPECT_EQ(map[15], 0);
    EXPECT_EQ((std::vector<int>(map.begin() + 16, map.begin() + 20)), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(map[32], 7);
    EXPECT_EQ(map[47], 0);
}

TEST_F(ParamLoaderTest, ListsLongerThan256CharactersKeepEveryNumber) {
    std::vector<int> longList;
    for (int i = 0; i < 120; ++i) {
        longList.push_back(i * 1000 - 7);
    }
    Members m(folder_.File("test.ini"));
    m.numbers = longList;
    m.loader.Save();
    ASSERT_GT(folder_.Read("test.ini").size(), 600u);
    m.numbers.clear();
    m.loader.Load();
    EXPECT_EQ(m.numbers, longList);
}

TEST_F(ParamLoaderTest, ReloadingAnotherFileOverwritesEveryTarget) {
    auto m = LoadFrom("[S]\r\nstrText=first\r\nnNumber=1\r\npnNumbers=1 2 3\r\npnSlice0=5 5 5 5\r\n");
    folder_.Write("other.ini", "[S]\r\nnNumber=2\r\n");
    m->loader.SetPath(folder_.File("other.ini"));
    m->loader.Load();
    EXPECT_EQ(m->text, "default text");
    EXPECT_EQ(m->number, 2);
    EXPECT_EQ(m->numbers, (std::vector<int>{-12, 12}));
    EXPECT_EQ(m->map, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2}));
}

}  // namespace
