// The error callback of every access object unless its creator gives another: each code becomes an
// error message (message type 2, the "NG" box) that the technician dismisses.
#pragma once

#include <string>

#include "printer/CRefCounted.h"
#include "printer/IPrinterErrorCallback.h"

class CPrinterErrorCallback : public printer::CRefCounted<IPrinterErrorCallback> {
public:
    // Shows the code's message, if the code has one, in the program's message dialog as an error (the
    // one "NG" button), owned by the innermost modal dialog; returns the code.
    int OnError(int code) override;

    // The message for a code; empty for a code without one.
    static std::string MessageText(int code);
};

// A new CPrinterErrorCallback handed out with its only reference. 1, or 0 when it cannot be
// allocated.
int CreatePrinterErrorCallback(IPrinterErrorCallback** out);
