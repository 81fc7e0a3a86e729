// The framework's contracts on every back-end of the build: the headless back-end on a virtual clock
// everywhere, and real windows in the Windows build (the cases named ".../win32", which that build
// runs on a display of their own).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "ui/Headless.h"

namespace uitest {

enum class BackendKind { Headless, Win32 };

inline std::vector<BackendKind> TestedBackends() {
#ifdef _WIN32
    return {BackendKind::Headless, BackendKind::Win32};
#else
    return {BackendKind::Headless};
#endif
}

// How gtest names the parameter in its messages.
inline void PrintTo(BackendKind kind, std::ostream* out) {
    *out << (kind == BackendKind::Win32 ? "win32" : "headless");
}

inline std::string BackendCaseName(const ::testing::TestParamInfo<BackendKind>& info) {
    return info.param == BackendKind::Win32 ? "win32" : "headless";
}

// The Windows build's own back-end is the real windows, so only the headless cases install one.
class BackendCase : public ::testing::TestWithParam<BackendKind> {
protected:
    BackendCase() {
        if (GetParam() == BackendKind::Headless) {
            headless_ = std::make_unique<HeadlessSetup>();
        }
    }

private:
    struct HeadlessSetup {
        platform::VirtualClock clock;
        platform::ScopedClock scopedClock{clock};
        ui::HeadlessBackend backend;
        ui::ScopedBackend scopedBackend{backend};
    };
    std::unique_ptr<HeadlessSetup> headless_;
};

}  // namespace uitest
