#include "pages/CHeronEepromRwPage.h"

#include <cstdio>
#include <string_view>

#include "dialogs/CDialogMessagePresenter.h"
#include "pages/SelectedEeprom.h"
#include "printer/EepFile.h"
#include "ui/DataExchange.h"
#include "ui/OpenFileDialog.h"

namespace {

// Controls of template 165.
constexpr int kEditFrom = 1209;
constexpr int kEditTo = 1123;
constexpr int kButtonRead = 1212;
constexpr int kButtonWriteRange = 1211;
constexpr int kButtonPrint = 1127;
constexpr int kEditAddress = 1210;
constexpr int kEditData = 1124;
constexpr int kButtonWriteByte = 1129;
constexpr int kButtonSave = 1152;
constexpr int kButtonRestore = 1131;
constexpr int kDump = 1181;

constexpr int kMessageInformation = 0;
constexpr int kMessageError = 2;

// How long the printer gets to settle after the EEPROM work before the completion message, and after
// a printed dump.
constexpr int kSettleMs = 2000;
constexpr int kPrintSettleMs = 10000;

constexpr char kHexDigits[] = "0123456789abcdefABCDEF";
constexpr char kFileExtension[] = "*.eep";
constexpr char kFileFilter[] = "EEP File (*.eep)|*.eep||";

// A written cell: bold green when the printer took the byte, bold red when it did not.
constexpr ui::Color kWrittenColour = ui::Rgb(0, 240, 0);
constexpr ui::Color kFailedColour = ui::Rgb(255, 0, 0);

// The index of the first character of a line of the text (lines end in line feeds); -1 when the text
// has fewer lines.
int DumpLineStart(const std::string& text, int line) {
    std::size_t start = 0;
    for (int at = 0; at < line; ++at) {
        const std::size_t feed = text.find('\n', start);
        if (feed == std::string::npos) {
            return -1;
        }
        start = feed + 1;
    }
    return static_cast<int>(start);
}

bool IsHexText(std::string_view text) {
    return text.find_first_not_of(kHexDigits) == std::string_view::npos;
}

// The whole text as a hexadecimal number, held at 0x10000 so that a long text cannot wrap round into
// a small address or value: the edits take two characters, but a pasted or typed longer text must
// not become another address.
int HexValue(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * 16 + digit;
        if (value > 0xFFFF) {
            return 0x10000;
        }
    }
    return value;
}

}  // namespace

CHeronEepromRwPage::CHeronEepromRwPage() : CMyPropertyPage(kTemplate) {}

CHeronEepromRwPage::~CHeronEepromRwPage() {
    // The window goes while the page is whole (the dump font is still alive for it).
    DestroyWindow();
}

bool CHeronEepromRwPage::OnInitDialog() {
    const bool result = CMyPropertyPage::OnInitDialog();
    GetDlgItem(kButtonWriteRange).EnableWindow(false);
    PrepareDumpFont();
    return result;
}

void CHeronEepromRwPage::DoDataExchange(ui::CDataExchange* exchange) {
    CMyPropertyPage::DoDataExchange(exchange);
    ui::DDX_Text(exchange, kEditFrom, m_strFrom);
    ui::DDX_Text(exchange, kEditTo, m_strTo);
    ui::DDX_Text(exchange, kEditAddress, m_strAddress);
    ui::DDX_Text(exchange, kEditData, m_strData);
}

bool CHeronEepromRwPage::OnCommand(int id, ui::Notification code) {
    if (code != ui::Notification::Clicked) {
        return CMyPropertyPage::OnCommand(id, code);
    }
    switch (id) {
        case kButtonRead:
            OnRead();
            return true;
        case kButtonWriteRange:
            OnWriteRange();
            return true;
        case kButtonPrint:
            OnPrint();
            return true;
        case kButtonWriteByte:
            OnWriteByte();
            return true;
        case kButtonSave:
            OnSave();
            return true;
        case kButtonRestore:
            OnRestore();
            return true;
        default:
            return CMyPropertyPage::OnCommand(id, code);
    }
}

bool CHeronEepromRwPage::OnKillActive() {
    if (m_bReading || m_bWriting) {
        return false;
    }
    return CMyPropertyPage::OnKillActive();
}

