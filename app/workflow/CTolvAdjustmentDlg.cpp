#include "workflow/CTolvAdjustmentDlg.h"

#include <utility>

#include "config/CTolvLangText.h"
#include "dialogs/CApplicationLook.h"
#include "pages/CPrinterErrorCallback.h"
#include "pages/PaneSettingSink.h"
#include "pages/SensorStatusFlag.h"
#include "pages/WaitWithDialog.h"
#include "patterns/SelectedPrinter.h"
#include "printer/CPrinterSettingReader.h"
#include "res/ResourceIds.h"
#include "workflow/ItemCatalogue.h"
#include "workflow/ItemPageFactory.h"

namespace {

constexpr int kSequentialMode = 0;
constexpr int kBottomMargin = 5;
constexpr int kStatusButtonWidth = 100;
constexpr int kPrinterInfoButtonWidth = 120;
// The progress window of Printer Info is made for this many steps; the reader sets its own count.
constexpr int kSettingProgressMaximum = 25;
constexpr int kCloseValue = 10;

constexpr ui::Color kTitleText = ui::Rgb(128, 64, 64);

}  // namespace

CTolvAdjustmentDlg::CTolvAdjustmentDlg(workflow::IScreenHost& screens, CAdjustSequenceInnerDlg& sequencePane,
                                       ModeSource mode)
    : CDialog(res::kDialogAdjustment),
      screens_(screens),
      sequencePane_(sequencePane),
      mode_(std::move(mode)) {}

CTolvAdjustmentDlg::~CTolvAdjustmentDlg() {
    // The window goes while this object is whole, so OnDestroy still takes the pages out of the sheet.
    DestroyWindow();
    RemovePages();
}

int CTolvAdjustmentDlg::PrepareItems(const std::vector<int>& items) {
    RemovePages();
    for (int number : items) {
        std::unique_ptr<CMyPropertyPage> page = workflow::CreateItemPage(number);
        if (page == nullptr) {
            continue;
        }
        items_.push_back(number);
        page->SetItemNumber(number);
        page->SetAdjustmentHost(this);
        sheet_.AddPage(page.get());
        pages_.push_back(std::move(page));
    }
    if (items_.empty()) {
        return 0;
    }
    if (sheet_.IsWindow()) {
        // A taller page than any before (the EEPROM page) has made the sheet grow.
        FitAroundSheet();
        ApplyFonts();
        EnableCancel();
        sheet_.SetActivePage(0);
    }
    return 1;
}

void CTolvAdjustmentDlg::RemovePages() {
    while (sheet_.GetPageCount() > 0) {
        sheet_.RemovePage(sheet_.GetPageCount() - 1);
    }
    pages_.clear();
    items_.clear();
}

void CTolvAdjustmentDlg::EnableCancel() {
    const bool sequential = mode_ && mode_() == kSequentialMode;
    sheet_.GetButton(ui::kIdCancel).EnableWindow(items_.size() >= 2 || sequential);
}

bool CTolvAdjustmentDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(res::kIconMain);
    LayOut();
    ApplyFonts();
    EnableCancel();
    sheet_.AddButton(res::LoadResourceString(res::kStrStatus), kStatusCommand, kStatusButtonWidth);
    sheet_.AddButton(res::LoadResourceString(res::kStrPrinterInfo), kPrinterInfoCommand,
                     kPrinterInfoButtonWidth);
    if (!items_.empty()) {
        sheet_.SetActivePage(0);
        SetCurrentItem(items_.front());
    }
    return true;
}

// The sheet goes below the description box, at the dialog's left edge.
void CTolvAdjustmentDlg::LayOut() {
    descriptionRect_ = GetDlgItem(kDescription).GetWindowRect();
    if (!sheet_.Create(m_hWnd)) {
        return;
    }
    ui::Backend().AddControlParentStyle(sheet_);
    const ui::Rect own = sheet_.GetWindowRect();
    sheet_.MoveWindow({0, descriptionRect_.bottom, own.Width(), descriptionRect_.bottom + own.Height()});
    sheet_.ShowWindow(true);
    FitAroundSheet();
}

