#include "pages/CHeronFirmUpdatePage.h"

#include <string>

#include "config/CTolvAppParam.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "pages/FlashingProgram.h"
#include "printer/FirmwareFileSender.h"
#include "ui/Backend.h"
#include "ui/CDialog.h"
#include "ui/OpenFileDialog.h"

namespace {

constexpr int kUpdateGroup = 1215;
constexpr int kEnter = 1211;
constexpr int kInstructions = 1213;
constexpr int kInstructionScroll = 1204;

// The file senders: the path field, its Browse and its Send.
struct FileSender {
    int path;
    int browse;
    int send;
};
constexpr FileSender kBoot = {1174, 1207, 1208};
constexpr FileSender kMain = {1175, 1209, 1210};

constexpr char kNotStarted[] = "Cannot start Kindler.exe";
constexpr char kEmptyPath[] = "Empty File Path";
constexpr char kBadInterface[] = "Bad Interface, must LPT";
constexpr char kSendFailed[] = "Failed to send file";

}  // namespace

CHeronFirmUpdatePage::CHeronFirmUpdatePage() : CMyPropertyPage(kTemplate) {}

bool CHeronFirmUpdatePage::OnInitDialog() {
    CMyPropertyPage::OnInitDialog();
    // Only the update and its instructions are offered: the senders' groups, labels, fields and
    // buttons are hidden, whether the template gives them an id or not.
    for (ui::HWindow child : ui::Backend().GetChildren(m_hWnd)) {
        const int id = ui::Backend().GetId(child);
        const bool offered =
            id == kUpdateGroup || id == kEnter || id == kInstructions || id == kInstructionScroll;
        ui::Backend().Show(child, offered);
    }
    for (const FileSender& sender : {kBoot, kMain}) {
        GetDlgItem(sender.send).EnableWindow(false);
    }
    return true;
}

bool CHeronFirmUpdatePage::OnCommand(int id, ui::Notification code) {
    if (id == kEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    for (const FileSender& sender : {kBoot, kMain}) {
        if (id == sender.browse && code == ui::Notification::Clicked) {
            OnBrowse(sender.path, sender.send);
            return true;
        }
        if (id == sender.send && code == ui::Notification::Clicked) {
            OnSend(sender.path);
            return true;
        }
        if (id == sender.path && code == ui::Notification::TextChange) {
            GetDlgItem(sender.send).EnableWindow(!GetDlgItem(sender.path).GetWindowText().empty());
            return true;
        }
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronFirmUpdatePage::OnEnter() {
    // The adjustment dialog holds the sheet that holds this page.
    const ui::CWindow dialog = GetParent().GetParent();
    dialog.EnableWindow(false);
    const pages::FlashingOutcome outcome = pages::RunFlashingProgram([] { ui::PumpWaitingMessages(); });
    dialog.EnableWindow(true);
    if (outcome == pages::FlashingOutcome::NotStarted) {
        ShowMessage(kNotStarted, 2);
    }
}

void CHeronFirmUpdatePage::OnBrowse(int pathField, int sendButton) {
    std::string path;
    if (!ui::ChooseFileToOpen(m_hWnd, {"", "", "RCC"}, &path)) {
        return;
    }
    GetDlgItem(pathField).SetWindowText(path);
    GetDlgItem(sendButton).EnableWindow(!path.empty());
}

bool CHeronFirmUpdatePage::OnSend(int pathField) {
    UpdateData(true);
    const std::string path = GetDlgItem(pathField).GetWindowText();
    const printer::FileSendOutcome outcome =
        printer::SendFileToPort(path, CTolvAppParam::Instance()->strPortName);
    if (outcome == printer::FileSendOutcome::Sent) {
        return true;
    }
    if (outcome == printer::FileSendOutcome::EmptyPath) {
        ShowMessage(kEmptyPath, 2);
    } else if (outcome == printer::FileSendOutcome::NotParallelPort) {
        ui::MessageBox(m_hWnd, kBadInterface, CDialogMessagePresenter::kCaption, ui::BoxButtons::Ok,
                       ui::BoxIcon::Warning);
    }
    ui::MessageBox(m_hWnd, kSendFailed, CDialogMessagePresenter::kCaption, ui::BoxButtons::Ok,
                   ui::BoxIcon::Warning);
    return false;
}
