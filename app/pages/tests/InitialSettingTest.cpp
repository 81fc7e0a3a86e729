// The initial setting against the virtual printer: the page driven by the scripted technician, and
// its stages run with the printer failing at each of them, checked at the printer's EEPROM and in
// the messages the technician is shown.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ScenarioText.h"
#include "SecondModelFixture.h"
#include "ServicePageFixture.h"
#include "config/CTolvLangText.h"
#include "pages/CHeronInitialSettingPage.h"
#include "patterns/InitialSetting.h"
#include "printer/PortSession.h"
#include "printer/UsbSerialNumber.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace pagetest {
namespace {

const char kPrinterReady[] = "click 1@176\n";

using Bytes = std::vector<std::uint8_t>;

// Where the bytes first occur in what the printer was sent; npos when they do not.
std::size_t Find(const Bytes& data, const Bytes& needle) {
    const auto at = std::search(data.begin(), data.end(), needle.begin(), needle.end());
    return at == data.end() ? std::string::npos : static_cast<std::size_t>(at - data.begin());
}
const char kNotReady0[] = "Printer is not ready.";
const char kNotReady1[] = "Check the printer and try again.";
const char kCheckByteNotTaken[] = "The check byte was not taken.";

// The run's messages, answered as a technician who goes no further after a question, and its steps,
// with what happens to the printer at a chosen step.
class RecordingView : public patterns::IInitialSettingView {
public:
    int Show(const std::string& text, int type) override {
        shown.emplace_back(text, type);
        return type == patterns::kMessageQuestion ? patterns::kAnswerCancel : patterns::kAnswerOk;
    }
    void OpenProgress(int stepCount) override { progressSteps = stepCount; }
    void Step() override {
        ++steps;
        if (const auto action = atStep.find(steps); action != atStep.end()) {
            action->second();
        }
    }

    std::vector<std::pair<std::string, int>> shown;
    int progressSteps = -1;
    int steps = 0;
    std::map<int, std::function<void()>> atStep;
};

// The VK-572D's EEPROM in a state that every stage changes, with the counters the stages must keep.
void DirtyTheEeprom(const std::function<void(int, std::uint8_t)>& store) {
    for (int address = 0x10; address <= 0x3F; ++address) {
        store(address, 0xEE);
    }
    for (int address = 0x04; address <= 0x0F; ++address) {
        store(address, 0x5A);
    }
    for (int address = 0x90; address <= 0x9F; ++address) {
        store(address, 0xEE);
    }
    for (int address = 0xE0; address <= 0xF2; ++address) {
        store(address, 0xEE);
    }
    store(0x02, 0x5C);
    store(0x03, 0x00);
}

class InitialSettingTest : public ServicePageTest {
protected:
    InitialSettingTest() {
        CTolvLangText& texts = *CTolvLangText::Instance();
        texts.strCustomMsg[0] = kNotReady0;
        texts.strCustomMsg[1] = kNotReady1;
        texts.strCustomMsg[2] = kCheckByteNotTaken;
        DirtyTheEeprom([this](int address, std::uint8_t value) { Store(address, value); });
    }

    patterns::InitialSettingResult RunStages(const std::string& serial, RecordingView& view) {
        const patterns::InitialSettingResult result = patterns::RunInitialSetting(
            patterns::InitialSettingRequestFromConfig(serial), view, *CTolvLangText::Instance());
        EXPECT_EQ(ports_.OpenNow("USB1"), 0);
        return result;
    }

