#include "pages/CPrinterErrorCallback.h"

#include "dialogs/CMessageDlg.h"
#include "dialogs/MessageDialog.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

std::string CPrinterErrorCallback::MessageText(int code) {
    switch (code) {
        case printer::error::kPortOpen:
        case printer::error::kChannel:
            // A printer that answers without the channel protocol is as good as no printer on the
            // cable: the technician checks the same things.
            return res::LoadResourceString(res::kStrInterfaceError);
        case printer::error::kSend:
            return "Cannot Send Data";
        case printer::error::kReadEeprom:
            return "Cannot Read EEPROM";
        case printer::error::kNoReply:
            return "No Reply";
        default:
            return {};
    }
}

int CPrinterErrorCallback::OnError(int code) {
    const std::string text = MessageText(code);
    if (!text.empty()) {
        ShowMessageDialog(text, CMessageDlg::kError);
    }
    return code;
}

int CreatePrinterErrorCallback(IPrinterErrorCallback** out) {
    return printer::HandOut<CPrinterErrorCallback>(out, platform::kIidIUnknown);
}
