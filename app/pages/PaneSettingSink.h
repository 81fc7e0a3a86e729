// Where the Printer Info button's reading goes: each setting into its field of the main window's
// information pane, redrawn after every change, and the reading's steps onto a progress window.
#pragma once

#include <string>

#include "printer/IPrinterSettingReader.h"

class IProgressCallback;

namespace pages {

class PaneSettingSink : public printer::ISettingSink {
public:
    // Holds a reference to the progress window (none: no steps shown) for its own life. Without a
    // published information pane the texts go nowhere.
    explicit PaneSettingSink(IProgressCallback* progress);
    ~PaneSettingSink() override;
    PaneSettingSink(const PaneSettingSink&) = delete;
    PaneSettingSink& operator=(const PaneSettingSink&) = delete;

    // The progress window's step count.
    void Start(int steps) override;
    void Show(printer::SettingField field, const std::string& text) override;
    void Step() override;
    // The progress window's bar goes back to its start.
    void Finish() override;

private:
    IProgressCallback* progress_;
};

}  // namespace pages