    // Each stage's mark in the EEPROM: the check byte's complement, table C, tables A and B.
    bool CheckStageWritten() { return Stored(0x03) == 0xA3; }
    bool TableCWritten() { return Stored(0x10) == 0x02 && Stored(0x11) == 0x18 && Stored(0x1F) == 0x00; }
    bool DefaultsWritten() {
        return Stored(0x30) == 0x01 && Stored(0x90) == 0x3C && Stored(0x20) == 0x01 && Stored(0x25) == 0xE0 &&
               Stored(0x26) == 0x10;
    }
    std::string StoredSerial() {
        std::string text;
        for (int i = 0; i < 18; ++i) {
            text.push_back(static_cast<char>(Stored(0xE0 + i)));
        }
        return text;
    }
    void ExpectCountersKept() {
        for (int address = 0x04; address <= 0x0F; ++address) {
            EXPECT_EQ(Stored(address), 0x5A) << address;
        }
    }
};

TEST_F(InitialSettingTest, EnterWritesEveryStageAndReadShowsTheSerialBack) {
    CHeronInitialSettingPage page;
    const std::uint64_t before = clock_.ElapsedMilliseconds();
    Run(page,
        "type 1122 \"VK572D0042\"\nclick 1128\n" + std::string(kPrinterReady) + "click 1@118\nclick 12325\n");
    EXPECT_TRUE(CheckStageWritten());
    EXPECT_TRUE(TableCWritten());
    EXPECT_TRUE(DefaultsWritten());
    EXPECT_EQ(StoredSerial(), std::string("VK572D0042") + std::string(8, '\0'));
    EXPECT_EQ(Stored(0xF2), 0x00);  // table A's reserved byte after the serial
    ExpectCountersKept();
    // At the printer in stage order: the complement of 0x5C (0xA3) to 0x03 with write set 2, table C's
    // first drive constant with write set 2, the serial's first character and its last zero with write
    // set 1, all under the VK-572D's command code 57 2D.
    const Bytes& sent = ports_.Written("USB1");
    const std::size_t complement =
        Find(sent, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x05, 0xFA, 0x82, 0x03, 0xA3});
    const std::size_t tableC =
        Find(sent, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x05, 0xFA, 0x82, 0x10, 0x02});
    const std::size_t first =
        Find(sent, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0xE0, 'V'});
    const std::size_t last =
        Find(sent, {0x1B, 0x7C, 0x00, 0x07, 0x00, 0x57, 0x2D, 0x04, 0xFB, 0x02, 0xF1, 0x00});
    EXPECT_LT(complement, tableC);
    EXPECT_LT(tableC, first);
    EXPECT_LT(first, last);
    EXPECT_NE(last, std::string::npos);
    // The pauses after the three stages.
    EXPECT_GE(clock_.ElapsedMilliseconds() - before, 1000u + 1500u + 1500u);
    EXPECT_EQ(ProgressWindows(), 0);

    CHeronInitialSettingPage reading;
    Run(reading,
        "click 1130\n" + std::string(kPrinterReady) + "expect-text 1122 \"VK572D0042\"\nclick 12325\n");
    EXPECT_EQ(ProgressWindows(), 0);
}

TEST_F(InitialSettingTest, TheRunPinsItsMessagesAndStepsAndAnEmptySerialWritesZeros) {
    RecordingView view;
    EXPECT_EQ(RunStages("", view), patterns::InitialSettingResult::Done);
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].first, "Successfully.\r\nPlease turn off the power supply of a printer. ");
    EXPECT_EQ(view.shown[0].second, patterns::kMessageInformation);
    EXPECT_EQ(view.progressSteps, 33);
    EXPECT_EQ(view.steps, 33);
    EXPECT_EQ(StoredSerial(), std::string(18, '\0'));
    EXPECT_TRUE(DefaultsWritten());
}

TEST_F(InitialSettingTest, ASerialTheFieldCannotHoldIsRefusedBeforeAnythingIsSent) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"ABCDEFGHIJ123456789", "Serial No Length Wrong"},
        {"AB-12", "Serial No Letter Wrong"},
        {"\xC3\xA9", "Serial No Letter Wrong"},
    };
    for (const auto& c : cases) {
        CHeronInitialSettingPage page;
        Run(page, "type 1122 " + Quoted(c.text) + "\nclick 1128\nanswer ok " + Quoted(c.message) +
                      "\nclick 12325\n");
        // The run itself refuses it as well, for callers that did not check.
        RecordingView view;
        EXPECT_EQ(RunStages(c.text, view), patterns::InitialSettingResult::Refused);
        ASSERT_EQ(view.shown.size(), 1u);
        EXPECT_EQ(view.shown[0].first, c.message);
    }
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
    EXPECT_EQ(Stored(0x10), 0xEE);
    EXPECT_EQ(Stored(0xE0), 0xEE);
}

TEST_F(InitialSettingTest, APortTheEngineDoesNotKnowDoesNothingAndARefusedOpenSaysSo) {
    patterns::InitialSettingRequest request = patterns::InitialSettingRequestFromConfig("ABC");
    request.chosenPort = "USB10";
    RecordingView view;
    EXPECT_EQ(patterns::RunInitialSetting(request, view, *CTolvLangText::Instance()),
              patterns::InitialSettingResult::NotStarted);
    EXPECT_TRUE(view.shown.empty());
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);

    Control("offline=refuse");
    EXPECT_EQ(RunStages("ABC", view), patterns::InitialSettingResult::OpenFailed);
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].first, res::LoadResourceString(res::kStrInterfaceError));
    EXPECT_EQ(view.shown[0].second, patterns::kMessageInformation);
    EXPECT_EQ(view.progressSteps, -1);
    EXPECT_EQ(Stored(0x10), 0xEE);
}

TEST_F(InitialSettingTest, APortHeldByAnotherThreadIsNotShared) {
    printer::PortSession::SetAssertOnRefusal(false);
    std::promise<void> held;
    std::promise<void> done;
    std::thread other([&] {
        printer::PortSession::Exchange exchange = printer::PortSession::OfProcess().Begin("other thread");
        held.set_value();
        done.get_future().wait();
    });
    held.get_future().wait();
    RecordingView view;
    EXPECT_EQ(RunStages("ABC", view), patterns::InitialSettingResult::Refused);
    done.set_value();
    other.join();
    printer::PortSession::SetAssertOnRefusal(true);
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].second, patterns::kMessageError);
    EXPECT_EQ(ports_.OpenCount("USB1"), 0);
}

