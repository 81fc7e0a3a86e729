// What the engine's tests share: a VK-572D in this process at USB1 behind the device seam, reached
// through the real device-driver library; a clock that costs no real time and lets a test act at a
// chosen pause; a technician who answers the engine's messages from a script; and the language texts
// the messages are made of.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "config/ConfigurationScope.h"
#include "patterns/IJobMessages.h"
#include "patterns/PatternModel.h"
#include "patterns/PrintJobRunner.h"
#include "platform/Clock.h"
#include "testsupport/MessageRecorder.h"
#include "vprinter/inprocess/InProcessPrinterPorts.h"
#include "vprinter/model/IPrintSink.h"

class CTolvLangText;

namespace enginetest {

using Bytes = std::vector<std::uint8_t>;

// The virtual clock, with a hook called at every pause before the time moves.
class HookedClock : public platform::IClock {
public:
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override { return clock.TickCount(); }
    platform::LocalTime Now() override { return clock.Now(); }

    std::function<void(std::uint32_t milliseconds)> onSleep;
    platform::VirtualClock clock;
};

struct ShownMessage {
    std::string text;
    int type;
};

// Answers each message with the next scripted answer (OK once the script is used up), after running
// the hook, which may change the printer as the technician would.
class ScriptedTechnician : public patterns::IJobMessages {
public:
    int Show(const std::string& text, int type) override;

    std::deque<int> answers;
    std::function<void(const std::string& text)> onMessage;
    std::vector<ShownMessage> shown;
};

// The print data the printer passed on, and the mode flags it got; a test can act on data arriving.
class PrintRecorder : public vprinter::IPrintSink {
public:
    void PrintData(std::span<const std::uint8_t> bytes) override;
    void ModeFlag(std::uint8_t value) override { modeFlags.push_back(value); }
    void EndOfJob() override {}

    Bytes data;
    std::vector<std::uint8_t> modeFlags;
    std::function<void()> onData;
};

class EngineFixture : public ::testing::Test {
protected:
    EngineFixture();
    ~EngineFixture() override;

    // The VK-572D as its profile describes it, its first customer selected.
    static patterns::PatternModel Vk572dModel();
    // Runs the job on the printer at USB1 (port index 11) unless the record names another port.
    void Run(patterns::PrintJobRecord& job);
    patterns::PrintJobRecord Job(int selector, int item, int portIndex = 11);
    std::vector<std::string> Texts() const;
    std::uint8_t Peek(int address);

    HookedClock clock;
    platform::ScopedClock scopedClock{clock};
    // The driver shows its own communication errors as plain message boxes.
    testsupport::MessageRecorder driverMessages;
    config::ScopedConfiguration configuration;
    vprinter::InProcessPrinterPorts ports;
    vprinter::VirtualPrinter& printer;
    PrintRecorder printed;
    ScriptedTechnician technician;
    patterns::PatternModel model = Vk572dModel();
    CTolvLangText& texts;
};

int Occurrences(const Bytes& bytes, const Bytes& sequence);
Bytes Repeated(const Bytes& unit, int count);

}  // namespace enginetest
