// A dialog of a test whose window goes with the object, destroyed in this destructor while the whole
// dialog still exists, so its own OnDestroy runs. A dialog left with a window when its base
// destructor runs stops a debug build; this is how a test declares a dialog, its owner or its sheet
// without destroying each window by hand on every way out of the test (a failed ASSERT included).
#pragma once

namespace testsupport {

template <class Dialog>
class ScopedWindow : public Dialog {
public:
    using Dialog::Dialog;
    ~ScopedWindow() override { this->DestroyWindow(); }
};

}  // namespace testsupport
