#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/MenuTables.h"

namespace {

using Fields = std::vector<std::string>;

TEST(MenuTablesTest, SplitFields) {
    struct Case {
        const char* text;
        const char* separator;
        Fields fields;
    } const cases[] = {
        {"a||b||c", "||", {"a", "b", "c"}},
        {"name||", "||", {"name"}},  // a trailing separator adds no field
        {"||102", "||", {"", "102"}},
        {"a||||b", "||", {"a", "", "b"}},
        {"", "||", {}},
        {"a|b", "||", {"a|b"}},
        {"101, 102,", ",", {"101", " 102"}},  // fields are not trimmed
        {",", ",", {""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config::SplitFields(c.text, c.separator), c.fields) << '"' << c.text << '"';
    }
}

TEST(MenuTablesTest, MenuRows) {
    const std::vector<std::string> slots{"Info||100",  "",           "Bi-d||102||Bi-d alignment",
                                         "Plain",      "Trailing||", "Zero||0",
                                         "a||b||c||d", "",           "",
                                         "Again||102", "",           ""};
    const config::MenuTable menu = config::ParseMenu(slots);
    // Rows run to the last slot with a value; the empty slot 1 stays a row.
    EXPECT_EQ(menu.names,
              (Fields{"Info", "", "Bi-d", "Plain", "Trailing||", "Zero", "a||b||c||d", "", "", "Again"}));
    EXPECT_EQ(menu.numbers, (Fields{"100", "", "102", "", "", "0", "", "", "", "102"}));
    EXPECT_EQ(menu.captions[0], "Info");
    EXPECT_EQ(menu.captions[2], "Bi-d alignment");
    EXPECT_EQ(menu.captions[4], "Trailing||");

    EXPECT_EQ(config::FindMenuRow(menu, 102), 2);  // the first row with the number
    EXPECT_EQ(config::FindMenuRow(menu, 100), 0);
    EXPECT_EQ(config::FindMenuRow(menu, 0), -1);  // "0" is never a menu number
    EXPECT_EQ(config::FindMenuRow(menu, 101), -1);
    EXPECT_TRUE(config::ParseMenu({}).names.empty());
}

TEST(MenuTablesTest, PartsRows) {
    std::vector<std::string> slots(200);
    slots[0] = "Print head||102,101";
    slots[4] = "No items";
    slots[6] = "Platen||101,103";
    slots[7] = "Sensor||";
    const config::PartsTable parts = config::ParseParts(slots);
    // "Sensor||" has one field: its row stays, without a name and without items.
    EXPECT_EQ(parts.names, (Fields{"Print head", "", "", "", "", "", "Platen", ""}));
    EXPECT_EQ(parts.items[0], (Fields{"102", "101"}));
    EXPECT_EQ(parts.items[4], Fields{});
    EXPECT_EQ(parts.items[6], (Fields{"101", "103"}));
    EXPECT_EQ(parts.items[7], Fields{});
}

TEST(MenuTablesTest, SequenceAndItemNumbers) {
    EXPECT_EQ(config::ParseSequence("100,101,102"), (Fields{"100", "101", "102"}));
    EXPECT_EQ(config::ParseSequence(""), Fields{});
    EXPECT_EQ(config::ItemNumber(" 102"), 102);
    EXPECT_EQ(config::ItemNumber("102abc"), 102);
    EXPECT_EQ(config::ItemNumber("abc"), 0);
    EXPECT_EQ(config::ItemNumber("-5"), -5);
}

}  // namespace