int CHeronEepromRwPage::OnWizardBack() {
    if (m_bReading || m_bWriting) {
        if (AskYesNo("Cannot Change This Page during Reading or Writing EEPROM\r\ncanceld proccess")) {
            m_bCancel = true;
        }
        return -1;
    }
    return CMyPropertyPage::OnWizardBack();
}

int CHeronEepromRwPage::OnWizardNext() {
    if (m_bReading || m_bWriting) {
        if (AskYesNo("Cannot Change This Page during Reading or Writing EEPROM\r\ncanceld proccess")) {
            m_bCancel = true;
        }
        return -1;
    }
    return CMyPropertyPage::OnWizardNext();
}

bool CHeronEepromRwPage::OnWizardFinish() {
    if (m_bReading || m_bWriting) {
        if (AskYesNo("Cannot Close This Page during Reading or Writing EEPROM\r\nDo you want to Cancel This "
                     "Proccess?.")) {
            m_bCancel = true;
        }
        return false;
    }
    return CMyPropertyPage::OnWizardFinish();
}

void CHeronEepromRwPage::OnStopWork() {
    // The sheet hands Cancel or one of its own buttons to the dialog: a running read or write stops
    // before its next address.
    if (m_bReading || m_bWriting) {
        m_bCancel = true;
    }
    CMyPropertyPage::OnStopWork();
}

printer::EepromHold CHeronEepromRwPage::StartRangeAction(bool waitForPrinter, int* from, int* to) {
    if (m_bReading || m_bWriting) {
        return {};
    }
    UpdateData(true);
    if (!CheckRange(from, to)) {
        return {};
    }
    if (waitForPrinter && WaitWithDialog() == 0) {
        return {};
    }
    return pages::EepromForSelectedPrinter();
}

void CHeronEepromRwPage::OnRead() {
    int from = 0;
    int to = 0;
    printer::EepromHold eeprom = StartRangeAction(false, &from, &to);
    if (!eeprom) {
        return;
    }
    PrepareDumpFont();
    const printer::EepromImage mask = printer::RangeMask(from, to);
    m_bCancel = false;
    const int read = DumpRead(eeprom.Get(), &mask, &m_bCancel);
    eeprom.Release();
    if (read != 0) {
        WaitPrinterReady(kSettleMs);
        ShowMessage("Read EEPROM Complete.", kMessageInformation);
    }
}

void CHeronEepromRwPage::OnWriteRange() {
    int from = 0;
    int to = 0;
    printer::EepromHold eeprom = StartRangeAction(true, &from, &to);
    if (!eeprom) {
        return;
    }
    // The bytes of the last read or restore, within From..To.
    const printer::EepromImage mask = printer::RangeMask(from, to);
    m_bCancel = false;
    const int written = DumpWrite(eeprom.Get(), &mask);
    eeprom.Release();
    if (written != 0) {
        WaitPrinterReady(kSettleMs);
        ShowMessage("Write EEPROM Complete.", kMessageInformation);
    }
}

void CHeronEepromRwPage::OnPrint() {
    int from = 0;
    int to = 0;
    printer::EepromHold eeprom = StartRangeAction(true, &from, &to);
    if (!eeprom) {
        return;
    }
    PrepareDumpFont();
    const printer::EepromImage mask = printer::RangeMask(from, to);
    m_bCancel = false;
    if (DumpRead(eeprom.Get(), &mask, &m_bCancel) == 0) {
        return;
    }
    const int printed = eeprom->PrintDump(m_image.data());
    eeprom.Release();
    if (printed == 0) {
        ShowMessage("Print EEPROM Failed.", kMessageError);
        return;
    }
    WaitPrinterReady(kPrintSettleMs);
    ShowMessage("Print EEPROM Complete.", kMessageInformation);
}

