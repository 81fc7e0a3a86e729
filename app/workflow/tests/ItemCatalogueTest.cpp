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

TEST(ItemCatalogueTest, FindGivesTheItemOfThatNumberAndNothingForTheNumbersBetween) {
    int previous = 0;
    for (const workflow::CatalogueItem& item : ItemCatalogue::Items()) {
        SCOPED_TRACE(item.number);
        EXPECT_EQ(ItemCatalogue::Find(item.number), &item);
        EXPECT_EQ(ItemName(item.number), item.name);
        for (int between = previous + 1; between < item.number; ++between) {
            EXPECT_EQ(ItemCatalogue::Find(between), nullptr) << between;
        }
        previous = item.number;
    }
    EXPECT_EQ(ItemCatalogue::Find(previous + 1), nullptr);
}

// The paper-end, print test and counter reset pages tell their items apart by a one-bit argument (the
// sensor kind, the test sequence, the counter flag): each item needs a bit of its own, or two items
// would do the same work. Pages without an argument, and items without a page, carry 0.
TEST(ItemCatalogueTest, EveryItemOfAMaskPageSelectsItsOwnBit) {
    const workflow::CatalogueItem* everyPrintTest = ItemCatalogue::Find(200);
    ASSERT_NE(everyPrintTest, nullptr);
    // The print test page shows its re-adjust group only for all twelve sequences (0xFFF).
    EXPECT_EQ(everyPrintTest->pageArgument, 0xFFF);

    for (const ItemPage page : {ItemPage::PEAdjust, ItemPage::PrintTest, ItemPage::CounterReset}) {
        int bitsTaken = 0;
        int items = 0;
        for (const workflow::CatalogueItem& item : ItemCatalogue::Items()) {
            if (item.page != page || &item == everyPrintTest) {
                continue;
            }
            SCOPED_TRACE(item.name);
            ++items;
            const int bit = item.pageArgument;
            EXPECT_TRUE(bit > 0 && (bit & (bit - 1)) == 0) << "argument " << bit << " is not a single bit";
            EXPECT_EQ(bitsTaken & bit, 0) << "bit " << bit << " is already another item's";
            bitsTaken |= bit;
        }
        EXPECT_GE(items, 3);
        if (page == ItemPage::PrintTest) {
            EXPECT_EQ(everyPrintTest->pageArgument & bitsTaken, bitsTaken)
                << "a print test the general item leaves out";
        }
    }
    for (const workflow::CatalogueItem& item : ItemCatalogue::Items()) {
        const bool takesMask = item.page == ItemPage::PEAdjust || item.page == ItemPage::PrintTest ||
                               item.page == ItemPage::CounterReset;
        if (!takesMask) {
            EXPECT_EQ(item.pageArgument, 0) << item.name;
        }
    }
}

}  // namespace
