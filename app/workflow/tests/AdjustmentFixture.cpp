#include "AdjustmentFixture.h"

#include <string>

namespace adjusttest {
namespace {

// A profile whose menu gives items 101, 102 and 206 a sequence caption of their own (206 with a line
// break) and items 100, 103 and the rest their names.
const char kMenu[] =
    "[MENU]\r\n"
    "strMenu00=Printer information||100\r\n"
    "strMenu01=Platen gap||101||PG adjust\r\n"
    "strMenu02=Bi-d adjustment||102||Bi-d\r\n"
    "strMenu03=Top margin||103\r\n"
    "strMenu04=Envelope test||206||Envelope\\ntest\r\n"
    "strMenu05=Counters||304\r\n"
    "[SEQUENCE]\r\nstrSequence=100,101,102,103\r\n"
    "[STATUS]\r\nstrStatus02=Printing\r\nstrStatus04=Ready\r\n";

const char kDescriptions[] =
    "[PG_ADJUST]\r\nCOUNT=1\r\nTEXT1=Set the platen gap.\r\n"
    "[BID_ADJUST]\r\nCOUNT=2\r\nTEXT1=Print the pattern.\\n\r\nTEXT2=Type the best value.\r\n"
    "[ERROR_PAGE]\r\nCOUNT=1\r\nTEXT1=No such item.\r\n";

}  // namespace

MainWindowStandIn::MainWindowStandIn(int workingMode)
    : CDialog(102), mode(workingMode), adjustment(*this, sequence, [this] { return mode; }) {}

MainWindowStandIn::~MainWindowStandIn() {
    DestroyWindow();
}

bool MainWindowStandIn::OnInitDialog() {
    CDialog::OnInitDialog();
    if (watchdog != nullptr) {
        watchdog->Arm(*this);
    }
    sequence.Create(m_hWnd);
    if (!firstRun.empty()) {
        StartAdjustment(firstRun);
    }
    return true;
}

void MainWindowStandIn::OnTimer(int id) {
    if (watchdog == nullptr || !watchdog->OnTimer(*this, id)) {
        CDialog::OnTimer(id);
    }
}

void MainWindowStandIn::StartAdjustment(const std::vector<int>& items) {
    if (adjustment.PrepareItems(items) == 0) {
        return;
    }
    sequence.Fill(items);
    sequence.ShowWindow(true);
    if (!adjustment.IsWindow()) {
        adjustment.Create(m_hWnd);
    }
    adjustment.ShowWindow(true);
}

void MainWindowStandIn::ReturnFromAdjustment() {
    ++returns;
    adjustment.ShowWindow(false);
    if (endModalOnReturn && IsModal()) {
        EndDialog(ui::kIdOk);
    }
}

AdjustmentSetup::AdjustmentSetup(screentest::BackendKind kind)
    : backend_(kind), maker_([this](int number) -> std::unique_ptr<CMyPropertyPage> {
          if (number <= 0 || pageless_.count(number) != 0) {
              return nullptr;
          }
          ++pages_.made;
          const auto form = pageTemplates_.find(number);
          return std::make_unique<TestPage>(pages_, form != pageTemplates_.end() ? form->second : 302);
      }) {
    folder_.Write("TOLVANE.INI", "[Profile]\r\nstrProfile=VK-572D\r\nstrLanguage=English\r\n");
    folder_.Write("Parameter/VK-572D/English.mnu", kMenu);
    folder_.Write("Parameter/VK-572D/EnglishText.dat", kDescriptions);
    EXPECT_TRUE(look_.Create("English"));
}

AdjustmentSetup::~AdjustmentSetup() = default;

void AdjustmentSetup::RunScenario(MainWindowStandIn& window, const std::vector<int>& items,
                                  const std::string& script) {
    std::string error;
    std::optional<ui::Scenario> scenario = ui::Scenario::Parse(script, &error);
    ASSERT_TRUE(scenario.has_value()) << error;
    backend_.Attach(&*scenario);
    window.firstRun = items;
    window.watchdog = &backend_;
    window.DoModal();
    window.watchdog = nullptr;
    backend_.Attach(nullptr);
    EXPECT_TRUE(scenario->Finished() && scenario->Failures().empty()) << scenario->Report();
}

}  // namespace adjusttest
