#include "workflow/CTolvaneDlg.h"

#include "config/CTolvAppParam.h"
#include "pages/ReadjustRequest.h"
#include "res/ResourceIds.h"

using workflow::IMainWindowParts;

CTolvaneDlg::CTolvaneDlg(IMainWindowParts& parts, int& mode)
    : CDialog(res::kDialogMain), parts_(parts), mode_(mode) {}

CTolvaneDlg::~CTolvaneDlg() {
    DestroyWindow();
}

bool CTolvaneDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const std::string showVersion = res::LoadResourceString(res::kStrShowVersion);
    if (!showVersion.empty()) {
        ui::Backend().AppendSystemMenu(m_hWnd, 0, "");
        ui::Backend().AppendSystemMenu(m_hWnd, kAboutCommand, showVersion);
    }
    SetIcon(res::kIconMain);
    SetWindowText(CTolvAppParam::Instance()->strProgName);

    // The screens are children that the dialog manager must walk into for Tab and the arrow keys.
    ui::Backend().AddControlParentStyle(m_hWnd);
    ui::CDialog& top = parts_.GetScreen(IMainWindowParts::kTopScreen);
    if (EnsureScreen(IMainWindowParts::kTopScreen)) {
        top.ShowWindow(true);
        FitToScreen(IMainWindowParts::kTopScreen);
    }
    CentreOnScreen();
    shown_ = IMainWindowParts::kTopScreen;
    top.SetFocus();
    // Readjust on a page asks this window for a new run: the page's sheet goes with the old one.
    pages::SetReadjustWindow(m_hWnd);
    // The focus is set here: the framework must not move it to the main window's first control.
    return false;
}

void CTolvaneDlg::OnDestroy() {
    pages::SetReadjustWindow(nullptr);
    CDialog::OnDestroy();
}

void CTolvaneDlg::OnPostedMessage(int code, long first, long second) {
    if (code != pages::kPostedReadjust) {
        CDialog::OnPostedMessage(code, first, second);
        return;
    }
    // A second message for the same request finds the slot empty and starts nothing.
    const std::vector<int> run = pages::TakeReadjustRun();
    if (!run.empty()) {
        StartAdjustment(run);
    }
}

// ---- screen switching

void CTolvaneDlg::ShowTopScreen() {
    HideCompanion(IMainWindowParts::kInformationFrame);
    HideCompanion(IMainWindowParts::kSequenceFrame);
    parts_.ClearInformation();
    SwitchTo(IMainWindowParts::kTopScreen);
    CentreOnScreen();
}

void CTolvaneDlg::ShowItemMenu(bool reset) {
    mode_ = kParticularMode;
    HideCompanion(IMainWindowParts::kSequenceFrame);
    RefreshInformation();
    if (reset && EnsureScreen(IMainWindowParts::kItemMenu)) {
        parts_.ResetItemMenu();
    }
    SwitchTo(IMainWindowParts::kItemMenu);
    PlaceCompanion(IMainWindowParts::kInformationFrame, true);
}

void CTolvaneDlg::ShowPartsList(bool reset) {
    mode_ = kSequentialMode;
    HideCompanion(IMainWindowParts::kInformationFrame);
    HideCompanion(IMainWindowParts::kSequenceFrame);
    if (reset && EnsureScreen(IMainWindowParts::kPartsList)) {
        parts_.ResetPartsList();
    }
    SwitchTo(IMainWindowParts::kPartsList);
}

void CTolvaneDlg::StartAdjustment(const std::vector<int>& items) {
    // A run without a single page leaves the screen as it is.
    if (!parts_.PrepareItems(items)) {
        return;
    }
    if (!EnsureScreen(IMainWindowParts::kAdjustment)) {
        return;
    }
    RefreshInformation();
    // The pane lays its boxes out inside its frame, so the frame is made first.
    parts_.MakeCompanion(IMainWindowParts::kSequenceFrame, m_hWnd);
    parts_.FillSequence(items);
    SwitchTo(IMainWindowParts::kAdjustment);
    PlaceCompanion(IMainWindowParts::kSequenceFrame, false);
    PlaceCompanion(IMainWindowParts::kInformationFrame, true);
}

void CTolvaneDlg::ReturnFromAdjustment() {
    // The item menu keeps the technician's last choice; the parts list starts without ticks.
    if (mode_ == kParticularMode) {
        ShowItemMenu(false);
    } else {
        ShowPartsList(true);
    }
}

void CTolvaneDlg::RequestClose() {
    OnClose();
}

