// Runs the back-end conformance table on every back-end of the build: each case is a test of its own,
// "BackendConformance.<case>/headless" and, in the Windows build, ".../win32" on real windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BackendCase.h"
#include "BackendConformanceCases.h"
#include "platform/Clock.h"
#include "ui/Headless.h"

namespace uitest {
namespace {

class BackendConformance : public ::testing::Test {
public:
    BackendConformance(const ConformanceCase& conformanceCase, BackendKind kind) : case_(conformanceCase) {
        if (kind == BackendKind::Headless) {
            headless_ = std::make_unique<HeadlessSetup>();
        }
    }
    void TestBody() override {
        Bench bench;
        ASSERT_TRUE(bench.Open());
        case_.run(bench);
    }

private:
    struct HeadlessSetup {
        platform::VirtualClock clock;
        platform::ScopedClock scopedClock{clock};
        ui::HeadlessBackend backend;
        ui::ScopedBackend scopedBackend{backend};
    };
    const ConformanceCase& case_;
    std::unique_ptr<HeadlessSetup> headless_;
};

bool RegisterTheTable() {
    for (const ConformanceCase& conformanceCase : BackendConformanceCases()) {
        for (BackendKind kind : TestedBackends()) {
            const std::string name =
                std::string(conformanceCase.name) + "/" + (kind == BackendKind::Win32 ? "win32" : "headless");
            ::testing::RegisterTest("BackendConformance", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                    [&conformanceCase, kind]() -> ::testing::Test* {
                                        return new BackendConformance(conformanceCase, kind);
                                    });
        }
    }
    return true;
}

const bool registered = RegisterTheTable();

}  // namespace
}  // namespace uitest
