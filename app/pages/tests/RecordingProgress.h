// A progress window that records what was asked of it and counts its references.
#pragma once

#include <string>
#include <vector>

#include "dialogs/IProgressCallback.h"
#include "printer/CRefCounted.h"

namespace printertest {

class RecordingProgress : public printer::CRefCounted<IProgressCallback> {
public:
    void SetStepCount(int count) override {
        stepCount = count;
        position = 0;
    }
    void Step() override {
        ++position;
        ++steps;
    }
    void ResetPosition() override {
        position = 0;
        ++resets;
    }

    int stepCount = -1;
    int position = 0;
    int steps = 0;
    int resets = 0;
};

}  // namespace printertest
