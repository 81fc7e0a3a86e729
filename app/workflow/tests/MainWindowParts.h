// A set of main window parts made of plain dialogs of the program's own templates, which records
// what the main window asks of them. The top dialog's two mode buttons and "Quit", and the other
// screens' Cancel buttons, call the main window as the real screens do.
#pragma once

#include <string>
#include <vector>

#include "res/ResourceIds.h"
#include "workflow/IMainWindowParts.h"
#include "workflow/IScreenHost.h"

namespace workflowtest {

class Screen : public ui::CDialog {
public:
    Screen(int templateId, workflow::IScreenHost*& host) : CDialog(templateId), host_(host) {}
    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;
    // Declines every key, so that the main window's own handling shows; counts the offers.
    bool PreTranslateKey(ui::Key) override {
        ++keysOffered;
        return false;
    }
    int keysOffered = 0;

private:
    workflow::IScreenHost*& host_;
};

class MainWindowParts : public workflow::IMainWindowParts {
public:
    MainWindowParts();
    ~MainWindowParts() override;

    ui::CDialog& GetScreen(Screen screen) override;
    ui::CWindow MakeCompanion(Companion companion, ui::HWindow owner) override;
    ui::CWindow GetCompanion(Companion companion) override;
    void ResetItemMenu() override { ++itemMenuResets; }
    void ResetPartsList() override { ++partsListResets; }
    bool PrepareItems(const std::vector<int>& items) override {
        prepared = items;
        return acceptItems;
    }
    void FillSequence(const std::vector<int>& items) override { filled = items; }
    void ClearInformation() override {
        ++informationClears;
        information.clear();
    }
    void RefreshInformation(const std::string& profile, const std::string& port,
                            const std::string& customer) override {
        information = profile + "|" + port + "|" + customer;
    }
    void ShowAbout(ui::HWindow owner) override;

    workflow::IScreenHost* host = nullptr;
    bool acceptItems = true;
    int itemMenuResets = 0;
    int partsListResets = 0;
    int informationClears = 0;
    std::vector<int> prepared;
    std::vector<int> filled;
    std::string information;
    // What the about box saw of the companions while it was open.
    std::vector<bool> companionsEnabledDuringAbout;
    ui::HWindow aboutOwner = nullptr;
    int KeysOfferedTo(Screen screen) {
        return static_cast<workflowtest::Screen&>(GetScreen(screen)).keysOffered;
    }

private:
    workflowtest::Screen top_{res::kDialogTop, host};
    workflowtest::Screen itemMenu_{res::kDialogItemMenu, host};
    workflowtest::Screen partsList_{res::kDialogPartsList, host};
    workflowtest::Screen adjustment_{res::kDialogAdjustment, host};
    ui::CDialog informationFrame_{res::kDialogScrollFrame};
    ui::CDialog sequenceFrame_{res::kDialogScrollFrame};
};

}  // namespace workflowtest
