// The service page for the raw EEPROM: a hexadecimal dump of a range of addresses, a single-byte
// write, a range write of the dump, the dump printed on the printer, and the whole EEPROM saved to
// and restored from .eep files. A mistake here destroys a printer's calibration, so every input is
// checked before the printer is touched and nothing is written that the technician did not ask for.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pages/CMyPropertyPage.h"
#include "pages/SelectedEeprom.h"
#include "printer/EepromDump.h"
#include "printer/EepromDumpText.h"
#include "printer/EepromImage.h"
#include "ui/Gdi.h"

class IEepromRW;

class CHeronEepromRwPage : public CMyPropertyPage, private printer::IEepromDumpObserver {
public:
    static constexpr int kTemplate = 165;
    // How a write left an address's cell in the dump: bold green when the printer took the byte,
    // bold red when it did not.
    enum class CellMark : std::uint8_t { None, Written, Failed };

    CHeronEepromRwPage();
    ~CHeronEepromRwPage() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* exchange) override;
    bool OnCommand(int id, ui::Notification code) override;
    // The page cannot be left while a read or write runs; the technician may ask it to cancel.
    bool OnKillActive() override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    bool OnWizardFinish() override;
    void OnStopWork() override;

    bool IsReading() const { return m_bReading; }
    bool IsWriting() const { return m_bWriting; }
    bool CancelRequested() const { return m_bCancel; }
    const std::string& DumpText() const { return m_strDump; }
    const printer::EepromImage& Image() const { return m_image; }
    CellMark MarkOf(int address) const { return m_marks[static_cast<std::size_t>(address & 0xFF)]; }
    const ui::CFont& DumpFont() const { return m_dumpFont; }

protected:
    // The buttons.
    void OnRead();
    void OnWriteRange();
    void OnPrint();
    void OnWriteByte();
    void OnSave();
    void OnRestore();

    // Reads into the image, growing the dump as it goes; 1 when every address was settled.
    int DumpRead(IEepromRW* eeprom, const printer::EepromImage* mask, const bool* cancel);

    bool m_bReading = false;
    bool m_bWriting = false;
    bool m_bCancel = false;

private:
    // From and To: empty or hexadecimal, From no more than To, To no more than the last address.
    // Shows the message box of the first rule broken and answers false.
    bool CheckRange(int* from, int* to);
    // The common start of Read, Write (range) and Print: nothing while a loop runs, the range
    // checked, the printer ready when asked, an EEPROM object made; an empty hold when any fails.
    printer::EepromHold StartRangeAction(bool waitForPrinter, int* from, int* to);
    // Address and Data: hexadecimal, the address no more than the last, the value a byte.
    bool CheckSingleByte(int* address, int* value);
    // One of the page's input messages, as a system message box.
    void ShowInputMessage(const std::string& text);
    // A question with Yes and No: true for Yes.
    bool AskYesNo(const std::string& text);

    // Writes the image, marking each cell; 1 when every byte was written.
    int DumpWrite(IEepromRW* eeprom, const printer::EepromImage* mask);
    // Reads the file into the image and shows it as a restored dump; false (with the message shown
    // and nothing changed at the printer) for a file that is missing or no EEPROM image.
    bool LoadFile(const std::string& path);
    void StartDump(printer::DumpLayout layout);
    void ShowDump();
    void PrepareDumpFont();

    void OnRow(int row) override;
    void OnCell(int address, std::int32_t entry) override;
    void OnWritten(int address, bool written) override;

    std::string m_strFrom;
    std::string m_strTo;
    std::string m_strAddress;
    std::string m_strData;
    printer::EepromImage m_image = printer::BlankEepromImage();
    std::array<CellMark, printer::kEepromImageEntries> m_marks{};
    printer::DumpLayout m_layout = printer::DumpLayout::Read;
    std::string m_strDump;
    ui::CFont m_dumpFont;
};