bool CTolvaneDlg::TopScreenShown() const {
    return shown_ == IMainWindowParts::kTopScreen;
}

bool CTolvaneDlg::EnsureScreen(Screen screen) {
    ui::CDialog& dialog = parts_.GetScreen(screen);
    if (dialog.IsWindow()) {
        return true;
    }
    if (!dialog.Create(m_hWnd)) {
        return false;
    }
    dialog.MoveWindow({0, 0, dialog.GetWindowRect().Width(), dialog.GetWindowRect().Height()});
    return true;
}

void CTolvaneDlg::SwitchTo(Screen screen) {
    if (!EnsureScreen(screen)) {
        return;
    }
    for (int other = 0; other < IMainWindowParts::kScreenCount; ++other) {
        ui::CDialog& dialog = parts_.GetScreen(static_cast<Screen>(other));
        if (other != screen && dialog.IsWindow()) {
            dialog.ShowWindow(false);
        }
    }
    ui::CDialog& shown = parts_.GetScreen(screen);
    shown.ShowWindow(true);
    shown_ = screen;
    FitToScreen(screen);
    shown.SetFocus();
}

void CTolvaneDlg::FitToScreen(Screen screen) {
    ui::CDialog& dialog = parts_.GetScreen(screen);
    const ui::Rect child = dialog.GetWindowRect();
    dialog.MoveWindow({0, 0, child.Width(), child.Height()});
    const ui::Rect outer = ui::Backend().ClientToWindowSize(m_hWnd, child.Width(), child.Height());
    const ui::Rect now = GetWindowRect();
    MoveWindow({now.left, now.top, now.left + outer.Width(), now.top + outer.Height()});
}

void CTolvaneDlg::CentreOnScreen() {
    const ui::Rect screen = ui::Backend().GetScreenRect();
    const ui::Rect now = GetWindowRect();
    const int left = screen.left + (screen.Width() - now.Width()) / 2;
    const int top = screen.top + (screen.Height() - now.Height()) / 2;
    MoveWindow({left, top, left + now.Width(), top + now.Height()});
}

// ---- companion windows

void CTolvaneDlg::HideCompanion(Companion companion) {
    ui::CWindow frame = parts_.GetCompanion(companion);
    if (frame.IsWindow()) {
        frame.ShowWindow(false);
    }
}

void CTolvaneDlg::PlaceCompanion(Companion companion, bool toTheRight) {
    ui::CWindow frame = parts_.MakeCompanion(companion, m_hWnd);
    if (!frame.IsWindow()) {
        return;
    }
    // The frame keeps the width that fits its pane; it takes the main window's top and height.
    const ui::Rect main = GetWindowRect();
    const int width = frame.GetWindowRect().Width();
    const int left = toTheRight ? main.right : main.left - width;
    frame.MoveWindow({left, main.top, left + width, main.bottom});
    frame.EnableWindow(IsWindowEnabled());
    frame.ShowWindow(true);
}

void CTolvaneDlg::RefreshInformation() {
    const CTolvAppParam* settings = CTolvAppParam::Instance();
    parts_.RefreshInformation(settings->strProfile, settings->strPortName, settings->strCustomerName);
}

void CTolvaneDlg::OnEnable(bool enabled) {
    for (int companion = 0; companion < IMainWindowParts::kCompanionCount; ++companion) {
        ui::CWindow frame = parts_.GetCompanion(static_cast<Companion>(companion));
        if (frame.IsWindow()) {
            frame.EnableWindow(enabled);
        }
    }
}

// ---- ending the program

void CTolvaneDlg::OnOK() {
    // Enter in a screen reaches the main window as OK; it never ends the program.
}

void CTolvaneDlg::OnCancel() {
    // Escape and the close box end the program only from the top dialog: elsewhere a run or a
    // selection would be lost without a question.
    if (TopScreenShown()) {
        EndDialog(ui::kIdCancel);
    }
}

void CTolvaneDlg::OnClose() {
    OnCancel();
}

bool CTolvaneDlg::PreTranslateKey(ui::Key key) {
    // The main window has no controls of its own: a key that reaches it while no control of a
    // screen has the focus belongs to the screen shown. A screen that declined it once declines
    // it again.
    ui::CDialog& screen = parts_.GetScreen(shown_);
    if (screen.IsWindow() && screen.PreTranslateKey(key)) {
        return true;
    }
    if (key == ui::Key::Escape) {
        OnCancel();
    }
    return true;
}

void CTolvaneDlg::OnSysCommand(int id) {
    if (id == kAboutCommand) {
        parts_.ShowAbout(m_hWnd);
    }
}
