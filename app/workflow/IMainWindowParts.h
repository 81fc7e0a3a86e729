// The windows the main window switches between and places, as the main window drives them: the
// four screens, the two companion frames with their panes, and the few operations of theirs that
// the screen switching calls. The program's own set is made of the real screens and panes; a test
// can hand the main window a set of its own.
#pragma once

#include <string>
#include <vector>

#include "ui/CDialog.h"

namespace workflow {

class IMainWindowParts {
public:
    enum Screen { kTopScreen, kItemMenu, kPartsList, kAdjustment, kScreenCount };
    enum Companion { kInformationFrame, kSequenceFrame, kCompanionCount };

    virtual ~IMainWindowParts() = default;

    // The screen's dialog. The main window makes its window, as its own child, when it first shows
    // the screen; the adjustment screen only after PrepareItems accepted a list.
    virtual ui::CDialog& GetScreen(Screen screen) = 0;
    // The companion frame with its pane inside, made on first use as a window owned by the main
    // window; a null handle when it cannot be made.
    virtual ui::CWindow MakeCompanion(Companion companion, ui::HWindow owner) = 0;
    // The frame's window, or a null handle while it has none.
    virtual ui::CWindow GetCompanion(Companion companion) = 0;

    // The item menu without a selection; the parts list without ticks.
    virtual void ResetItemMenu() = 0;
    virtual void ResetPartsList() = 0;
    // Builds the adjustment screen's pages for the run; false when no entry got one.
    virtual bool PrepareItems(const std::vector<int>& items) = 0;
    // The sequence pane shows the whole run.
    virtual void FillSequence(const std::vector<int>& items) = 0;
    // The information pane: every field emptied, or the selection of the settings put in.
    virtual void ClearInformation() = 0;
    virtual void RefreshInformation(const std::string& profile, const std::string& port,
                                    const std::string& customer) = 0;
    // The about box, modal over the owner.
    virtual void ShowAbout(ui::HWindow owner) = 0;
};

}  // namespace workflow
