// The top dialog driven by the scripted technician: the lists, the preselection of the port, the
// mode buttons, the messages, and when the settings file is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ScreenTest.h"
#include "config/CTolvAppParam.h"
#include "config/CTolvLangText.h"
#include "config/CTolvPrnParam.h"
#include "dialogs/CApplicationLook.h"
#include "workflow/CTolvSelectItemDlg.h"
#include "workflow/CTolvTopDlg.h"

namespace screentest {
namespace {

using platform::MessageIcon;

constexpr const char* kEnglish572 = "[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n";

class TopDialogTest : public ScreenTest {
protected:
    void Open(CTolvTopDlg& top) {
        ASSERT_TRUE(top.Create(MainWindow()));
        top.ShowWindow(true);
    }
    std::vector<std::string> Rows(CTolvTopDlg& top, int id) {
        const ui::CComboBox list = top.GetDlgItem(id);
        std::vector<std::string> rows;
        for (int row = 0; row < list.GetCount(); ++row) {
            rows.push_back(list.GetText(row));
        }
        return rows;
    }
    std::vector<MessageIcon> Icons() const {
        std::vector<MessageIcon> icons;
        for (const testsupport::RecordedMessage& message : messages_.Messages()) {
            icons.push_back(message.icon);
        }
        return icons;
    }
};

// The key names of an INI text, in file order.
std::vector<std::string> KeyNames(const std::string& ini) {
    std::vector<std::string> keys;
    std::istringstream lines(ini);
    std::string line;
    while (std::getline(lines, line)) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos && line[0] != ';') {
            keys.push_back(line.substr(0, equals));
        }
    }
    return keys;
}

TEST_P(TopDialogTest, OpensOnTheStoredProfileWhateverItsCaseAndWritesNothing) {
    const std::string stored = "[Profile]\r\nstrProfile=vk-572d\r\nstrLanguage=ENGLISH\r\n";
    folder_.Write("TOLVANE.INI", stored);
    CTolvTopDlg top(host_);
    Open(top);
    Run("expect-selection 1188 \"VK-572D\"\n"
        "expect-text 1000 \"VK-572D Adjustment Program\"\n"
        "expect-text 1005 \"for Windows 2000 / XP\"\n"
        "expect-selection 1014 \"English\"\n"
        "expect-selection 1173 \"\"\n"
        "expect-rows 1174 14\n"
        "expect-selection 1174 \"\"\n"
        "expect-enabled 1001 no\n"
        "expect-enabled 1002 no\n");
    EXPECT_EQ(Rows(top, CTolvTopDlg::kCustomerList),
              (std::vector<std::string>{"EUROPE", "USA", "UK", "THAI", "CHINA", "JAPAN"}));
    EXPECT_EQ(Rows(top, CTolvTopDlg::kLanguageList), (std::vector<std::string>{"English", "Japanese"}));
    // The profile's files are those of the folder the list shows.
    EXPECT_EQ(CTolvPrnParam::Instance()->customer[0].strDeviceID, "ORLEX VK-572D");
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{});
    EXPECT_EQ(SettingsFile(), stored);
    EXPECT_EQ(host_.calls, std::vector<std::string>{});
}

TEST_P(TopDialogTest, TheCustomersModelPreselectsTheFirstPortInListOrder) {
    folder_.Write("TOLVANE.INI", kEnglish572);
    const PrinterServer printers({"USB1=VK-572D", "LPT2=VK-572D", "LPT3=VK-2240II"});
    ASSERT_TRUE(printers.Started()) << printers.Report();
    CTolvTopDlg top(host_);
    Open(top);
    EXPECT_EQ(Rows(top, CTolvTopDlg::kPortList),
              (std::vector<std::string>{
                  "LPT1:", "LPT2: VK-572D", "LPT3: VK-2240II", "---", "USB1: VK-572D",
                  "USB2:", "USB3:", "USB4:", "USB5:", "USB6:", "USB7:", "USB8:", "USB9:", "USB10:"}));
    Run("expect-selection 1174 \"\"\n"
        "select 1173 \"USA\"\n"
        "expect-selection 1174 \"LPT2: VK-572D\"\n"
        "expect-enabled 1001 yes\n"
        "expect-enabled 1002 yes\n"
        "click 1001\n");
    EXPECT_EQ(host_.calls, std::vector<std::string>{"ShowPartsList(reset)"});
    const CTolvAppParam& settings = *CTolvAppParam::Instance();
    EXPECT_EQ(settings.strPortName, "LPT2");
    EXPECT_EQ(settings.strCustomerName, "USA");
    EXPECT_EQ(settings.nCustomerIndex, 1);
    EXPECT_EQ(settings.strPrinterID, "ORLEX VK-572D");
    EXPECT_NE(SettingsFile().find("strPrinterID=ORLEX VK-572D"), std::string::npos);
}

