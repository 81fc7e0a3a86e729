// What the screens ask of the main window that hosts them: the screen switching of the main window,
// so a screen can be built and tested without the window that will host it.
#pragma once

#include <vector>

namespace workflow {

class IScreenHost {
public:
    virtual ~IScreenHost() = default;

    // Hides every other screen and both companion windows, empties the information pane and shows
    // the top dialog.
    virtual void ShowTopScreen() = 0;
    // Particular adjustment: the item menu, with the "Infomation" companion window to the right.
    // reset clears the menu's selection.
    virtual void ShowItemMenu(bool reset) = 0;
    // Sequential adjustment: the parts list. reset clears the ticks.
    virtual void ShowPartsList(bool reset) = 0;
    // Hands the ordered item numbers to the adjustment dialog; nothing changes when it accepts none.
    virtual void StartAdjustment(const std::vector<int>& items) = 0;
    // Back to the item menu (its selection kept) or to the parts list (ticks cleared), by the mode.
    virtual void ReturnFromAdjustment() = 0;
    // The top dialog's "Quit": asks the main window to close, which ends the program.
    virtual void RequestClose() = 0;
};

}  // namespace workflow
