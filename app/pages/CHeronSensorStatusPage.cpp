#include "pages/CHeronSensorStatusPage.h"

#include <utility>

#include "platform/Clock.h"
#include "ui/CDialog.h"

namespace {

constexpr int kStartStop = 1211;
constexpr int kReport = 1217;
// The adjustment dialog's Status and Printer Info buttons: both reach the printer.
constexpr int kSheetStatusButton = 7000;
constexpr int kSheetSettingButton = 1017;
// The GUI thread looks for the thread's report and messages this often.
constexpr int kDeliveryTimer = 1;
constexpr unsigned kDeliveryPeriodMs = 100;

}  // namespace

CHeronSensorStatusPage::CHeronSensorStatusPage(pages::SensorJob job)
    : CMyPropertyPage(kTemplate), m_refresher(std::move(job)) {}

CHeronSensorStatusPage::~CHeronSensorStatusPage() {
    // The thread must not outlive the page: nobody could answer its messages any more.
    m_refresher.RequestStop();
    m_refresher.CloseMessages();
    m_refresher.Join();
}

bool CHeronSensorStatusPage::OnCommand(int id, ui::Notification code) {
    if (id == kStartStop && code == ui::Notification::Clicked) {
        OnStartStop();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronSensorStatusPage::OnStartStop() {
    if (m_refresher.IsActive()) {
        StopRefresh();
    } else {
        StartRefresh();
    }
}

void CHeronSensorStatusPage::StartRefresh() {
    // A thread that ended by itself is joined before the next one starts.
    if (m_refresher.HasEnded()) {
        m_refresher.Join();
    }
    GetDlgItem(kStartStop).SetWindowText("Stop");
    SetSheetButtons(false);
    m_refresher.Start();
    SetTimer(kDeliveryTimer, kDeliveryPeriodMs);
}

void CHeronSensorStatusPage::StopRefresh() {
    const CWindow button = GetDlgItem(kStartStop);
    button.EnableWindow(false);
    m_refresher.RequestStop();
    while (m_refresher.IsBusy()) {
        Deliver();
        ui::PumpWaitingMessages();
        platform::Clock().Sleep(1);
    }
    m_refresher.Join();
    Deliver();
    RestoreButtons();
}

void CHeronSensorStatusPage::RestoreButtons() {
    KillTimer(kDeliveryTimer);
    SetSheetButtons(true);
    const CWindow button = GetDlgItem(kStartStop);
    button.SetWindowText("Start");
    button.EnableWindow(true);
}

void CHeronSensorStatusPage::OnTimer(int id) {
    if (id == kDeliveryTimer) {
        Deliver();
        // A failed job or the adjustment dialog's Cancel ended the thread without Stop.
        if (m_refresher.HasEnded() && !m_delivering) {
            m_refresher.Join();
            Deliver();
            RestoreButtons();
        }
        return;
    }
    CMyPropertyPage::OnTimer(id);
}

void CHeronSensorStatusPage::Deliver() {
    // A message box runs a loop of its own, in which this timer comes again.
    if (m_delivering) {
        return;
    }
    m_delivering = true;
    if (std::optional<pages::PendingJobMessage> message = m_refresher.TakeMessage()) {
        m_refresher.Answer(ShowMessage(message->text, message->type));
    }
    if (std::optional<std::string> report = m_refresher.TakeReport()) {
        GetDlgItem(kReport).SetWindowText(*report);
    }
    m_delivering = false;
}

void CHeronSensorStatusPage::SetSheetButtons(bool enable) {
    for (int id : {kSheetStatusButton, kSheetSettingButton}) {
        // The buttons belong to the dialog that holds the sheet.
        for (CWindow owner = GetParent(); owner.IsWindow(); owner = owner.GetParent()) {
            const CWindow button = owner.GetDlgItem(id);
            if (button.IsWindow()) {
                button.EnableWindow(enable);
                break;
            }
        }
    }
}

int CHeronSensorStatusPage::OnWizardBack() {
    StopRefresh();
    return CMyPropertyPage::OnWizardBack();
}

int CHeronSensorStatusPage::OnWizardNext() {
    StopRefresh();
    return CMyPropertyPage::OnWizardNext();
}

bool CHeronSensorStatusPage::OnWizardFinish() {
    StopRefresh();
    return CMyPropertyPage::OnWizardFinish();
}

void CHeronSensorStatusPage::OnStopWork() {
    if (m_refresher.IsActive() || m_refresher.HasEnded()) {
        StopRefresh();
    }
    CMyPropertyPage::OnStopWork();
}

void CHeronSensorStatusPage::OnDestroy() {
    // The window goes: no message box can be shown for the thread any more.
    m_refresher.RequestStop();
    m_refresher.CloseMessages();
    m_refresher.Join();
    KillTimer(kDeliveryTimer);
    SetSheetButtons(true);
    CMyPropertyPage::OnDestroy();
}
