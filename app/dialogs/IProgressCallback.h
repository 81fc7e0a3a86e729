// The progress window as the printer access and the print jobs see it: a reference-counted object
// whose bar they size, step and rewind. The last Release closes the window.
#pragma once

#include "platform/Unknown.h"

class IProgressCallback : public platform::IUnknown {
protected:
    // The slot after Release, declared first so that it stays there; objects go through Release only.
    virtual ~IProgressCallback() = default;

public:
    // The bar runs from 0 to count; a count of 0 or less means the maximum the window was made with.
    // The position goes back to the start and each Step then moves it by one.
    virtual void SetStepCount(int count) = 0;
    virtual void Step() = 0;
    virtual void ResetPosition() = 0;
};
