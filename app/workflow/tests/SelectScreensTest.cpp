// The item menu and the parts list driven by the scripted technician, on a language file of the
// test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScreenTest.h"
#include "workflow/CTolvSelectItemDlg.h"
#include "workflow/CTolvSelectPartsDlg.h"

namespace screentest {
namespace {

constexpr const char* kMenuFile =
    "[MENU]\r\n"
    "strMenu00=Get Printer Information||100\r\n"
    "strMenu01=Bi-d Adjustment||102||Bi-d\r\n"
    "strMenu03=Trailing separator||\r\n"
    "strMenu04=Zero item||0\r\n"
    "strMenu05=Only a name\r\n"
    "strMenu06=Counters||304||Counters\r\n"
    "[SEQUENCE]\r\n"
    "strSequence=100,101,102,103,104\r\n"
    "[PARTS]\r\n"
    "strParts00=Part A||102,101\r\n"
    "strParts01=Part B||101,103\r\n"
    "strParts02=Part C||999\r\n"
    "strParts03=Part D||\r\n"
    "strParts04=Part E||\r\n"
    "strParts06=Part G||104,100\r\n";

constexpr const char* kDescriptions =
    "[INDIVIDUAL_LIST]\r\nCOUNT=1\r\nTEXT1=Pick one item.\r\n"
    "[SELECT_PARTS_DIALOG]\r\nCOUNT=2\r\nTEXT1=Tick the parts\\n\r\nTEXT2=you replaced.\r\n";

class SelectScreensTest : public ScreenTest {
protected:
    SelectScreensTest() {
        folder_.Write("Parameter/TEST/English.mnu", kMenuFile);
        folder_.Write("Parameter/TEST/EnglishText.dat", kDescriptions);
        folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=TEST\r\nstrLanguage=English\r\n");
    }
    void Open(ui::CDialog& screen) {
        ASSERT_TRUE(screen.Create(MainWindow()));
        screen.ShowWindow(true);
    }
};

TEST_P(SelectScreensTest, TheItemMenuListsEveryMenuSlot) {
    CTolvSelectItemDlg menu(host_);
    Open(menu);
    menu.Reset();
    Run("expect-text 1015 \"Pick one item.\"\n"
        "expect-text 2@134 \"Cancel\"\n"
        "expect-visible 1171 no\n"
        "expect-rows 1016 7\n"
        "expect-selection 1016 \"\"\n");
    const ui::CListBox list = menu.GetDlgItem(CTolvSelectItemDlg::kItemList);
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetCount(); ++row) {
        rows.push_back(list.GetText(row));
    }
    // A value that is not name and number shows whole.
    EXPECT_EQ(rows,
              (std::vector<std::string>{"Get Printer Information", "Bi-d Adjustment", "",
                                        "Trailing separator||", "Zero item", "Only a name", "Counters"}));
}

TEST_P(SelectScreensTest, TheItemMenuRunsTheOneItemOfTheSelectedRow) {
    CTolvSelectItemDlg menu(host_);
    Open(menu);
    menu.Reset();
    Run("click 1@134\n"                  // nothing selected
        "select 1016 #2\nclick 1@134\n"  // an empty slot
        "select 1016 #3\nclick 1@134\n"  // "name||" has no number
        "select 1016 #5\nclick 1@134\n"  // a value without "||"
        "select 1016 #1\nclick 1@134\n"
        "dblclick 1016 #6\n"
        "select 1016 #4\nkey enter\n");
    EXPECT_EQ(host_.runs, (std::vector<std::vector<int>>{{102}, {304}, {0}}));
    // Back to the top screen; a reset clears the selection.
    Run("click 2@134\n"
        "key escape\n");
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"StartAdjustment", "StartAdjustment", "StartAdjustment",
                                                     "ShowTopScreen", "ShowTopScreen"}));
    menu.Reset();
    Run("expect-selection 1016 \"\"\n");
}

TEST_P(SelectScreensTest, ThePartsListKeepsSlotNumbersAndDisablesNamelessRows) {
    CTolvSelectPartsDlg parts(host_);
    Open(parts);
    parts.Reset();
    Run("expect-text 1015 \"Tick the parts\\r\\nyou replaced.\"\n"
        "expect-rows 1173 7\n");
    const ui::CCheckListBox list = parts.GetDlgItem(CTolvSelectPartsDlg::kPartsList);
    std::vector<std::string> rows;
    std::vector<bool> usable;
    for (int row = 0; row < list.GetCount(); ++row) {
        rows.push_back(list.GetText(row));
        usable.push_back(list.IsEnabled(row));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"Part A", "Part B", "Part C", "", "", "", "Part G"}));
    EXPECT_EQ(usable, (std::vector<bool>{true, true, true, false, false, false, true}));
    // A double click toggles a row's tick, but never a row without a part.
    Run("dblclick 1173 #6\n"
        "expect-check 1173 #6 on\n"
        "dblclick 1173 #6\n"
        "expect-check 1173 #6 off\n"
        "dblclick 1173 #5\n"
        "expect-check 1173 #5 off\n");
}

TEST_P(SelectScreensTest, TickedPartsRunTheirItemsInSequenceOrder) {
    CTolvSelectPartsDlg parts(host_);
    Open(parts);
    parts.Reset();
    Run("tick 1173 #0 on\ntick 1173 #1 on\nclick 1@135\n");
    // Items the sequence does not know give way to its last entry.
    Run("click 1018\ntick 1173 #2 on\nclick 1@135\n");
    Run("click 1018\ntick 1173 #6 on\ntick 1173 #2 on\nkey enter\n");
    EXPECT_EQ(host_.runs, (std::vector<std::vector<int>>{{101, 102, 103}, {104}, {100, 104}}));
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{});
}

TEST_P(SelectScreensTest, NothingTickedAsksForPartsAndStays) {
    CTolvSelectPartsDlg parts(host_);
    Open(parts);
    parts.Reset();
    Run("click 1@135\n"
        "tick 1173 #0 on\n"
        "click 1018\n"
        "expect-check 1173 #0 off\n"
        "click 1@135\n");
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{"Please select replace or removal parts.",
                                                           "Please select replace or removal parts."}));
    EXPECT_EQ(messages_.Messages()[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(host_.calls, std::vector<std::string>{});
    Run("click 2@135\nkey escape\n");
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"ShowTopScreen", "ShowTopScreen"}));
}

TEST_P(SelectScreensTest, AnEmptyMasterSequenceHandsOverAnEmptyRun) {
    folder_.Write("Parameter/TEST/English.mnu", "[PARTS]\r\nstrParts00=Part A||101\r\n");
    CTolvSelectPartsDlg parts(host_);
    Open(parts);
    parts.Reset();
    Run("tick 1173 #0 on\nclick 1@135\n");
    EXPECT_EQ(host_.runs, (std::vector<std::vector<int>>{{}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, SelectScreensTest, ::testing::ValuesIn(TestedBackends()), BackendCaseName);

}  // namespace
}  // namespace screentest
