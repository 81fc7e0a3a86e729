// Lists the printer's last five fatal errors, the latest first: the error code, its description in
// the technician's language and the driving line count at which it happened.
#pragma once

#include <cstdint>
#include <string>

#include "pages/CMyPropertyPage.h"

class CHeronGetFataECode : public CMyPropertyPage {
public:
    static constexpr int kTemplate = 310;

    CHeronGetFataECode();

    // The columns of the list.
    bool OnInitDialog() override;
    bool OnCommand(int id, ui::Notification code) override;

    // The description of an error code: the language's fatal error text of that code.
    virtual std::string DescribeFatalError(std::uint8_t code) const;

protected:
    // Enter: reads the history under the progress window into the list.
    void OnEnter();
};
