#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DialogsTest.h"
#include "config/ConfigurationScope.h"
#include "dialogs/CAdjustInfoInnerDlg.h"
#include "dialogs/CApplicationLook.h"
#include "testsupport/ScopedWindow.h"
#include "testsupport/TemporaryFolder.h"

namespace {

class InformationPaneTest : public DialogsTest {
protected:
    void SetUp() override {
        folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n");
        folder_.Write("Parameter/VK-572D/Parameter.ini",
                      "[BID]\r\nstrBidName00=Draft\r\nstrBidName01=LQ\r\nstrBidName02=Copy\r\n");
        ASSERT_TRUE(look_.Create());
        ASSERT_TRUE(host_.Create(nullptr));
    }

    // Built in one piece: assigning one-character literals member by member trips a false
    // overlap warning of the cross compiler's optimiser.
    static CAdjustInfoFields Filled() {
        return CAdjustInfoFields{.strProfile = "VK-572D",
                                 .strPort = "USB1",
                                 .strCustomer = "EUROPE",
                                 .strDeviceID = "ORLEX VK-572D",
                                 .strUSBSerial = "A1B2C3D4E5F6G7H8I9",
                                 .strCharTable = "PC 437",
                                 .strPrintDirection = "Bi-d",
                                 .strPageLength = "11\"",
                                 .strIBMChar = "Table2",
                                 .strBidValue = {"-3", "0", "12"},
                                 .strSerialNo = "SN0042",
                                 .strReserved = "reserved"};
    }