// The dialog takes the sheet's size, the title the dialog's width, and the description box the
// sheet's width.
void CTolvAdjustmentDlg::FitAroundSheet() {
    const ui::Rect sheet = sheet_.GetWindowRect();
    const ui::Rect dialog = GetWindowRect();
    MoveWindow({dialog.left, dialog.top, dialog.left + sheet.right + descriptionRect_.left,
                dialog.top + sheet.bottom + kBottomMargin});

    const ui::CWindow title = GetDlgItem(kTitle);
    const ui::Rect titleRect = title.GetWindowRect();
    title.MoveWindow(
        {titleRect.left, titleRect.top, GetClientRect().Width() - titleRect.left, titleRect.bottom});
    descriptionRect_.right = sheet.right;
}

void CTolvAdjustmentDlg::ApplyFonts() {
    ApplyLookFont(*this);
    if (const CApplicationLook* look = CApplicationLook::Installed()) {
        GetDlgItem(kTitle).SetFont(look->GetFont(CApplicationLook::kFontE));
    }
    sheet_.ApplyFonts();
}

void CTolvAdjustmentDlg::SetCurrentItem(int number) {
    const CTolvLangText& texts = *CTolvLangText::Instance();
    GetDlgItem(kTitle).SetWindowText(texts.GetMenuName(number));
    GetDlgItem(kDescription).SetWindowText(texts.GetText(workflow::ItemName(number)));

    const ui::CStatic figure = GetDlgItem(kFigure);
    if (figure.HasImage()) {
        figure.ClearImage();
    }
    GetDlgItem(kDescription).MoveWindow(descriptionRect_);
    figure.ShowWindow(false);
    Invalidate();

    if (sequencePane_.IsWindow()) {
        sequencePane_.SetCurrent(number);
    }
}

bool CTolvAdjustmentDlg::OnCommand(int id, ui::Notification code) {
    if (code != ui::Notification::Clicked) {
        return false;
    }
    switch (id) {
        case res::kIdOk:
            // Only a page that agreed to Finish sends it.
            screens_.ReturnFromAdjustment();
            return true;
        case res::kIdCancel:
            ConfirmCancel();
            return true;
        case kStatusCommand:
            ShowPrinterStatus();
            return true;
        case kPrinterInfoCommand:
            ReadPrinterSettings();
            return true;
        case kUnusedCommand:
            return true;
        default:
            return false;
    }
}

void CTolvAdjustmentDlg::ConfirmCancel() {
    const int answer = ui::MessageBox(m_hWnd, res::LoadResourceString(res::kStrWouldYouCancel),
                                      res::LoadResourceString(res::kStrConfirmation), ui::BoxButtons::YesNo,
                                      ui::BoxIcon::Question);
    if (answer != ui::kIdYes) {
        return;
    }
    // A sensor status page still polling must stop before the run it belongs to ends.
    pages::SensorStatusRunning() = 0;
    sheet_.GetDlgItem(kStatusCommand).EnableWindow(true);
    sheet_.GetDlgItem(kPrinterInfoCommand).EnableWindow(true);
    screens_.ReturnFromAdjustment();
}

ui::ControlColors CTolvAdjustmentDlg::OnCtlColor(ui::HWindow control, ui::ColorTarget target) {
    const int id = control == m_hWnd ? 0 : ui::CWindow(control).GetDlgCtrlID();
    if (id != kTitle && id != kDescription) {
        return LookColors(target);
    }
    // The title and the description are painted opaque on colours of their own.
    const CApplicationLook::Brush brush =
        id == kTitle ? CApplicationLook::kBrushSand : CApplicationLook::kBrushLavender;
    ui::ControlColors colors;
    const CApplicationLook* look = CApplicationLook::Installed();
    colors.brush = look != nullptr ? look->GetBrush(brush) : nullptr;
    colors.hasBackColor = true;
    colors.backColor = CApplicationLook::ColorOf(brush);
    if (id == kTitle) {
        colors.hasTextColor = true;
        colors.textColor = kTitleText;
    }
    return colors;
}

// The printer's state, polled once a second until the technician closes the window with OK.
void CTolvAdjustmentDlg::ShowPrinterStatus() {
    pages::ShowPrinterStatus(patterns::SelectedPrinter(), m_hWnd);
}

// Every setting of the printer into the information pane, with the progress window open meanwhile.
void CTolvAdjustmentDlg::ReadPrinterSettings() {
    IProgressCallback* progress = ProgressControl(kOpenProgress, kSettingProgressMaximum);
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

bool CTolvAdjustmentDlg::PreTranslateKey(ui::Key key) {
    return sheet_.IsWindow() ? sheet_.PreTranslateKey(key) : true;
}

void CTolvAdjustmentDlg::OnDestroy() {
    RemovePages();
    CDialog::OnDestroy();
}
