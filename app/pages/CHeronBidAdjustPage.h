// The bi-directional alignment page: prints the alignment pattern of up to three print modes, reads
// the corrections the printer holds, and sends new ones. A row whose stored byte could not be read
// keeps its field and prints no pattern, and the information pane shows a sent value only once it
// was read back from the printer. What it does to the printer's EEPROM is in
// printer/BidirectionalValues.h.
#pragma once

#include <array>
#include <cstdint>

#include "pages/CMyPropertyPage.h"

class CHeronBidAdjustPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 153;

    CHeronBidAdjustPage();

    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* exchange) override;
    bool OnCommand(int id, ui::Notification code) override;

    int EditedValue(int row) const { return m_nBidValue[static_cast<std::size_t>(row)]; }
    int EnteredValue(int row) const { return m_nLastInput[static_cast<std::size_t>(row)]; }

protected:
    // The buttons.
    void OnInput();
    void OnPrint();
    void OnRead();

    // The edited correction of each row, and the last one sent with Input.
    std::array<std::int32_t, 3> m_nBidValue = {};
    std::array<std::int32_t, 3> m_nLastInput = {};

private:
    bool IsPrintRowChecked(int row) const;
    bool IsAdjustRowChecked(int row) const;
    // Shows the value as the row's Bi-d value in the information pane.
    static void ShowInPane(int row, int value);
};
