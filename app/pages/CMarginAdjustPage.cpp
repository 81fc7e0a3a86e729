#include "pages/CMarginAdjustPage.h"

#include <cstdio>

#include "config/CTolvPrnParam.h"
#include "dialogs/CDialogMessagePresenter.h"
#include "pages/SelectedEeprom.h"
#include "patterns/SelectedPrinter.h"
#include "ui/CDialog.h"

namespace {

constexpr int kCloseValue = 10;
constexpr int kMessageError = 2;
// Read: the access made, the byte read. Input: the write, the read-back, the print.
constexpr int kReadSteps = 2;
constexpr int kInputSteps = 3;

std::string FormatMargin(double millimetres) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", millimetres);
    return text;
}

}  // namespace

CMarginAdjustPage::CMarginAdjustPage(int templateId, printer::MarginEdge edge, const char* belowText,
                                     const char* aboveText)
    : CMyPropertyPage(templateId), edge_(edge), belowText_(belowText), aboveText_(aboveText) {}

bool CMarginAdjustPage::OnCommand(int id, ui::Notification code) {
    if (code == ui::Notification::Clicked) {
        switch (id) {
            case kButtonPrint:
                OnPrint();
                return true;
            case kButtonRead:
                OnRead();
                return true;
            case kButtonInput:
                OnInput();
                return true;
            default:
                break;
        }
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CMarginAdjustPage::OnPrint() {
    if (WaitWithDialog() == 0) {
        return;
    }
    patterns::PrintJobRecord job;
    PrintPattern(0, kMarginCheckJob, job);
}

void CMarginAdjustPage::OnRead() {
    printer::MarginScale scale;
    if (!ScaleOfSelectedModel(&scale) || WaitWithDialog() == 0) {
        return;
    }
    ProgressControl(kOpenProgress, kReadSteps);
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    StepProgress();
    double margin = 0.0;
    // A failed read has told the technician already; the field keeps what it showed.
    const int read = printer::ReadMargin(eeprom.Get(), edge_, scale, &margin, [this] { StepProgress(); });
    eeprom.Release();
    if (read != 0) {
        ShowMargin(margin);
    }
    ProgressControl(kCloseProgress, kCloseValue);
}

void CMarginAdjustPage::OnInput() {
    printer::MarginScale scale;
    if (!ScaleOfSelectedModel(&scale)) {
        return;
    }
    double entered = 0.0;
    if (!printer::ParseMarginText(GetDlgItem(kMarginEdit).GetWindowText(), &entered)) {
        ShowInputMessage("Please enter a number.");
        GetDlgItem(kMarginEdit).SetFocus();
        return;
    }
    const printer::MarginRule& rule = printer::MarginRuleOf(edge_);
    if (entered < rule.lowest) {
        ShowInputMessage(belowText_);
        return;
    }
    if (entered > rule.highest) {
        ShowInputMessage(aboveText_);
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    ProgressControl(kOpenProgress, kInputSteps);
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    double held = 0.0;
    const printer::MarginStore outcome =
        printer::StoreMargin(eeprom.Get(), edge_, entered, scale, &held, [this] { StepProgress(); });
    // The job opens the port itself: the EEPROM channel must be closed first.
    eeprom.Release();
    if (outcome != printer::MarginStore::Stored) {
        ProgressControl(kCloseProgress, kCloseValue);
        if (outcome == printer::MarginStore::NotKept) {
            ShowMessage("The printer did not keep the margin: it holds " + FormatMargin(held) + " mm.",
                        kMessageError);
        } else if (outcome == printer::MarginStore::ReadBackFailed) {
            ShowMessage("The margin was written, but the printer could not be asked for it. Read it again.",
                        kMessageError);
        }
        return;
    }
    // What the printer holds is shown, which is the entered margin on the feed step's grid.
    ShowMargin(held);
    patterns::PrintJobRecord job;
    job.marginInput = 1;
    (edge_ == printer::MarginEdge::Top ? job.topMargin : job.bottomMargin) = held;
    PrintPattern(0, kMarginCheckJob, job);
    StepProgress();
    ProgressControl(kCloseProgress, kCloseValue);
}

bool CMarginAdjustPage::ScaleOfSelectedModel(printer::MarginScale* scale) {
    *scale = patterns::SelectedMarginScale();
    if (scale->Known()) {
        return true;
    }
    ShowMessage("The margin step of the model " + CTolvPrnParam::Instance()->strProfileName +
                    " is not known: set nMarginStepsPerInch in [CONTROL] of its Parameter.ini.",
                kMessageError);
    return false;
}

void CMarginAdjustPage::ShowMargin(double millimetres) {
    m_dMargin = millimetres;
    GetDlgItem(kMarginEdit).SetWindowText(FormatMargin(millimetres));
}

void CMarginAdjustPage::ShowInputMessage(const std::string& text) {
    ui::MessageBox(m_hWnd, text, CDialogMessagePresenter::kCaption, ui::BoxButtons::Ok, ui::BoxIcon::Warning);
}