void CHeronEepromRwPage::OnWriteByte() {
    if (m_bReading || m_bWriting) {
        return;
    }
    UpdateData(true);
    int address = 0;
    int value = 0;
    if (!CheckSingleByte(&address, &value)) {
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (!eeprom) {
        return;
    }
    m_bWriting = true;
    const int written = eeprom->WriteByte(address, static_cast<std::uint8_t>(value));
    m_bWriting = false;
    eeprom.Release();
    if (written != 0) {
        WaitPrinterReady(kSettleMs);
        ShowMessage("Write Complete.", kMessageInformation);
    } else {
        ShowMessage("Write Failed.", kMessageInformation);
    }
}

void CHeronEepromRwPage::OnSave() {
    if (m_bReading || m_bWriting) {
        return;
    }
    UpdateData(true);
    ui::SaveFileRequest request;
    request.filter = kFileFilter;
    request.defaultExtension = kFileExtension;
    request.overwritePrompt = true;
    std::string path;
    if (!ui::ChooseFileToSave(m_hWnd, request, &path)) {
        return;
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (!eeprom) {
        return;
    }
    // Every address: a backup with holes would restore as holes.
    if (DumpRead(eeprom.Get(), nullptr, nullptr) == 0) {
        return;
    }
    eeprom.Release();
    if (printer::SaveEepFile(path, m_image) != printer::EepFileResult::Ok) {
        char text[600];
        std::snprintf(text, sizeof text, "Can not write to file %s.", path.c_str());
        ShowMessage(text, kMessageError);
        return;
    }
    WaitPrinterReady(kSettleMs);
    ShowMessage("Save Complete.", kMessageInformation);
}

void CHeronEepromRwPage::OnRestore() {
    if (m_bReading || m_bWriting) {
        return;
    }
    UpdateData(true);
    ui::OpenFileRequest request;
    request.filter = kFileFilter;
    request.defaultExtension = kFileExtension;
    std::string path;
    if (!ui::ChooseFileToOpen(m_hWnd, request, &path)) {
        return;
    }
    PrepareDumpFont();
    m_bCancel = false;
    if (!LoadFile(path)) {
        return;
    }
    if (WaitWithDialog() == 0) {
        return;
    }
    printer::EepromHold eeprom = pages::EepromForSelectedPrinter();
    if (!eeprom) {
        return;
    }
    const int written = DumpWrite(eeprom.Get(), &m_image);
    eeprom.Release();
    if (written != 0) {
        WaitPrinterReady(kSettleMs);
        ShowMessage("Restore Complete.", kMessageInformation);
    }
}

bool CHeronEepromRwPage::CheckRange(int* from, int* to) {
    if (!IsHexText(m_strFrom) || !IsHexText(m_strTo)) {
        ShowInputMessage("Wrong Address\r\nMust Hex Number or Blank");
        return false;
    }
    const int last = printer::kEepromImageEntries - 1;
    *from = m_strFrom.empty() ? 0 : HexValue(m_strFrom);
    *to = m_strTo.empty() ? last : HexValue(m_strTo);
    if (*from > *to || *to > last) {
        ShowInputMessage("Wrong Range\r\nMust from 00(h) to FF(h)");
        return false;
    }
    return true;
}

bool CHeronEepromRwPage::CheckSingleByte(int* address, int* value) {
    if (m_strAddress.empty() || !IsHexText(m_strAddress)) {
        ShowInputMessage("Wrong Address\r\nMust Hex Number");
        return false;
    }
    if (m_strData.empty() || !IsHexText(m_strData)) {
        ShowInputMessage("Wrong Data\r\nMust Hex Number");
        return false;
    }
    *address = HexValue(m_strAddress);
    *value = HexValue(m_strData);
    if (*address > printer::kEepromImageEntries - 1) {
        ShowInputMessage("Wrong Addres\r\nMust from 00(h) to FF(h)");
        return false;
    }
    if (*value > 0xFF) {
        ShowInputMessage("Wrong Value\r\nMust from 00(h) to FF(h)");
        return false;
    }
    return true;
}

void CHeronEepromRwPage::ShowInputMessage(const std::string& text) {
    ui::MessageBox(m_hWnd, text, CDialogMessagePresenter::kCaption, ui::BoxButtons::Ok, ui::BoxIcon::Warning);
}

bool CHeronEepromRwPage::AskYesNo(const std::string& text) {
    return ui::MessageBox(m_hWnd, text, CDialogMessagePresenter::kCaption, ui::BoxButtons::YesNo,
                          ui::BoxIcon::Question) == ui::kIdYes;
}

int CHeronEepromRwPage::DumpRead(IEepromRW* eeprom, const printer::EepromImage* mask, const bool* cancel) {
    if (m_bReading || m_bWriting) {
        return 0;
    }
    GetDlgItem(kButtonWriteRange).EnableWindow(false);
    m_bReading = true;
    StartDump(printer::DumpLayout::Read);
    const int read = printer::ReadEepromDump(eeprom, &m_image, mask, cancel, this);
    // A row cut short by a failure or a cancel shows as far as it went.
    ShowDump();
    m_bReading = false;
    if (read != 0) {
        GetDlgItem(kButtonWriteRange).EnableWindow(true);
    }
    return read;
}

int CHeronEepromRwPage::DumpWrite(IEepromRW* eeprom, const printer::EepromImage* mask) {
    if (m_bWriting) {
        return 0;
    }
    m_bWriting = true;
    const int written = printer::WriteEepromDump(eeprom, m_image, mask, &m_bCancel, this);
    m_bWriting = false;
    return written;
}

bool CHeronEepromRwPage::LoadFile(const std::string& path) {
    m_bReading = true;
    StartDump(printer::DumpLayout::Restored);
    printer::EepromImage loaded = printer::BlankEepromImage();
    const printer::EepFileResult result = printer::LoadEepFile(path, &loaded);
    // Cleared on every way out: a page left reading refuses every button.
    m_bReading = false;
    if (result == printer::EepFileResult::CannotOpen) {
        ShowMessage("File Not Found", kMessageError);
        return false;
    }
    if (result != printer::EepFileResult::Ok) {
        char text[700];
        std::snprintf(
            text, sizeof text,
            "Not an EEPROM file: %s\r\nAn EEPROM file holds exactly 256 entries (%u bytes). Nothing was "
            "written to the printer.",
            path.c_str(), static_cast<unsigned>(printer::kEepFileSize));
        ShowMessage(text, kMessageError);
        return false;
    }
    m_image = loaded;
    for (int address = 0; address < printer::kEepromImageEntries; ++address) {
        if (address % 16 == 0) {
            m_strDump += printer::DumpRowLabel(address / 16, m_layout);
        }
        m_strDump += printer::DumpCell(m_image[static_cast<std::size_t>(address)]);
    }
    ShowDump();
    GetDlgItem(kButtonWriteRange).EnableWindow(true);
    return true;
}

void CHeronEepromRwPage::StartDump(printer::DumpLayout layout) {
    m_layout = layout;
    m_marks.fill(CellMark::None);
    m_strDump = printer::DumpHeader(layout);
    ShowDump();
}

void CHeronEepromRwPage::ShowDump() {
    const ui::CWindow dump = GetDlgItem(kDump);
    dump.SetWindowText(m_strDump);
    dump.Invalidate();
}

void CHeronEepromRwPage::PrepareDumpFont() {
    if (m_dumpFont.Get() == nullptr) {
        ui::FontSpec spec;
        spec.face = "Courier New";
        // 160 twips: 8 points, -11 logical units at 96 dots per inch.
        spec.height = -11;
        m_dumpFont.CreateFontIndirect(spec);
    }
    if (IsWindow()) {
        GetDlgItem(kDump).SetFont(m_dumpFont);
    }
}

void CHeronEepromRwPage::OnRow(int row) {
    m_strDump += printer::DumpRowLabel(row, m_layout);
}

void CHeronEepromRwPage::OnCell(int /*address*/, std::int32_t entry) {
    m_strDump += printer::DumpCell(entry);
    // The dump grows visibly, one address at a time, and after every address the page answers the
    // technician, so a click on Back, Next or Finish reaches the guard while the loop runs.
    ShowDump();
    ui::PumpWaitingMessages();
}

void CHeronEepromRwPage::OnWritten(int address, bool written) {
    m_marks[static_cast<std::size_t>(address & 0xFF)] = written ? CellMark::Written : CellMark::Failed;
    // The cell is three characters of line address / 16 + 2 (under the header and its rule), at
    // character 3 x (address mod 16 + 2) from the line start.
    const int cell = DumpLineStart(m_strDump, (address & 0xFF) / 16 + 2);
    const ui::CRichEditCtrl dump = GetDlgItem(kDump);
    if (cell >= 0) {
        dump.SetCharFormat(cell + 3 * ((address & 0xF) + 2), 3, written ? kWrittenColour : kFailedColour,
                           true);
    }
    dump.Invalidate();
    ui::PumpWaitingMessages();
}
