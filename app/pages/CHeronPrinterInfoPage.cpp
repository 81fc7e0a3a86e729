#include "pages/CHeronPrinterInfoPage.h"

#include "pages/CPrinterErrorCallback.h"
#include "pages/PaneSettingSink.h"
#include "patterns/SelectedPrinter.h"
#include "printer/CPrinterSettingReader.h"

namespace {

constexpr int kButtonEnter = 1128;
constexpr int kProgressMaximum = 25;
constexpr int kCloseValue = 10;

}  // namespace

CHeronPrinterInfoPage::CHeronPrinterInfoPage() : CMyPropertyPage(kTemplate) {}

bool CHeronPrinterInfoPage::OnCommand(int id, ui::Notification code) {
    if (id == kButtonEnter && code == ui::Notification::Clicked) {
        OnEnter();
        return true;
    }
    return CMyPropertyPage::OnCommand(id, code);
}

void CHeronPrinterInfoPage::OnEnter() {
    UpdateData(true);
    if (WaitWithDialog() == 0) {
        return;
    }
    IProgressCallback* progress = ProgressControl(kOpenProgress, kProgressMaximum);
    {
        // A failed read tells the technician through the program's error messages.
        IPrinterErrorCallback* errors = nullptr;
        CreatePrinterErrorCallback(&errors);
        pages::PaneSettingSink pane(progress);
        CPrinterSettingReader reader(patterns::SelectedPrinter(), patterns::SelectedSettingMap(), errors);
        reader.Read(pane, CPrinterSettingReader::kAll);
        if (errors != nullptr) {
            errors->Release();
        }
    }
    ProgressControl(kCloseProgress, kCloseValue);
}