TEST_P(TopDialogTest, TheSeparatorRowEmptiesThePortAndLeavesTheButtonsEnabled) {
    folder_.Write("TOLVANE.INI", kEnglish572);
    const PrinterServer printers({"USB2=VK-572D"});
    ASSERT_TRUE(printers.Started()) << printers.Report();
    CTolvTopDlg top(host_);
    Open(top);
    Run("select 1173 \"EUROPE\"\n"
        "expect-selection 1174 \"USB2: VK-572D\"\n"
        "select 1174 \"---\"\n"
        "expect-enabled 1001 yes\n"
        "expect-enabled 1002 yes\n");
    EXPECT_EQ(top.PortName(), "");
    Run("select 1174 \"LPT1:\"\n");
    EXPECT_EQ(top.PortName(), "LPT1");
    // A customer whose model no printer reports takes the port away again.
    Run("select 1188 \"VK-2240II\"\n"
        "select 1173 \"USA\"\n"
        "expect-selection 1174 \"\"\n"
        "expect-enabled 1001 no\n"
        "expect-enabled 1002 no\n");
    EXPECT_EQ(top.PortName(), "");
}

TEST_P(TopDialogTest, OnlyAChangedProfileOrLanguageWritesTheSettings) {
    CTolvTopDlg top(host_);
    Open(top);
    // Without a settings file the first profile found is taken; opening writes nothing.
    Run("expect-selection 1188 \"VK-2240II\"\n"
        "expect-selection 1014 \"\"\n"
        "select 1188 \"VK-2240II\"\n"
        "select 1173 \"EUROPE\"\n"
        "select 1174 \"USB1:\"\n");
    EXPECT_EQ(SettingsFile(), "");

    Run("select 1014 \"English\"\n"
        "expect-enabled 1001 yes\n");
    EXPECT_NE(SettingsFile().find("strLanguage=English"), std::string::npos);
    // The menus are those of the profile on screen, not of the name stored before.
    EXPECT_EQ(CTolvLangText::Instance()->GetProfileName(), "VK-2240II");
    EXPECT_FALSE(CTolvLangText::Instance()->GetMenuTable().names.empty());

    folder_.Write("TOLVANE.INI", "");
    Run("select 1014 \"English\"\n");
    EXPECT_EQ(SettingsFile(), "") << "the same language again";
    Run("select 1188 \"VK-572D\"\n"
        "expect-text 1000 \"VK-572D Adjustment Program\"\n"
        "expect-selection 1014 \"English\"\n");
    EXPECT_EQ(KeyNames(SettingsFile()),
              (std::vector<std::string>{
                  "bDebugMode", "strProfile", "strPrinterID", "bLockProfile", "strProgName", "nPrinters",
                  "bMaximizeWnd", "strLanguage", "bErrSound", "nStartUpMenu", "pnInterface", "nQRScanOffline",
                  "nQRManualInput", "nIOBoard", "nPacValve", "nInkValve", "nAirValve", "nVcmValve"}));
    EXPECT_NE(SettingsFile().find("strProfile=VK-572D"), std::string::npos);
    EXPECT_EQ(Rows(top, CTolvTopDlg::kCustomerList),
              (std::vector<std::string>{"EUROPE", "USA", "UK", "THAI", "CHINA", "JAPAN"}));
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{});
}

TEST_P(TopDialogTest, TheFontsFollowTheLanguageAndTheTitlesAreDarkBlue) {
    CApplicationLook look;
    ASSERT_TRUE(look.Create("English"));
    const ScopedApplicationLook installed(look);
    folder_.Write("TOLVANE.INI", kEnglish572);
    CTolvTopDlg top(host_);
    Open(top);
    const std::pair<int, CApplicationLook::Font> fonts[] = {
        {CTolvTopDlg::kTitle, CApplicationLook::kFontD},
        {CTolvTopDlg::kSubtitle, CApplicationLook::kFontD},
        {CTolvTopDlg::kSequentialMode, CApplicationLook::kFontC},
        {CTolvTopDlg::kQuit, CApplicationLook::kFontC},
        {1035, CApplicationLook::kFontC},
        {1004, CApplicationLook::kFontB},
        {CTolvTopDlg::kPortList, CApplicationLook::kFontB},
    };
    // The fonts worn are the look's, made from the language's specs.
    auto expectFonts = [&](const std::string& language) {
        for (const auto& [id, font] : fonts) {
            EXPECT_EQ(top.GetDlgItem(id).GetFont(), look.GetFont(font)) << id;
            EXPECT_EQ(look.GetFontSpec(font), CApplicationLook::FontSpecOf(font, language)) << id;
        }
    };
    expectFonts("English");
    if (ui::HeadlessBackend* headless = backend_.Headless()) {
        const ui::ControlColors title = headless->ColorsOf(top.GetDlgItem(CTolvTopDlg::kTitle));
        EXPECT_TRUE(title.hasTextColor);
        EXPECT_EQ(title.textColor, ui::Rgb(0, 0, 174));
        const ui::ControlColors label = headless->ColorsOf(top.GetDlgItem(1033));
        EXPECT_FALSE(label.hasTextColor);
        EXPECT_EQ(label.brush, look.GetBrush(CApplicationLook::kBrushMint));
    }

    // A screen made before, hidden now, follows the language too.
    CTolvSelectItemDlg menu(host_);
    ASSERT_TRUE(menu.Create(MainWindow()));
    menu.Reset();
    menu.ShowWindow(false);
    Run("select 1014 \"Japanese\"\n");
    expectFonts("Japanese");
    EXPECT_EQ(menu.GetDlgItem(CTolvSelectItemDlg::kItemList).GetFont(),
              look.GetFont(CApplicationLook::kFontB));
    EXPECT_EQ(CTolvLangText::Instance()->GetLanguageName(), "Japanese");
    EXPECT_NE(SettingsFile().find("strLanguage=Japanese"), std::string::npos);
}

