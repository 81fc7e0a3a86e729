// Prints one of the printer's test sequences, chosen from the sequences its paper width has, and on
// the general print test item restarts chosen adjustments.
#pragma once

#include <vector>

#include "pages/CMyPropertyPage.h"
#include "patterns/PrintTestList.h"

class CHeronPrintTestPage : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 301;

    // flags: patterns::kAllPrintTests for the general item, a single sequence's flag otherwise.
    explicit CHeronPrintTestPage(int flags);

    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange* exchange) override;
    bool OnCommand(int id, ui::Notification code) override;

protected:
    void OnPrint();
    void OnReadjust();

    int m_nFlags;
    int m_nSelected = -1;
    std::vector<patterns::PrintTestEntry> m_entries;
};
