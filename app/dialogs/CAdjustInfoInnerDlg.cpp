#include "dialogs/CAdjustInfoInnerDlg.h"

#include <algorithm>

#include "config/CTolvPrnParam.h"
#include "dialogs/CApplicationLook.h"
#include "res/ResourceIds.h"

namespace {

constexpr char kNewLine[] = "\r\n";
constexpr char kIndent[] = "         ";  // nine spaces: the long values sit on a line of their own

// The three boxes from top to bottom: the group box and the edit box inside it.
struct Box {
    int frame;
    int text;
};
constexpr Box kBoxes[] = {{1161, 1162}, {1163, 1164}, {1165, 1166}};

constexpr int kFirstBoxTop = 4;
constexpr int kFrameBelowText = 25;  // a group box is this much taller than its text
constexpr int kTextInsetLeft = 5;
constexpr int kTextInsetTop = 20;  // below the group box's caption
constexpr int kNextBoxGap = 35;    // from one text's height to the next box's top

CAdjustInfoInnerDlg* publishedPane = nullptr;

// The top of the text's last character below the top of the box's text, as the box breaks the
// text at its width; 0 for an empty text.
int TextHeight(ui::CEdit edit, const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    return std::max(0, edit.PosFromChar(static_cast<int>(text.size()) - 1).y);
}

}  // namespace

CAdjustInfoInnerDlg::CAdjustInfoInnerDlg() : CDialog(res::kDialogInformationPane) {}

CAdjustInfoInnerDlg::~CAdjustInfoInnerDlg() {
    if (publishedPane == this) {
        publishedPane = nullptr;
    }
}

std::string CAdjustInfoInnerDlg::SettingText() const {
    return "Printer:   " + m_fields.strProfile + kNewLine + "Interface: " + m_fields.strPort + kNewLine +
           "Customer:  " + m_fields.strCustomer + kNewLine + kNewLine + kNewLine;
}

std::string CAdjustInfoInnerDlg::PrinterInfoText() const {
    return "Device ID:  " + m_fields.strDeviceID + kNewLine + "USB S/No.:  " + kNewLine + kIndent +
           m_fields.strUSBSerial + kNewLine + "Character Table:  " + m_fields.strCharTable + kNewLine +
           "Printing Direction:  " + m_fields.strPrintDirection + kNewLine +
           "IBM Character:  " + m_fields.strIBMChar + kNewLine + "Page Length:  " + m_fields.strPageLength +
           kNewLine + kNewLine + kNewLine;
}

std::string CAdjustInfoInnerDlg::AdjustedItemText() const {
    const CTolvPrnParam* model = CTolvPrnParam::Instance();
    std::string text = std::string("Bi-d Adjust Value") + kNewLine;
    for (int mode = 0; mode < 3; ++mode) {
        text += "  " + model->strBidName[mode] + ":  " + m_fields.strBidValue[mode] + kNewLine;
    }
    text += kNewLine;
    text += std::string("Serial No.: ") + kNewLine + kIndent + m_fields.strSerialNo + kNewLine + kNewLine +
            kNewLine;
    return text;
}

void CAdjustInfoInnerDlg::UpdateText() {
    if (!IsWindow()) {
        return;
    }
    const std::string texts[] = {SettingText(), PrinterInfoText(), AdjustedItemText()};
    int y = kFirstBoxTop;
    for (std::size_t box = 0; box < std::size(kBoxes); ++box) {
        ui::CWindow frame = GetDlgItem(kBoxes[box].frame);
        ui::CEdit edit = GetDlgItem(kBoxes[box].text);
        edit.SetWindowText(texts[box]);
        const int textHeight = TextHeight(edit, texts[box]);
        const ui::Rect frameRect = frame.GetWindowRect();
        frame.MoveWindow({frameRect.left, y, frameRect.right, y + textHeight + kFrameBelowText});
        const int textWidth = edit.GetWindowRect().Width();
        const int textLeft = frameRect.left + kTextInsetLeft;
        edit.MoveWindow({textLeft, y + kTextInsetTop, textLeft + textWidth, y + kTextInsetTop + textHeight});
        y += textHeight + kNextBoxGap;
    }
    const ui::Rect pane = GetWindowRect();
    MoveWindow({pane.left, pane.top, pane.right, pane.top + y});
    Invalidate();
}

void CAdjustInfoInnerDlg::ClearFields() {
    m_fields = CAdjustInfoFields{};
    UpdateText();
}

bool CAdjustInfoInnerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyLookFont(*this);
    UpdateText();
    return true;
}

ui::ControlColors CAdjustInfoInnerDlg::OnCtlColor(ui::HWindow, ui::ColorTarget target) {
    return LookColors(target);
}

bool CAdjustInfoInnerDlg::PreTranslateKey(ui::Key) {
    return true;
}

void PublishInformationPane(CAdjustInfoInnerDlg* pane) {
    publishedPane = pane;
}

CAdjustInfoInnerDlg* FindInformationPane() {
    return publishedPane;
}
