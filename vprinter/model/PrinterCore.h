// The printer's firmware without its ports: state, EEPROM, the answers to every command, the print
// data to the sink. The stream and the channels of VirtualPrinter feed it. Not thread-safe; the
// owner serialises.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/CommandMatchers.h"
#include "vprinter/model/Eeprom.h"
#include "vprinter/model/IPrintSink.h"
#include "vprinter/model/ModelProfile.h"
#include "vprinter/model/PrinterState.h"
#include "vprinter/model/RawStreamDecoder.h"
#include "vprinter/model/ReplyFormats.h"

namespace vprinter {

class PrinterCore {
public:
    PrinterCore(ModelProfile profile, std::string portName, IPrintSink* sink);
    PrinterCore(const PrinterCore&) = delete;
    PrinterCore& operator=(const PrinterCore&) = delete;

    const ModelProfile& Profile() const { return profile_; }
    const std::string& PortName() const { return portName_; }
    PrinterState& State() { return state_; }
    const PrinterState& State() const { return state_; }
    Eeprom& EepromImage() { return eeprom_; }
    void SetSink(IPrintSink* sink) { sink_ = sink != nullptr ? sink : &nullSink_; }
    IPrintSink& Sink() { return *sink_; }

    // Back to the factory: the EEPROM image, the hidden timing errors and the ROM version.
    void FactoryDefaults();

    std::string DeviceId() const {
        return state_.faults.deviceId.empty() ? DeviceIdText(profile_.model) : state_.faults.deviceId;
    }

    // How far a line printed right to left lands from where it should, in timing steps, for a print
    // mode: the hidden error less the correction stored in the EEPROM.
    int RightToLeftShift(int printMode) const;

    void PrintData(std::span<const std::uint8_t> bytes);

    // The answers; an empty result means the printer answers nothing.
    // frame: one whole ESC '|' frame of the factory or production commands.
    std::vector<std::uint8_t> AnswerEscFrame(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> AnswerRemoteCommand(const std::string& letters,
                                                  std::span<const std::uint8_t> parameters);
    std::vector<std::uint8_t> AnswerControlCommand(const std::string& letters,
                                                   std::span<const std::uint8_t> parameters);

    // A checked firmware image was flashed: the printer runs its version from now on, across restarts.
    void TakeFirmware(const std::string& romVersion);

    // The status as the next poll reports it; a poll uses up one of the busy polls.
    StatusFields PollStatus();

    bool Dirty() const { return dirty_; }
    void MarkSaved() { dirty_ = false; }
    void MarkDirty() { dirty_ = true; }

private:
    void DoFactoryCommand(const protocol::factory::Frame& frame);
    std::vector<std::uint8_t> AnswerEepromControl(std::span<const std::uint8_t> parameters);
    // Every host write to the EEPROM comes through here, whatever command carried it.
    bool WriteEeprom(int address, std::uint8_t value);
    std::uint8_t ReadEepromOrZero(int address);

    ModelProfile profile_;
    std::string portName_;
    PrinterState state_;
    Eeprom eeprom_;
    NullPrintSink nullSink_;
    IPrintSink* sink_;
    bool dirty_ = false;
};

// Reply bytes of a text.
std::vector<std::uint8_t> Bytes(const std::string& text);

}  // namespace vprinter
