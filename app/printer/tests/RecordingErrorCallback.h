// An error callback that keeps the codes the access objects raise, in order. It is the test's own
// object: the access objects take and give back references of their own, and it is never deleted
// through them.
#pragma once

#include <vector>

#include "printer/CRefCounted.h"
#include "printer/IPrinterErrorCallback.h"

namespace printertest {

class RecordingErrorCallback : public printer::CRefCounted<IPrinterErrorCallback> {
public:
    RecordingErrorCallback() { AddRef(); }
    int OnError(int code) override {
        codes_.push_back(code);
        return code;
    }
    const std::vector<int>& Codes() const { return codes_; }

private:
    std::vector<int> codes_;
};

}  // namespace printertest
