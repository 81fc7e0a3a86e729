#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace {

TEST(ResourceTableTest, EveryDialogTheWorkflowOpensExists) {
    for (int id : {100, 102, 118, 134, 135, 139, 140, 176, 183, 185, 285, 300, 153,
                   303, 304, 203, 306, 165, 307, 310, 312, 309, 302, 301, 202, 311}) {
        EXPECT_NE(res::FindDialogTemplate(id), nullptr) << id;
    }
    EXPECT_EQ(res::FindDialogTemplate(999), nullptr);
}

// A control outside its dialog is cut off on a real window, and two controls with one id make
// GetDlgItem find the wrong one.
TEST(ResourceTableTest, ControlsHaveUniqueIdsAndStayInsideTheirDialog) {
    int previous = 0;
    for (const res::DialogTemplate& dialog : res::DialogTemplates()) {
        EXPECT_LT(previous, dialog.id) << "templates are kept in increasing order";
        previous = dialog.id;
        std::set<int> ids;
        for (const res::ControlTemplate& control : dialog.controls) {
            if (control.id != -1) {
                EXPECT_TRUE(ids.insert(control.id).second) << dialog.id << ": id " << control.id;
            }
            if (control.kind == res::ControlKind::ComboBox) {
                continue;  // a drop-down list's height is that of the open list
            }
            EXPECT_LE(control.x + control.cx, dialog.cx) << dialog.id << ": control " << control.id;
            EXPECT_LE(control.y + control.cy, dialog.cy) << dialog.id << ": control " << control.id;
        }
    }
}

TEST(ResourceTableTest, TemplatesCarryTheProgramsTexts) {
    const res::DialogTemplate* message = res::FindDialogTemplate(res::kDialogMessage);
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->caption, "Message");
    EXPECT_STREQ(res::FindDialogTemplate(res::kDialogWaiting)->caption, "Printer Status");
    EXPECT_STREQ(res::FindDialogTemplate(res::kDialogProgress)->caption, "Processing");
    EXPECT_STREQ(res::FindDialogTemplate(res::kDialogAbout)->caption, "version info");
    EXPECT_STREQ(res::FindDialogTemplate(res::kDialogScrollFrame)->caption, "title");
    int sequenceBoxes = 0;
    for (const res::ControlTemplate& control : res::FindDialogTemplate(res::kDialogSequencePane)->controls) {
        EXPECT_EQ(control.id, 8000 + sequenceBoxes);
        ++sequenceBoxes;
    }
    EXPECT_EQ(sequenceBoxes, 24);
}

TEST(ResourceTableTest, StringTable) {
    EXPECT_EQ(res::LoadResourceString(101), "show version(&A)...");
    EXPECT_EQ(res::LoadResourceString(111),
              "Interface Error\nMake sure cable connection\nand Printer Status.");
    EXPECT_EQ(res::LoadResourceString(200), "Infomation");
    EXPECT_EQ(res::LoadResourceString(202), "Adjustment Program");
    EXPECT_EQ(res::LoadResourceString(104), "");
}

TEST(ResourceTableTest, IconRowsAreSquareAndColoured) {
    const res::IconImage* icon = res::FindIcon(res::kIconMain);
    ASSERT_NE(icon, nullptr);
    for (int row = 0; row < icon->size; ++row) {
        ASSERT_EQ(std::strlen(icon->rows[row]), static_cast<std::size_t>(icon->size)) << row;
    }
    EXPECT_EQ(res::FindIcon(1), nullptr);
}

}  // namespace