TEST_P(TopDialogTest, ParticularModeKeepsTheStoredPrinterId) {
    folder_.Write("TOLVANE.INI", std::string(kEnglish572) + "strPrinterID=ORLEX OLD\r\n");
    const PrinterServer printers({"USB1=VK-572D"});
    ASSERT_TRUE(printers.Started()) << printers.Report();
    CTolvTopDlg top(host_);
    Open(top);
    Run("select 1173 \"JAPAN\"\n"
        "click 1002\n");
    EXPECT_EQ(host_.calls, std::vector<std::string>{"ShowItemMenu(reset)"});
    const CTolvAppParam& settings = *CTolvAppParam::Instance();
    EXPECT_EQ(settings.strPrinterID, "ORLEX OLD");
    EXPECT_EQ(settings.strPortName, "USB1");
    EXPECT_EQ(settings.nCustomerIndex, 5);
    EXPECT_NE(SettingsFile().find("strPrinterID=ORLEX OLD"), std::string::npos);
}

TEST_P(TopDialogTest, QuitAndEscapeSaveTheChoicesAndCloseTheProgram) {
    folder_.Write("TOLVANE.INI", kEnglish572);
    CTolvTopDlg top(host_);
    Open(top);
    Run("select 1173 \"UK\"\n"
        "select 1174 \"LPT3:\"\n");
    folder_.Write("TOLVANE.INI", "");
    Run("click 2\n");
    EXPECT_NE(SettingsFile().find("strProfile=VK-572D"), std::string::npos);
    EXPECT_EQ(CTolvAppParam::Instance()->strPortName, "LPT3");
    EXPECT_EQ(CTolvAppParam::Instance()->strCustomerName, "UK");
    folder_.Write("TOLVANE.INI", "");
    top.GetDlgItem(CTolvTopDlg::kCustomerList).SetFocus();
    Run("key escape\n");
    EXPECT_NE(SettingsFile(), "");
    Run("key enter\n");
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"RequestClose", "RequestClose"}));
    EXPECT_TRUE(top.IsWindowVisible()) << "Enter neither picks a mode nor hides the screen";
}

TEST_P(TopDialogTest, WithoutProfilesTheModesStayDisabled) {
    std::filesystem::remove_all(folder_.Root() / "Parameter");
    CTolvTopDlg top(host_);
    Open(top);
    Run("expect-rows 1188 0\n"
        "expect-enabled 1001 no\n"
        "expect-enabled 1002 no\n");
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{"fatel error", "Cannot found customuer file",
                                                           "Cannot found language file"}));
    EXPECT_EQ(Icons(), (std::vector<MessageIcon>{MessageIcon::None, MessageIcon::Stop, MessageIcon::Stop}));
}

TEST_P(TopDialogTest, AProfileWithoutCustomersOrLanguagesIsReported) {
    folder_.Write("Parameter/BARE/Parameter.ini", "[CONTROL]\r\nnColumn=80\r\n");
    folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=BARE\r\nstrLanguage=English\r\n");
    CTolvTopDlg top(host_);
    Open(top);
    Run("expect-selection 1188 \"BARE\"\n"
        "expect-rows 1173 0\n"
        "expect-rows 1014 0\n"
        "expect-enabled 1001 no\n");
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{"Cannot found customuer file", "Cannot found language file"}));
    EXPECT_EQ(Icons(), (std::vector<MessageIcon>{MessageIcon::Stop, MessageIcon::Stop}));
    EXPECT_EQ(top.Language(), "");
    // The profile list still works: another profile brings its customers and languages.
    Run("select 1188 \"VK-572D\"\n"
        "expect-rows 1173 6\n"
        "expect-rows 1014 2\n");
    EXPECT_EQ(messages_.Texts().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Backends, TopDialogTest, ::testing::ValuesIn(TestedBackends()), BackendCaseName);

}  // namespace
}  // namespace screentest
