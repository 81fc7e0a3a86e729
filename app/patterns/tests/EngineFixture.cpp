#include "EngineFixture.h"

#include <algorithm>

#include "config/CTolvLangText.h"
#include "patterns/OverprintFlag.h"

namespace enginetest {

void HookedClock::Sleep(std::uint32_t milliseconds) {
    if (onSleep) {
        onSleep(milliseconds);
    }
    clock.Sleep(milliseconds);
}

int ScriptedTechnician::Show(const std::string& text, int type) {
    shown.push_back({text, type});
    if (onMessage) {
        onMessage(text);
    }
    if (answers.empty()) {
        return patterns::kAnswerOk;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void PrintRecorder::PrintData(std::span<const std::uint8_t> bytes) {
    data.insert(data.end(), bytes.begin(), bytes.end());
    if (onData) {
        onData();
    }
}

EngineFixture::EngineFixture()
    : printer(ports.AddPrinter("USB1", "VK-572D")), texts(*CTolvLangText::Instance()) {
    printer.Core().SetSink(&printed);
    patterns::SetOverprintPending(false);
    for (int number = 0; number < 10; ++number) {
        texts.strStatus[number] = "status " + std::to_string(number);
        texts.strError[number] = "error " + std::to_string(number);
        texts.strMessage[number] = "message " + std::to_string(number);
        texts.strCustomMsg[number] = "custom " + std::to_string(number);
    }
}

EngineFixture::~EngineFixture() {
    // The recorder goes before the printer does.
    printer.Core().SetSink(nullptr);
    patterns::SetOverprintPending(false);
}

patterns::PatternModel EngineFixture::Vk572dModel() {
    patterns::PatternModel vk572d;
    vk572d.firstIdByte = 0x57;
    vk572d.secondIdByte = 0x2D;
    vk572d.columns = 80;
    vk572d.usbSerialAddress = 0xE0;
    vk572d.customerAddresses = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, -1};
    vk572d.customerValues = {0x01, 0x05, 0x00, 0x02, 0x00, 0xE0, 0x10, 0x00};
    vk572d.programName = "TEST";
    return vk572d;
}

void EngineFixture::Run(patterns::PrintJobRecord& job) {
    const patterns::PrintJobContext context{model, 0, technician, texts};
    patterns::RunPrintJob(context, job);
}

patterns::PrintJobRecord EngineFixture::Job(int selector, int item, int portIndex) {
    patterns::PrintJobRecord job;
    job.selector = selector;
    job.item = item;
    job.portIndex = portIndex;
    job.usbSerialText = "VPRTUSB1";
    return job;
}

std::vector<std::string> EngineFixture::Texts() const {
    std::vector<std::string> shown;
    for (const ShownMessage& message : technician.shown) {
        shown.push_back(message.text);
    }
    return shown;
}

std::uint8_t EngineFixture::Peek(int address) {
    std::uint8_t value = 0;
    EXPECT_TRUE(printer.Core().EepromImage().Read(address, &value)) << address;
    return value;
}

int Occurrences(const Bytes& bytes, const Bytes& sequence) {
    int count = 0;
    auto from = bytes.begin();
    for (;;) {
        from = std::search(from, bytes.end(), sequence.begin(), sequence.end());
        if (from == bytes.end()) {
            return count;
        }
        ++count;
        from += static_cast<std::ptrdiff_t>(sequence.size());
    }
}

Bytes Repeated(const Bytes& unit, int count) {
    Bytes bytes;
    for (int time = 0; time < count; ++time) {
        bytes.insert(bytes.end(), unit.begin(), unit.end());
    }
    return bytes;
}

}  // namespace enginetest
