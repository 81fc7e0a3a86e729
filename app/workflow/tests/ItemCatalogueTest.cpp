#include <gtest/gtest.h>

#include <set>
#include <string>

#include "workflow/ItemCatalogue.h"

namespace {

using workflow::ItemCatalogue;
using workflow::ItemName;
using workflow::ItemPage;

// The names are text keys of the language files, so their spelling is part of the file format.
TEST(ItemCatalogueTest, NamesAreTextKeysAndUnknownNumbersShowTheErrorPage) {
    EXPECT_EQ(ItemName(100), "GET_PRINTER_INFOMATION");
    EXPECT_EQ(ItemName(304), "GET_CNT_INFOMATION");
    EXPECT_EQ(ItemName(209), "PRINT_TEST_COLOR");
    for (int unknown : {0, -1, 99, 108, 199, 210, 300, 305, 400, 407, 999}) {
        EXPECT_EQ(ItemName(unknown), "ERROR_PAGE") << unknown;
    }
    std::set<std::string> names;
    int previous = 0;
    for (const workflow::CatalogueItem& item : ItemCatalogue::Items()) {
        EXPECT_GT(item.number, previous);
        previous = item.number;
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
    }
    EXPECT_EQ(names.size(), 28u);
}

TEST(ItemCatalogueTest, PagesAndTheirArguments) {
    struct Case {
        int number;
        ItemPage page;
        int argument;
    } const cases[] = {
        {105, ItemPage::PEAdjust, 1},     {107, ItemPage::PEAdjust, 4},      {200, ItemPage::PrintTest, 4095},
        {205, ItemPage::PrintTest, 16},   {206, ItemPage::None, 0},          {209, ItemPage::None, 0},
        {303, ItemPage::CounterReset, 4}, {405, ItemPage::GetFatalECode, 0},
    };
    for (const Case& c : cases) {
        const workflow::CatalogueItem* item = ItemCatalogue::Find(c.number);
        ASSERT_NE(item, nullptr) << c.number;
        EXPECT_EQ(item->page, c.page) << c.number;
        EXPECT_EQ(item->pageArgument, c.argument) << c.number;
    }
    EXPECT_EQ(ItemCatalogue::Find(0), nullptr);
}

}  // namespace
