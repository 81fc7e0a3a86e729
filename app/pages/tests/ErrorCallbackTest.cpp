#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "pages/CPrinterErrorCallback.h"
#include "platform/Clock.h"
#include "testsupport/MessageRecorder.h"
#include "ui/CDialog.h"
#include "ui/Headless.h"
#include "ui/Scenario.h"

namespace {

constexpr char kInterfaceError[] = "Interface Error\nMake sure cable connection\nand Printer Status.";

// The error callback on the headless windows, with the system's message boxes recorded: it must show
// the program's message dialog and never a system box.
class PrinterErrorCallback : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CreatePrinterErrorCallback(&callback), 1); }
    void TearDown() override {
        EXPECT_TRUE(systemBoxes.Texts().empty());
        EXPECT_EQ(callback->Release(), 0);
    }

    // Runs OnError(code) under the technician's steps; the steps must all run, with no failure.
    int OnErrorWith(int code, const std::string& steps) {
        std::string error;
        std::optional<ui::Scenario> scenario = ui::Scenario::Parse(steps, &error);
        EXPECT_TRUE(scenario.has_value()) << error;
        headless.AttachScenario(&*scenario);
        const int result = callback->OnError(code);
        headless.AttachScenario(nullptr);
        EXPECT_TRUE(scenario->Failures().empty()) << code << ": " << scenario->Report();
        EXPECT_TRUE(scenario->Finished()) << code << ": " << scenario->Report();
        return result;
    }

    // A text as a scenario quotes it.
    static std::string Quoted(const std::string& text) {
        std::string quoted = "\"";
        for (char c : text) {
            quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        return quoted + "\"";
    }

    platform::VirtualClock clock;
    platform::ScopedClock useClock{clock};
    ui::HeadlessBackend headless;
    ui::ScopedBackend useHeadless{headless};
    testsupport::MessageRecorder systemBoxes;
    IPrinterErrorCallback* callback = nullptr;
};

TEST_F(PrinterErrorCallback, EachCodeShowsItsTextOnceAsAnErrorAndIsReturned) {
    const struct {
        int code;
        const char* text;
    } rows[] = {
        {0, kInterfaceError}, {1, "Cannot Send Data"}, {2, "Cannot Read EEPROM"},
        {3, kInterfaceError}, {4, "No Reply"},
    };
    for (const auto& row : rows) {
        // An error: no OK, one button "NG"; Enter leaves it open, so the NG click still finds it.
        const std::string showsText = "expect-text 1005 " + Quoted(row.text) + "\n";
        const std::string steps = showsText +
                                  "expect-visible 1 no\nexpect-visible 2 yes\nexpect-text 2 \"NG\"\n" +
                                  "key enter\n" + showsText + "click 2\n";
        EXPECT_EQ(OnErrorWith(row.code, steps), row.code);
    }
    // Escape dismisses it as well.
    EXPECT_EQ(OnErrorWith(4, "key escape\n"), 4);
    EXPECT_TRUE(headless.StrayModals().empty());
    EXPECT_TRUE(headless.MessageBoxes().empty());
}

TEST_F(PrinterErrorCallback, CodesWithoutAMessageShowNothing) {
    // No steps: a dialog would wait for input that never comes and be recorded as a stray.
    EXPECT_EQ(callback->OnError(7), 7);
    EXPECT_EQ(callback->OnError(-1), -1);
    EXPECT_EQ(callback->OnError(5), 5);
    EXPECT_TRUE(headless.StrayModals().empty());
    EXPECT_TRUE(headless.MessageBoxes().empty());
}

// The factories hand out the only reference: one Release ends the object, and every
// QueryInterface, whatever it asks for, gives the object itself with one more reference.
TEST(ReferenceCounting, TheFactoryHandsOutTheOnlyReference) {
    IPrinterErrorCallback* callback = nullptr;
    ASSERT_EQ(CreatePrinterErrorCallback(&callback), 1);
    auto* counted = static_cast<CPrinterErrorCallback*>(callback);
    EXPECT_EQ(counted->ReferenceCount(), 1);
    void* other = nullptr;
    EXPECT_EQ(callback->QueryInterface(platform::kIidISequentialStream, &other), platform::kSOk);
    EXPECT_EQ(other, static_cast<void*>(callback));
    EXPECT_EQ(callback->AddRef(), 3);
    EXPECT_EQ(callback->Release(), 2);
    EXPECT_EQ(callback->Release(), 1);
    EXPECT_EQ(callback->Release(), 0);
}

}  // namespace