    testsupport::TemporaryFolder folder_{"tolv-pane"};
    config::ScopedConfiguration configuration_{folder_.Path()};
    CApplicationLook look_;
    ScopedApplicationLook installed_{look_};
    testsupport::ScopedWindow<ui::CDialog> host_{118};
};

TEST_F(InformationPaneTest, TheThreeTexts) {
    CAdjustInfoInnerDlg pane;
    pane.m_fields = Filled();
    EXPECT_EQ(pane.SettingText(), "Printer:   VK-572D\r\nInterface: USB1\r\nCustomer:  EUROPE\r\n\r\n\r\n");
    EXPECT_EQ(pane.PrinterInfoText(),
              "Device ID:  ORLEX VK-572D\r\n"
              "USB S/No.:  \r\n"
              "         A1B2C3D4E5F6G7H8I9\r\n"
              "Character Table:  PC 437\r\n"
              "Printing Direction:  Bi-d\r\n"
              "IBM Character:  Table2\r\n"
              "Page Length:  11\"\r\n\r\n\r\n");
    EXPECT_EQ(pane.AdjustedItemText(),
              "Bi-d Adjust Value\r\n"
              "  Draft:  -3\r\n"
              "  LQ:  0\r\n"
              "  Copy:  12\r\n"
              "\r\n"
              "Serial No.: \r\n"
              "         SN0042\r\n\r\n\r\n");
}

TEST_F(InformationPaneTest, UpdateTextFillsTheBoxesAndLaysThemOutByTheirTexts) {
    testsupport::ScopedWindow<CAdjustInfoInnerDlg> pane;
    ASSERT_TRUE(pane.Create(host_));
    pane.m_fields = Filled();
    pane.UpdateText();
    EXPECT_EQ(pane.GetDlgItem(1162).GetWindowText(), pane.SettingText());
    EXPECT_EQ(pane.GetDlgItem(1164).GetWindowText(), pane.PrinterInfoText());
    EXPECT_EQ(pane.GetDlgItem(1166).GetWindowText(), pane.AdjustedItemText());
    // Font B's lines are 15 high. The last character of "Setting" is on its fifth line (top 60),
    // those of the other two on their ninth (top 120). Each box: text height + 25, its text 5 in
    // and 20 down; the next box 35 below the text height.
    const int frameLeft = pane.GetDlgItem(1161).GetWindowRect().left;
    struct Expected {
        int frame, text, top, textHeight;
    } const boxes[] = {{1161, 1162, 4, 60}, {1163, 1164, 99, 120}, {1165, 1166, 254, 120}};
    for (const Expected& box : boxes) {
        const ui::Rect frame = pane.GetDlgItem(box.frame).GetWindowRect();
        EXPECT_EQ(frame.left, frameLeft) << box.frame;
        EXPECT_EQ(frame.top, box.top) << box.frame;
        EXPECT_EQ(frame.Height(), box.textHeight + 25) << box.frame;
        const ui::Rect text = pane.GetDlgItem(box.text).GetWindowRect();
        EXPECT_EQ(text.left, frameLeft + 5) << box.text;
        EXPECT_EQ(text.top, box.top + 20) << box.text;
        EXPECT_EQ(text.Height(), box.textHeight) << box.text;
    }
    EXPECT_EQ(pane.GetWindowRect().Height(), 254 + 120 + 35);
    EXPECT_EQ(headless_.FontOf(pane.GetDlgItem(1164)).height, 15);
}

TEST_F(InformationPaneTest, ClearFieldsEmptiesEveryField) {
    testsupport::ScopedWindow<CAdjustInfoInnerDlg> pane;
    ASSERT_TRUE(pane.Create(host_));
    pane.m_fields = Filled();
    pane.UpdateText();
    pane.ClearFields();
    EXPECT_EQ(pane.GetDlgItem(1162).GetWindowText(), "Printer:   \r\nInterface: \r\nCustomer:  \r\n\r\n\r\n");
    EXPECT_EQ(pane.GetDlgItem(1166).GetWindowText(),
              "Bi-d Adjust Value\r\n  Draft:  \r\n  LQ:  \r\n  Copy:  \r\n\r\nSerial No.: \r\n         "
              "\r\n\r\n\r\n");
    EXPECT_EQ(pane.GetDlgItem(1164).GetWindowText().find("PC 437"), std::string::npos);
    EXPECT_EQ(pane.m_fields.strReserved, "");
}

TEST_F(InformationPaneTest, FieldsWrittenBeforeTheWindowExistsAreShownWhenItIsMade) {
    testsupport::ScopedWindow<CAdjustInfoInnerDlg> pane;
    pane.m_fields.strPort = "LPT1";
    pane.UpdateText();  // no window yet: nothing to draw, nothing to fail
    ASSERT_TRUE(pane.Create(host_));
    EXPECT_NE(pane.GetDlgItem(1162).GetWindowText().find("Interface: LPT1\r\n"), std::string::npos);
}

TEST_F(InformationPaneTest, EnterAndEscapeAreSwallowed) {
    class Host : public ui::CDialog {
    public:
        Host() : CDialog(118) {}
        bool OnCommand(int id, ui::Notification code) override {
            ++commands;
            return CDialog::OnCommand(id, code);
        }
        int commands = 0;
    };
    testsupport::ScopedWindow<Host> host;
    ASSERT_TRUE(host.Create(nullptr));
    host.ShowWindow(true);
    testsupport::ScopedWindow<CAdjustInfoInnerDlg> pane;
    ASSERT_TRUE(pane.Create(host));
    pane.ShowWindow(true);
    headless_.SimulateKey(pane.GetDlgItem(1164), ui::Key::Escape);
    headless_.SimulateKey(pane.GetDlgItem(1162), ui::Key::Enter);
    EXPECT_TRUE(pane.IsWindowVisible());
    EXPECT_TRUE(host.IsWindowVisible());
    EXPECT_EQ(host.commands, 0);
}

TEST_F(InformationPaneTest, ThePublishedPaneIsFoundUntilItIsWithdrawnOrDeleted) {
    EXPECT_EQ(FindInformationPane(), nullptr);
    auto pane = std::make_unique<CAdjustInfoInnerDlg>();
    PublishInformationPane(pane.get());
    EXPECT_EQ(FindInformationPane(), pane.get());
    PublishInformationPane(nullptr);
    EXPECT_EQ(FindInformationPane(), nullptr);
    PublishInformationPane(pane.get());
    pane.reset();
    EXPECT_EQ(FindInformationPane(), nullptr) << "a deleted pane must not be written into";
}

}  // namespace
