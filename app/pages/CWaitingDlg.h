// The "Printer Status" dialog: polls a printer status object once a second and shows the printer's
// state in the language's words until the printer is ready, a number of polls ran out, or the
// technician closes it. The polls run on window timers, so the dialog stays responsive.
#pragma once

#include <string>

#include "printer/IPrinterStatus.h"
#include "ui/CDialog.h"

class CWaitingDlg : public ui::CDialog {
public:
    // Flags of Run.
    static constexpr int kFlagWaitForReady =
        1;  // OK is enabled only while the printer is ready; Cancel shown
    // Counts of Run from this value on wait until the printer is ready and then end by themselves.
    static constexpr int kCountUntilReady = 1000;

    static constexpr int kTimerPoll = 20;
    static constexpr int kTimerReady = 21;
    static constexpr unsigned kPollInterval = 1000;  // ms between polls, and from ready to the end

    // Takes its own reference to the status object (none when it is null) and gives it back when it
    // goes.
    explicit CWaitingDlg(IPrinterStatus* status, ui::HWindow owner = nullptr);
    ~CWaitingDlg() override;

    // caption: the window's title when not null or empty. count: up to 999, the number of polls after
    // which the dialog ends with 2 (0 or less: no limit); 1000 or more, end with 1 a second after the
    // printer reported ready. delay: ms before the first poll (0 or less: at once).
    // -1 without a status object; otherwise 1 (ready, or OK) or 2 (count ran out, or Cancel).
    int Run(const char* caption, int flags, int count, int delay);

    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void OnOK() override;
    void OnCancel() override;
    ui::ControlColors OnCtlColor(ui::HWindow control, ui::ColorTarget target) override;

    const std::string& GetStatusText() const { return text_; }

private:
    enum class Mode { CountDown, UntilReady };

    void Poll();
    // The text for the last poll; sets *ready when the printer reported itself ready.
    std::string PollText(bool* ready);
    void StopTimers();

    IPrinterStatus* status_ = nullptr;
    ui::HWindow owner_;
    std::string text_;
    std::string caption_;
    int flags_ = 0;
    int delay_ = 0;
    Mode mode_ = Mode::CountDown;
    int remaining_ = 0;  // polls left before the dialog ends; 0 when they are not counted
};
