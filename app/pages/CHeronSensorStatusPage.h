// Shows the printer's sensor states, refreshed once a second by a background thread from Start until
// Stop. While the thread runs it holds the port between its jobs' exchanges, so the adjustment
// dialog's Status and Printer Info buttons are disabled, and the page waits for the thread before it
// is left or goes.
#pragma once

#include "pages/CMyPropertyPage.h"
#include "pages/SensorRefresher.h"

class CHeronSensorStatusPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 202;

    explicit CHeronSensorStatusPage(pages::SensorJob job = patterns::RunSensorJobFromConfig);
    // The thread ends and is joined before the window and the rest of the page go.
    ~CHeronSensorStatusPage() override;

    bool OnCommand(int id, ui::Notification code) override;
    void OnTimer(int id) override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    bool OnWizardFinish() override;
    void OnStopWork() override;
    void OnDestroy() override;

    const pages::SensorRefresher& Refresher() const { return m_refresher; }

protected:
    void OnStartStop();
    void StartRefresh();
    // Clears the running flag, waits for the current refresh while dispatching messages, joins the
    // thread and gives the buttons back.
    void StopRefresh();

private:
    // On the GUI thread: shows a waiting engine message and the newest report, and notices a thread
    // that ended by itself.
    void Deliver();
    void SetSheetButtons(bool enable);
    void RestoreButtons();

    pages::SensorRefresher m_refresher;
    bool m_delivering = false;
};
