#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workflow/SequentialList.h"

namespace {

using Items = std::vector<std::string>;
using workflow::SequentialOutcome;

TEST(SequentialListTest, RunsFollowTheMasterSequence) {
    const Items sequence{"100", "101", "102", "103", "104"};
    struct Case {
        const char* name;
        std::vector<Items> ticked;
        Items sequence;
        Items run;
    } const cases[] = {
        {"each item once, in sequence order",
         {{"102", "101"}, {"101", "103"}},
         sequence,
         {"101", "102", "103"}},
        {"items missing from the sequence are dropped", {{"999", "104"}}, sequence, {"104"}},
        {"nothing in the sequence runs its last entry", {{"999"}}, sequence, {"104"}},
        {"an item listed twice runs twice", {{"101"}}, {"101", "100", "101"}, {"101", "101"}},
        {"texts compare exactly", {{" 101", "0101"}}, sequence, {"104"}},
        {"an empty sequence gives an empty run", {{"101"}}, {}, {}},
    };
    for (const auto& c : cases) {
        const workflow::SequentialList list = workflow::BuildSequentialList(c.ticked, c.sequence);
        EXPECT_EQ(list.outcome, SequentialOutcome::Ready) << c.name;
        EXPECT_EQ(list.items, c.run) << c.name;
    }
}

TEST(SequentialListTest, NothingSelected) {
    const Items sequence{"100", "101"};
    for (const std::vector<Items>& ticked : {std::vector<Items>{}, std::vector<Items>{{}, {}}}) {
        const workflow::SequentialList list = workflow::BuildSequentialList(ticked, sequence);
        EXPECT_EQ(list.outcome, SequentialOutcome::NothingSelected);
        EXPECT_TRUE(list.items.empty());
    }
}

TEST(SequentialListTest, TickedRowsOfThePartsTable) {
    config::PartsTable parts;
    parts.names = {"Head", "", "Platen"};
    parts.items = {{"102", "101"}, {}, {"101", "103"}};
    const Items sequence{"100", "101", "102", "103", "104"};
    const std::vector<int> rows{0, 2, 7, -1};
    EXPECT_EQ(workflow::BuildSequentialList(parts, rows, sequence).items, (Items{"101", "102", "103"}));
    const std::vector<int> emptyRow{1};
    EXPECT_EQ(workflow::BuildSequentialList(parts, emptyRow, sequence).outcome,
              SequentialOutcome::NothingSelected);
}

// The parts list shows a row without a name with a disabled check box; ticking its row number by any
// other way must not bring its items into the run either.
TEST(SequentialListTest, ARowWithoutANameNeverJoinsTheRun) {
    config::PartsTable parts;
    // Only an empty name disables the check box; blanks are a name the list shows.
    parts.names = {"Head", "", "   "};
    parts.items = {{"101"}, {"102", "103"}, {"104"}};
    const Items sequence{"100", "101", "102", "103", "104"};
    const std::vector<int> rows{0, 1, 2};
    EXPECT_EQ(workflow::BuildSequentialList(parts, rows, sequence).items, (Items{"101", "104"}));
    const std::vector<int> namelessOnly{1};
    EXPECT_EQ(workflow::BuildSequentialList(parts, namelessOnly, sequence).outcome,
              SequentialOutcome::NothingSelected);
}

}  // namespace
