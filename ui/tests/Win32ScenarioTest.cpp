// The scripted technician on real windows: the same scenario text as in the headless tests drives
// the Win32 back-end under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "testsupport/ScopedWindow.h"
#include "ui/CDialog.h"
#include "ui/DataExchange.h"
#include "ui/PropertySheet.h"
#include "ui/Scenario.h"

namespace {

class Probe : public ui::CDialog {
public:
    Probe() : CDialog(118) {}
    void DoDataExchange(ui::CDataExchange* exchange) override { ui::DDX_Text(exchange, 1005, number); }
    int number = 7;
};

struct Attached {
    explicit Attached(const char* text) {
        std::string error;
        auto parsed = ui::Scenario::Parse(text, &error);
        EXPECT_TRUE(parsed.has_value()) << error;
        scenario = std::move(*parsed);
        ui::Backend().AttachScenario(&scenario);
    }
    ~Attached() { ui::Backend().AttachScenario(nullptr); }
    ui::Scenario scenario;
};

TEST(Win32ScenarioTest, TheDefaultBackEndIsWin32) {
    EXPECT_STREQ(ui::Backend().Name(), "win32");
}

// The picture is taken inside the program: a BMP file of the windows as the screen shows them.
TEST(Win32ScenarioTest, ScreenshotsAreWrittenAsBitmaps) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tolv-win32-shots";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    _putenv_s("TOLVANE_SCREENSHOT_DIR", folder.string().c_str());
    {
        Attached run("screenshot probe\nclick 1\n");
        Probe probe;
        EXPECT_EQ(probe.DoModal(), ui::kIdOk);
        EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
    }
    _putenv_s("TOLVANE_SCREENSHOT_DIR", "");
    std::string bytes;
    {
        std::ifstream in(folder / "probe.bmp", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
}

TEST(Win32ScenarioTest, TypingAndClickingEndTheModalDialog) {
    Attached run("expect-text 1005 \"7\"\ntype 1005 \"12\"\nexpect-visible 2 yes\nclick 1\n");
    Probe probe;
    EXPECT_EQ(probe.DoModal(), ui::kIdOk);
    EXPECT_EQ(probe.number, 12);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
    EXPECT_TRUE(run.scenario.Finished());
}

TEST(Win32ScenarioTest, SystemMessageBoxesAreAnswered) {
    class Asking : public Probe {
    public:
        void OnOK() override {
            answer = ui::MessageBox(*this, "Would you cancel?", "Confirmation", ui::BoxButtons::YesNo,
                                    ui::BoxIcon::Question);
            if (answer == ui::kIdYes) {
                EndDialog(ui::kIdOk);
            }
        }
        int answer = 0;
    } probe;
    Attached run("click 1\nanswer no \"Would you cancel?\"\nclick 1\nanswer yes\n");
    EXPECT_EQ(probe.DoModal(), ui::kIdOk);
    EXPECT_EQ(probe.answer, ui::kIdYes);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
}

TEST(Win32ScenarioTest, CheckListRowsAndEscape) {
    class Parts : public ui::CDialog {
    public:
        Parts() : CDialog(135) {}
        bool OnInitDialog() override {
            ui::CCheckListBox list = GetDlgItem(1173);
            list.AddString("Head");
            list.AddString("");
            list.AddString("Platen");
            list.Enable(1, false);
            return true;
        }
        void OnCancel() override {
            ui::CCheckListBox list = GetDlgItem(1173);
            ticked = list.GetCheck(0) && !list.GetCheck(1) && list.GetCheck(2);
            enabled = list.IsEnabled(0) && !list.IsEnabled(1);
            CDialog::OnCancel();
        }
        bool ticked = false;
        bool enabled = false;
    } parts;
    // A child template lives in a captioned window, as the screens live in the main window.
    class Host : public ui::CDialog {
    public:
        explicit Host(ui::CDialog& child) : CDialog(102), child_(child) {}
        bool OnInitDialog() override {
            child_.Create(*this);
            child_.ShowWindow(true);
            return true;
        }
        bool OnCommand(int id, ui::Notification code) override {
            if (id == ui::kIdCancel && !child_.IsWindowVisible()) {
                EndDialog(ui::kIdCancel);
            }
            return CDialog::OnCommand(id, code);
        }

    private:
        ui::CDialog& child_;
    } host(parts);
    Attached run(
        "expect-rows 1173 3\ntick 1173 #0 on\ntick 1173 #2 on\nexpect-check 1173 #2 on\nkey "
        "escape\nexpect-visible 1173 no\nclose\n");
    EXPECT_EQ(host.DoModal(), ui::kIdCancel);
    EXPECT_TRUE(parts.ticked);
    EXPECT_TRUE(parts.enabled);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
}

TEST(Win32ScenarioTest, WizardButtonsArePostedToTheSheet) {
    class Page : public ui::CPropertyPage {
    public:
        explicit Page(int flags) : CPropertyPage(302), flags_(flags) {}
        bool OnSetActive() override {
            GetSheet()->SetWizardButtons(flags_);
            return true;
        }

    private:
        int flags_;
    };
    class Host : public ui::CDialog {
    public:
        Host() : CDialog(102) {}
        bool OnInitDialog() override {
            sheet.AddPage(&first);
            sheet.AddPage(&last);
            sheet.Create(*this);
            sheet.SetActivePage(0);
            return true;
        }
        Page first{ui::kWizardNext};
        Page last{ui::kWizardBack | ui::kWizardFinish};
        ui::CPropertySheet sheet;
    } host;
    Attached run(
        "expect-visible 12324 yes\nexpect-enabled 12323 no\nclick 12324\nexpect-visible 12325 yes\n"
        "expect-visible 12324 no\nexpect-enabled 12323 yes\nclose\n");
    EXPECT_EQ(host.DoModal(), ui::kIdCancel);
    EXPECT_EQ(host.sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(run.scenario.Failures().empty()) << run.scenario.Report();
}

// A description box is read-only: the dialog manager's focus goes past it to the first input, so
// its text is not selected and scrolled to the end.
TEST(Win32ScenarioTest, FocusSkipsReadOnlyDescriptions) {
    testsupport::ScopedWindow<ui::CDialog> main(102);
    ASSERT_TRUE(main.Create(nullptr));
    main.ShowWindow(true);
    testsupport::ScopedWindow<ui::CDialog> menu(134);
    ASSERT_TRUE(menu.Create(main));
    menu.ShowWindow(true);
    menu.GetDlgItem(1015).SetWindowText("line 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6");
    ui::Backend().SetFocus(menu);
    EXPECT_EQ(ui::Backend().GetFocus(), menu.GetDlgItem(1016).m_hWnd);
}

}  // namespace