// A stage the printer fails: at the step the failure is set up, what it does, and how far the
// setting got.
struct StageFailure {
    const char* name;
    int atStep;
    const char* control;
    std::string firstMessage;  // the run's own message before the stage note, or the engine's
    const char* stageNote;
    bool checkStage, tableC, defaults;
};

class StageFailureTest : public InitialSettingTest, public ::testing::WithParamInterface<StageFailure> {};

TEST_P(StageFailureTest, TheRunStopsThereAndItsMessageNamesTheStage) {
    const StageFailure& failure = GetParam();
    RecordingView view;
    view.atStep[failure.atStep] = [this, &failure] { Control(failure.control); };
    EXPECT_EQ(RunStages("SER1", view), patterns::InitialSettingResult::StageFailed);
    ASSERT_FALSE(view.shown.empty());
    EXPECT_EQ(view.shown.front().first.rfind(failure.firstMessage, 0), 0u) << view.shown.front().first;
    EXPECT_NE(view.shown.back().first.find(failure.stageNote), std::string::npos) << view.shown.back().first;
    EXPECT_EQ(view.shown.back().second, patterns::kMessageInformation);
    EXPECT_EQ(CheckStageWritten(), failure.checkStage);
    EXPECT_EQ(TableCWritten(), failure.tableC);
    EXPECT_EQ(DefaultsWritten(), failure.defaults);
    // The serial goes with the last stage.
    EXPECT_EQ(StoredSerial().substr(0, 4) == "SER1", failure.defaults);
    ExpectCountersKept();
}

const std::string kNotReady = std::string(kNotReady0) + "\n" + kNotReady1 + "\n\n";
// Steps: the check stage 1-5 (append, append, send, wait, state), table C 6-9, the rest 10-33.
INSTANTIATE_TEST_SUITE_P(
    EveryStage, StageFailureTest,
    ::testing::Values(StageFailure{"CheckByteNotReady", 3, "state=3",
                                   std::string(kCheckByteNotTaken) + "\n\n",
                                   "stage 1 of 3 (check byte).\nNo earlier stage", true, false, false},
                      StageFailure{"TableCNotReady", 7, "state=3", kNotReady,
                                   "stage 2 of 3 (table C).\nThe earlier stages are in the printer", true,
                                   true, false},
                      StageFailure{"DefaultsNotReady", 31, "state=1", kNotReady,
                                   "stage 3 of 3 (default values and serial", true, true, true},
                      StageFailure{"StatusLostAfterTableC", 8, "offline=silent", "Can not status\n\n",
                                   "stage 2 of 3", true, true, false},
                      StageFailure{"LineDropsDuringTableC", 5, "drop-after=10", "SEND BUFFER ERROR",
                                   "stage 2 of 3", true, false, false}),
    [](const ::testing::TestParamInfo<StageFailure>& param) { return std::string(param.param.name); });

using SecondModelSettingTest = SecondModelTest;

TEST_F(SecondModelSettingTest, WithoutCheckByteOrSerialTwoStagesRunAndNothingLandsOnTheCounters) {
    for (int address = 0x04; address <= 0x0F; ++address) {
        SecondStore(address, 0x5A);
    }
    SecondStore(0x10, 0xEE);
    SecondStore(0xE0, 0xEE);
    RecordingView view;
    EXPECT_EQ(patterns::RunInitialSetting(patterns::InitialSettingRequestFromConfig(""), view,
                                          *CTolvLangText::Instance()),
              patterns::InitialSettingResult::Done);
    // No check stage (5 steps) and no serial bytes (18).
    EXPECT_EQ(view.steps, 33 - 5 - 18);
    EXPECT_EQ(SecondStored(0x10), 0x03);  // table C
    EXPECT_EQ(SecondStored(0xE0), 0x20);  // table A's carriage speed, where a serial would have gone
    for (int address = 0x04; address <= 0x0F; ++address) {
        EXPECT_EQ(SecondStored(address), 0x5A) << address;
    }
    EXPECT_EQ(ports_.OpenNow("LPT2"), 0);
}

TEST_F(SecondModelSettingTest, ASerialTypedForItIsRefusedAndReadSaysThereIsNone) {
    SecondStore(0x10, 0xEE);
    CHeronInitialSettingPage page;
    Run(page,
        "type 1122 \"ABC\"\nclick 1128\nclick 1@118\n"
        "click 1130\nexpect-text 1005@118 " +
            Quoted(printer::kNoUsbSerialText) + "\nclick 1@118\nexpect-text 1122 \"\"\nclick 12325\n");
    EXPECT_EQ(SecondStored(0x10), 0xEE);
    EXPECT_EQ(ports_.OpenCount("LPT2"), 0);
}

}  // namespace
}  // namespace pagetest
