#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ConfigTest.h"
#include "config/CParamLoaderIniFile.h"

namespace {

// Damaged or foreign files must load without a crash and give defaults or what the bytes say.
class ParamLoaderRobustnessTest : public ConfigTest {
protected:
    void Load(const std::string& bytes) {
        folder_.Write("damaged.ini", bytes);
        loader_.AddString("S", "strText", &text_, "default");
        loader_.AddInt("S", "nNumber", &number_, 7);
        loader_.AddIntList("S", "pnList", &list_, "1 2");
        loader_.AddIntListSlice("S", "pnSlice", &slice_, 0, 16, "0");
        loader_.SetPath(folder_.File("damaged.ini"));
        loader_.Load();
        EXPECT_EQ(slice_.size(), 16u);
    }

    CParamLoaderIniFile loader_;
    std::string text_;
    int number_ = 0;
    std::vector<int> list_;
    std::vector<int> slice_;
};

TEST_F(ParamLoaderRobustnessTest, BinaryGarbage) {
    std::mt19937 random(20260101);
    std::string bytes(64 * 1024, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    Load(bytes);
}

TEST_F(ParamLoaderRobustnessTest, GarbageAroundTheKeysStillReadsThem) {
    const std::string nul(1, '\0');
    Load("\x80\xFE" + nul + "junk\r\n[S]\r\nstrText=ab" + nul + "cd\r\n\x80\x81=\x82\r\nnNumber=12\r\n" +
         nul + "\r\npnList=3" + nul + " 4");
    EXPECT_EQ(number_, 12);
    EXPECT_EQ(text_.find('\0'), std::string::npos);
}

TEST_F(ParamLoaderRobustnessTest, TenMegabyteFile) {
    std::string bytes = "[S]\r\n";
    const std::string filler = "; " + std::string(98, 'x') + "\r\n";
    while (bytes.size() < 10u * 1024 * 1024) {
        bytes += filler;
    }
    bytes += "pnList=" + std::string(5u * 1024 * 1024, '9') + "\r\nnNumber=3\r\n";
    Load(bytes);
    EXPECT_EQ(number_, 3);
    ASSERT_EQ(list_.size(), 1u);
    EXPECT_EQ(list_[0], 2147483647);
}

TEST_F(ParamLoaderRobustnessTest, LastLineWithoutLineEnd) {
    Load("[S]\r\nnNumber=4\r\nstrText=last");
    EXPECT_EQ(number_, 4);
    EXPECT_EQ(text_, "last");
}

TEST_F(ParamLoaderRobustnessTest, EmptyPathReadsDefaultsAndWritesNothing) {
    loader_.AddInt("S", "nNumber", &number_, 7);
    loader_.Load();
    EXPECT_EQ(number_, 7);
    EXPECT_EQ(loader_.Save(), 0);
}

}  // namespace
